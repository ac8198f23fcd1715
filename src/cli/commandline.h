#pragma once

#include "core/textreading.h"
#include "output/documentoptions.h"
#include "output/writingoptions.h"

#include <optional>
#include <QPageSize>
#include <QString>
#include <QStringList>

// How the row is to be written, as the dialogs ask it; an option left out takes the output's own
// default.
struct OutputOptions {
    std::optional<bool> letters;                // --letters, --no-letters
    bool transparent = false;                   // --transparent (pictures)
    std::optional<double> glyphMillimetres;     // --size
    std::optional<int> dpi;                     // --dpi (pictures in pixels)
    std::optional<QPageSize::PageSizeId> paper; // --paper (documents)
    // --page (documents): a sheet for one text and cards for a batch unless given
    std::optional<PageKind> page;
    bool unicodeLine = true; // --no-unicode-line (documents)
    // --arrange, --direction, --vertical, --cartouche, --determinative; with --text too
    WritingOptions writing;
};

// What one start of the program with arguments asks for.
struct CommandLineRequest {
    enum class Action { ShowHelp, ShowVersion, PrintUnicode, WriteFile, OpenWindow };
    Action action = Action::ShowHelp;
    QString text;      // the one text, or empty with a batch
    QString batchFile; // the file of names, one a line, or empty
    QString outputPath;
    OutputOptions options;
    ReadingOptions reading;       // --numerals, --no-numerals
    bool spellBySound = false;    // --spelling sound
    bool unicodeControls = false; // --unicode-controls (with --text)
};

// The program's command line, parsed without an application object, so that the program can
// choose which one to create.
namespace CommandLine {

// The name the command line goes by in its usage and its messages, wherever it was started from.
inline constexpr char ProgramName[] = "scarabo";

inline constexpr int Success = 0;
inline constexpr int Failure = 1;  // a file could not be read or written
inline constexpr int BadUsage = 2; // the arguments make no sense

struct Parsed {
    CommandLineRequest request;
    QString usageError; // empty when the arguments make sense
};

// arguments as main receives them, the program's name first.
Parsed parse(const QStringList& arguments);

// "Usage: scarabo ..." and every option, for --help.
QString helpText();

} // namespace CommandLine
