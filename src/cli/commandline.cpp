#include "cli/commandline.h"

#include "output/outputformats.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>

namespace {

QString translated(const char* text) {
    return QCoreApplication::translate("CommandLine", text);
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
    QCommandLineOption size{QStringLiteral("size"),
                            translated("The size of a glyph in a document, in millimetres (%1 to "
                                       "%2; %3 unless given).")
                                .arg(OutputFormats::SmallestGlyph)
                                .arg(OutputFormats::LargestGlyph)
                                .arg(OutputFormats::DefaultGlyph),
                            QStringLiteral("MM")};
    QCommandLineOption letters{QStringLiteral("letters"),
                               translated("Write the letters under each glyph.")};
    QCommandLineOption noLetters{QStringLiteral("no-letters"),
                                 translated("Write the glyphs without their letters.")};
    QCommandLineOption cartouche{
        QStringLiteral("cartouche"),
        translated("Frame each line of a name in a cartouche (documents).")};
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

    void addTo(QCommandLineParser& parser) const {
        parser.setApplicationDescription(
            translated("Spells English text in ancient Egyptian hieroglyphs. Without arguments it "
                       "opens its window; with a TEXT alone it opens the window with TEXT "
                       "converted."));
        parser.addOptions({help, version, output, batch, text, size, letters, noLetters, cartouche,
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

// The options of how to write, or why they make no sense.
QString readOutputOptions(const QCommandLineParser& parser, const Options& o,
                          OutputOptions& options) {
    if (parser.isSet(o.letters) && parser.isSet(o.noLetters))
        return translated("--letters and --no-letters contradict each other");
    if (parser.isSet(o.letters) || parser.isSet(o.noLetters))
        options.letters = parser.isSet(o.letters);
    options.transparent = parser.isSet(o.transparent);
    options.cartouche = parser.isSet(o.cartouche);
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
    const QString spelling = parser.value(o.spelling);
    if (parser.isSet(o.spelling) && spelling != u"letters" && spelling != u"sound")
        return translated("--spelling takes letters or sound, not \"%1\"").arg(spelling);
    request.spellBySound = spelling == u"sound";
    return {};
}

// What to write and where, or why the arguments make no sense.
QString readWhatToWrite(const QCommandLineParser& parser, const Options& o,
                        CommandLineRequest& request) {
    const QString readingMisuse = readReadingOptions(parser, o, request);
    if (!readingMisuse.isEmpty())
        return readingMisuse;
    const QStringList texts = parser.positionalArguments();
    if (texts.size() > 1)
        return translated("one text at a time; put quotes around a text of several words");
    request.text = texts.value(0);
    request.batchFile = parser.value(o.batch);
    if (request.text.isEmpty() == request.batchFile.isEmpty())
        return request.text.isEmpty() ? translated("no text to spell (give a TEXT or --batch FILE)")
                                      : translated("give a TEXT or --batch FILE, not both");
    request.outputPath = parser.value(o.output);
    const bool fileOptions = parser.isSet(o.output) || parser.isSet(o.size) ||
                             parser.isSet(o.letters) || parser.isSet(o.noLetters) ||
                             parser.isSet(o.cartouche) || parser.isSet(o.transparent);
    if (parser.isSet(o.text)) {
        request.action = CommandLineRequest::Action::PrintUnicode;
        return fileOptions ? translated("--text prints the row; the options of a file do not go "
                                        "with it")
                           : QString();
    }
    // A text and nothing to do with it, as a desktop passes a name: the window shows it.
    if (!fileOptions && request.batchFile.isEmpty()) {
        request.action = CommandLineRequest::Action::OpenWindow;
        return {};
    }
    request.action = CommandLineRequest::Action::WriteFile;
    if (request.outputPath.isEmpty())
        return translated("no file to write (give -o FILE, or --text to print the row)");
    return readOutputOptions(parser, o, request.options);
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
