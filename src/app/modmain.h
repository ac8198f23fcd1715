#pragma once

#include "appcontext.h"

#include <memory>
#include <QString>
#include <QStringList>

class frmMain;
class QIcon;

// The program's start: builds the main window, loads it and shows it.
namespace modMain {

// The scarab icon of the main window and the About window, at every size built into the program.
QIcon ApplicationIcon();

// Names the program, its maker, its version and its desktop entry to Qt, from the version record.
void DescribeProgram();

// Makes the fonts in the "fonts" folder of the application folder available to this program only
// (never installed for the system); a missing folder or font is no error. Answers the families
// that were added.
QStringList LoadFonts(const QString& applicationFolder);

// Installs the program's handler for the table class's fatal checks: a message box with the given
// title, then the end.
void InstallFatalHandler(const QString& title);

// Loads and shows the main window. When start-up fails the user is told which file and why, and
// no window is returned.
std::unique_ptr<frmMain> Main(const AppContext& context);

} // namespace modMain
