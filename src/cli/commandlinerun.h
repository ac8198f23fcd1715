#pragma once

#include <QStringList>

// A start of the program with arguments: it writes or prints what they ask for and ends, without
// a window and without needing a display.
namespace CommandLineRun {

// Whether main's arguments make this a command-line start: any argument besides Qt's own start-up
// options (-platform xcb, -style fusion, -reverse...), which the window takes.
bool wanted(const QStringList& arguments);

// Carries out the command line and answers the exit status (see CommandLine).
int run(int argc, char** argv);

} // namespace CommandLineRun
