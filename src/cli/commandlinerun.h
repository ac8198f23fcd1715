#pragma once

// A start of the program with arguments: it writes or prints what they ask for and ends, without
// a window and without needing a display.
namespace CommandLineRun {

// Whether main's arguments make this a command-line start; without any, the window opens.
inline bool wanted(int argc) {
    return argc > 1;
}

// Carries out the command line and answers the exit status (see CommandLine).
int run(int argc, char** argv);

} // namespace CommandLineRun
