#pragma once

#include "gui/appcontext.h"
#include "platform/programstart.h"

#include <memory>
#include <QString>
#include <QStringList>

class frmMain;
class QIcon;

// The program's start: builds the main window, loads it and shows it.
namespace modMain {

// The scarab icon of the main window and the About window, at every size built into the program.
QIcon ApplicationIcon();

// Installs the program's handler for the table class's fatal checks: a message box with the given
// title, then the end.
void InstallFatalHandler(const QString& title);

// Loads and shows the main window. When start-up fails the user is told which file and why, and
// no window is returned.
std::unique_ptr<frmMain> Main(const AppContext& context);

} // namespace modMain
