#pragma once

#include <QString>
#include <QStringList>

// The parts of the program's start that the window and the command line share; Qt Gui, no widgets.
namespace modMain {

// Names the program, its maker, its version and its desktop entry to Qt, from the version record.
void DescribeProgram();

// Makes the fonts in the "fonts" folder of the application folder available to this program only
// (never installed for the system); a missing folder or font is no error. Answers the families
// that were added.
QStringList LoadFonts(const QString& applicationFolder);

} // namespace modMain
