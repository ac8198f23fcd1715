#pragma once

#include <optional>
#include <QString>
#include <QStringList>

// A start of the program with arguments: it writes or prints what they ask for and ends, without
// a window and without needing a display.
namespace CommandLineRun {

// The text the window opens with when main's arguments ask for the window: empty without any
// besides Qt's own start-up options (-platform xcb, -style fusion, -reverse...), which the window
// takes, the text of "scarabo TEXT" alone. Nothing when the arguments are to be carried out by run.
std::optional<QString> windowText(const QStringList& arguments);

// Carries out the command line and answers the exit status (see CommandLine).
int run(int argc, char** argv);

} // namespace CommandLineRun
