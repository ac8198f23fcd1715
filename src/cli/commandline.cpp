#include "cli/commandline.h"

#include "output/outputformats.h"

#include <algorithm>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>

namespace {

QString translated(const char* text) {
    return QCoreApplication::translate("CommandLine", text);
}

bool anySet(const QCommandLineParser& parser,
            std::initializer_list<const QCommandLineOption*> options) {
    return std::ranges::any_of(
        options, [&](const QCommandLineOption* option) { return parser.isSet(*option); });
}

// The parser's options, named once for parsing and for the help text.
struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            translated("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               translated("Show the program's version and exit.")};
    QCommandLineOption output{{QStringLiteral("o"), QStringLiteral("output")},
                              translated("Write the row to FILE, of the type its suffix says (%1).")
                                  .arg(OutputFormats::suffixesText()),
                              QStringLiteral("FILE")};
    QCommandLineOption batch{QStringLiteral("batch"),
                             translated("Read the names from FILE, one a line (UTF-8; blank lines "
                                        "are skipped), one card per name."),
                             QStringLiteral("FILE")};
    QCommandLineOption text{QStringLiteral("text"),
                            translated("Print the row as Unicode hieroglyphs to standard output "
                                       "instead of writing a file.")};
    QCommandLineOption unicodeControls{
        QStringLiteral("unicode-controls"),
        translated("With --text, join the signs of each group and the cartouche with the Egyptian "
                   "hieroglyph format controls, for fonts that render them.")};
    QCommandLineOption size{QStringLiteral("size"),
                            translated("The height of a full-height sign, in millimetres (%1 to "
                                       "%2; %3 unless given).")
                                .arg(OutputFormats::SmallestGlyph)
                                .arg(OutputFormats::LargestGlyph)
                                .arg(OutputFormats::DefaultGlyph),
                            QStringLiteral("MM")};
    QCommandLineOption dpi{QStringLiteral("dpi"),
                           translated("The resolution of a PNG picture, in dots per inch (%1 to "
                                      "%2; %3 unless given).")
                               .arg(OutputFormats::SmallestDpi)
                               .arg(OutputFormats::LargestDpi)
                               .arg(OutputFormats::DefaultDpi),
                           QStringLiteral("N")};
    QCommandLineOption paper{QStringLiteral("paper"),
                             translated("The paper of a document: a4 or letter (the one of your "
                                        "country unless given)."),
                             QStringLiteral("a4|letter")};
    QCommandLineOption page{QStringLiteral("page"),
                            translated("What each page of a document holds: the name large on a "
                                       "sheet (the default for a TEXT), names on cards to cut "
                                       "apart, eight a page (the default for --batch), or text "
                                       "in lines."),
                            QStringLiteral("sheet|cards|text")};
    QCommandLineOption noUnicodeLine{
        QStringLiteral("no-unicode-line"),
        translated("Leave out the line of Unicode hieroglyphs under a sheet's or text's signs.")};
    QCommandLineOption arrange{QStringLiteral("arrange"),
                               translated("Write the signs in groups, as scribes did (groups, the "
                                          "default), or one after the other (row)."),
                               QStringLiteral("groups|row")};
    QCommandLineOption direction{QStringLiteral("direction"),
                                 translated("Write from left to right (ltr, the default) or from "
                                            "right to left (rtl), every sign facing the start of "
                                            "the line."),
                                 QStringLiteral("ltr|rtl")};
    QCommandLineOption vertical{QStringLiteral("vertical"),
                                translated("Write in columns, top to bottom.")};
    QCommandLineOption letters{QStringLiteral("letters"),
                               translated("Write the letters under each glyph.")};
    QCommandLineOption noLetters{QStringLiteral("no-letters"),
                                 translated("Write the glyphs without their letters.")};
    QCommandLineOption cartouche{QStringLiteral("cartouche"),
                                 translated("Frame each line of a name in a cartouche.")};
    QCommandLineOption determinative{QStringLiteral("determinative"),
                                     translated("End a name with a seated man or woman, the sign "
                                                "that marks it as a person's name."),
                                     QStringLiteral("man|woman")};
    QCommandLineOption transparent{QStringLiteral("transparent"),
                                   translated("Give a picture a transparent background instead of "
                                              "white.")};
    QCommandLineOption numerals{QStringLiteral("numerals"),
                                translated("Write numbers as Egyptian numerals (the default).")};
    QCommandLineOption noNumerals{QStringLiteral("no-numerals"),
                                  translated("Leave numbers out, as characters without a glyph.")};
    QCommandLineOption spelling{QStringLiteral("spelling"),
                                translated("Spell the letters as typed (letters, the default) or "
                                           "by their sound (sound), by the rules of Sounds.dat."),
                                QStringLiteral("letters|sound")};

    // Whether any option only a file takes is given.
    bool anyOfAFile(const QCommandLineParser& parser) const {
        return anySet(parser, {&output, &size, &dpi, &paper, &page, &noUnicodeLine, &letters,
                               &noLetters, &transparent});
    }
    // Whether any option of how the signs are written, which --text takes too, is given.
    bool anyOfWriting(const QCommandLineParser& parser) const {
        return anySet(parser, {&arrange, &direction, &vertical, &cartouche, &determinative});
    }

    void addTo(QCommandLineParser& parser) const {
        parser.setApplicationDescription(
            translated("Spells English text in ancient Egyptian hieroglyphs. Without arguments it "
                       "opens its window; with a TEXT alone it opens the window with TEXT "
                       "converted."));
        parser.addOptions(
            {help,        version,  output,     batch,     text,          unicodeControls,
             size,        dpi,      paper,      page,      noUnicodeLine, arrange,
             direction,   vertical, letters,    noLetters, cartouche,     determinative,
             transparent, numerals, noNumerals, spelling});
        parser.addPositionalArgument(QStringLiteral("text"), translated("The text to spell."),
                                     QStringLiteral("[TEXT]"));
    }
};

std::optional<double> glyphSize(const QString& value) {
    bool ok = false;
    const double millimetres = QLocale::c().toDouble(value, &ok);
    if (!ok || !OutputFormats::isGlyphSize(millimetres))
        return std::nullopt;
    return millimetres;
}

// The resolution of a picture in pixels, or none for a value out of range or no number.
std::optional<int> resolution(const QString& value) {
    bool ok = false;
    const int dpi = QLocale::c().toInt(value, &ok);
    if (!ok || !OutputFormats::isResolution(dpi))
        return std::nullopt;
    return dpi;
}

// Which of choices the option gives, -1 when it is not given; a value that is none of them is
// misuse, unless misuse already says why the arguments make no sense.
qsizetype choiceOf(const QCommandLineParser& parser, const QCommandLineOption& option,
                   const QStringList& choices, QString& misuse) {
    if (!parser.isSet(option))
        return -1;
    const qsizetype chosen = choices.indexOf(parser.value(option));
    if (chosen < 0 && misuse.isEmpty())
        misuse = translated("--%1 takes %2, not \"%3\"")
                     .arg(option.names().constLast(), choices.join(translated(" or ")),
                          parser.value(option));
    return chosen;
}

// How the signs are written, or why the options make no sense.
QString readWritingOptions(const QCommandLineParser& parser, const Options& o,
                           WritingOptions& writing) {
    QString misuse;
    const qsizetype arrangement =
        choiceOf(parser, o.arrange, {QStringLiteral("groups"), QStringLiteral("row")}, misuse);
    const qsizetype direction =
        choiceOf(parser, o.direction, {QStringLiteral("ltr"), QStringLiteral("rtl")}, misuse);
    const qsizetype determinative =
        choiceOf(parser, o.determinative, {QStringLiteral("man"), QStringLiteral("woman")}, misuse);
    if (parser.isSet(o.direction) && parser.isSet(o.vertical) && misuse.isEmpty())
        misuse = translated("--direction and --vertical contradict each other");
    using enum WritingOptions::Direction;
    writing.arrangement =
        arrangement == 1 ? WritingOptions::Arrangement::Row : WritingOptions::Arrangement::Groups;
    writing.direction = parser.isSet(o.vertical) ? Columns
                        : direction == 1         ? RightToLeft
                                                 : LeftToRight;
    writing.determinative = WritingOptions::Determinative(determinative + 1);
    writing.cartouche = parser.isSet(o.cartouche);
    return misuse;
}

// The options of a file, or why they make no sense.
QString readOutputOptions(const QCommandLineParser& parser, const Options& o,
                          OutputOptions& options) {
    if (parser.isSet(o.letters) && parser.isSet(o.noLetters))
        return translated("--letters and --no-letters contradict each other");
    if (parser.isSet(o.letters) || parser.isSet(o.noLetters))
        options.letters = parser.isSet(o.letters);
    options.transparent = parser.isSet(o.transparent);
    QString misuse;
    const qsizetype paper =
        choiceOf(parser, o.paper, {QStringLiteral("a4"), QStringLiteral("letter")}, misuse);
    if (!misuse.isEmpty())
        return misuse;
    if (paper >= 0)
        options.paper = paper == 0 ? QPageSize::A4 : QPageSize::Letter;
    const qsizetype page = choiceOf(
        parser, o.page, {QStringLiteral("sheet"), QStringLiteral("cards"), QStringLiteral("text")},
        misuse);
    if (!misuse.isEmpty())
        return misuse;
    if (page >= 0)
        options.page = PageKind(page);
    options.unicodeLine = !parser.isSet(o.noUnicodeLine);
    if (parser.isSet(o.dpi)) {
        options.dpi = resolution(parser.value(o.dpi));
        if (!options.dpi)
            return translated("--dpi takes a number of dots per inch from %1 to %2, not \"%3\"")
                .arg(OutputFormats::SmallestDpi)
                .arg(OutputFormats::LargestDpi)
                .arg(parser.value(o.dpi));
    }
    if (parser.isSet(o.size)) {
        options.glyphMillimetres = glyphSize(parser.value(o.size));
        if (!options.glyphMillimetres)
            return translated("--size takes a number of millimetres from %1 to %2, not \"%3\"")
                .arg(OutputFormats::SmallestGlyph)
                .arg(OutputFormats::LargestGlyph)
                .arg(parser.value(o.size));
    }
    return {};
}

// How the text is read, or why the options make no sense.
QString readReadingOptions(const QCommandLineParser& parser, const Options& o,
                           CommandLineRequest& request) {
    if (parser.isSet(o.numerals) && parser.isSet(o.noNumerals))
        return translated("--numerals and --no-numerals contradict each other");
    request.reading.numerals = !parser.isSet(o.noNumerals);
    QString misuse;
    request.spellBySound =
        choiceOf(parser, o.spelling, {QStringLiteral("letters"), QStringLiteral("sound")},
                 misuse) == 1;
    return misuse;
}

// What to do with the text, or why the arguments make no sense.
QString readAction(const QCommandLineParser& parser, const Options& o,
                   CommandLineRequest& request) {
    const bool fileOptions = o.anyOfAFile(parser);
    request.unicodeControls = parser.isSet(o.unicodeControls);
    if (parser.isSet(o.text)) {
        request.action = CommandLineRequest::Action::PrintUnicode;
        return fileOptions ? translated("--text prints the row; the options of a file do not go "
                                        "with it")
                           : QString();
    }
    if (request.unicodeControls)
        return translated("--unicode-controls goes with --text");
    // A text and nothing to do with it, as a desktop passes a name: the window shows it.
    if (!fileOptions && !o.anyOfWriting(parser) && request.batchFile.isEmpty()) {
        request.action = CommandLineRequest::Action::OpenWindow;
        return {};
    }
    request.action = CommandLineRequest::Action::WriteFile;
    if (request.outputPath.isEmpty())
        return translated("no file to write (give -o FILE, or --text to print the row)");
    return readOutputOptions(parser, o, request.options);
}

// What to write and where, or why the arguments make no sense.
QString readWhatToWrite(const QCommandLineParser& parser, const Options& o,
                        CommandLineRequest& request) {
    for (const QString& misuse : {readReadingOptions(parser, o, request),
                                  readWritingOptions(parser, o, request.options.writing)}) {
        if (!misuse.isEmpty())
            return misuse;
    }
    const QStringList texts = parser.positionalArguments();
    if (texts.size() > 1)
        return translated("one text at a time; put quotes around a text of several words");
    request.text = texts.value(0);
    request.batchFile = parser.value(o.batch);
    if (request.text.isEmpty() == request.batchFile.isEmpty())
        return request.text.isEmpty() ? translated("no text to spell (give a TEXT or --batch FILE)")
                                      : translated("give a TEXT or --batch FILE, not both");
    request.outputPath = parser.value(o.output);
    return readAction(parser, o, request);
}

} // namespace

namespace CommandLine {

Parsed parse(const QStringList& arguments) {
    const Options o;
    QCommandLineParser parser;
    o.addTo(parser);
    Parsed parsed;
    if (!parser.parse(arguments)) {
        parsed.usageError = parser.errorText();
        return parsed;
    }
    if (parser.isSet(o.help))
        parsed.request.action = CommandLineRequest::Action::ShowHelp;
    else if (parser.isSet(o.version))
        parsed.request.action = CommandLineRequest::Action::ShowVersion;
    else
        parsed.usageError = readWhatToWrite(parser, o, parsed.request);
    return parsed;
}

QString helpText() {
    const Options o;
    QCommandLineParser parser;
    o.addTo(parser);
    // Qt names the program by the path it was started from; the usage names it as it is known.
    QString help = parser.helpText();
    const QString started = QCoreApplication::arguments().value(0);
    const qsizetype lineEnd = help.indexOf(u'\n');
    const qsizetype at = help.left(lineEnd).indexOf(started);
    if (!started.isEmpty() && at >= 0)
        help.replace(at, started.size(), QString::fromLatin1(CommandLine::ProgramName));
    return help;
}

} // namespace CommandLine
