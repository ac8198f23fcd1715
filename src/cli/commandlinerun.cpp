#include "cli/commandlinerun.h"

#include "cli/commandline.h"
#include "cli/namesfile.h"
#include "cli/plainmessage.h"
#include "cli/progressline.h"
#include "cli/rowoutput.h"
#include "cli/terminaltext.h"
#include "core/alphabet.h"
#include "core/converter.h"
#include "datfile/fatalcheck.h"
#include "output/signshapes.h"
#include "output/writtenlayout.h"
#include "platform/appinfo.h"
#include "platform/programstart.h"
#include "platform/runtimeerror.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// Why standard output or standard error took less than all it was given (a full disk, a closed
// pipe), kept until the run ends so that it does not end as a success; empty while all went out.
QString lostOutput;
QString lostErrors;

void print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    const bool written = std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream) ==
                             std::size_t(bytes.size()) &&
                         std::fflush(stream) == 0;
    QString& lost = stream == stdout ? lostOutput : lostErrors;
    if (!written && lost.isEmpty())
        lost = QString::fromLocal8Bit(std::strerror(errno));
}

const QString programName = QString::fromLatin1(CommandLine::ProgramName);

// Messages hold names and paths from the input, which are shown, never obeyed, by the terminal.
void complain(const QString& message) {
    print(stderr, QStringLiteral("%1: %2\n").arg(programName, TerminalText::visible(message)));
}

// The status of a run whose messages or output could not all be written: a failure, told on
// standard error where only standard output failed.
int checkedStatus(int status) {
    if (!lostOutput.isEmpty())
        complain(QCoreApplication::translate("CommandLine", "cannot write standard output (%1)")
                     .arg(lostOutput));
    const bool lost = !lostOutput.isEmpty() || !lostErrors.isEmpty();
    return lost && status == CommandLine::Success ? CommandLine::Failure : status;
}

int badUsage(const QString& message) {
    complain(message);
    print(stderr,
          QCoreApplication::translate("CommandLine", "Try '%1 --help' for more information.\n")
              .arg(programName));
    return CommandLine::BadUsage;
}

// The program is built for the window, so on Windows it has no console of its own: what it prints
// goes to the console it was started from, unless it is sent to a file or a pipe.
void useTheStartingConsole() {
#ifdef Q_OS_WIN
    const bool outputSent = GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) != FILE_TYPE_UNKNOWN;
    const bool errorsSent = GetFileType(GetStdHandle(STD_ERROR_HANDLE)) != FILE_TYPE_UNKNOWN;
    if ((outputSent && errorsSent) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    SetConsoleOutputCP(CP_UTF8);
    if (!outputSent)
        std::freopen("CONOUT$", "w", stdout);
    if (!errorsSent)
        std::freopen("CONOUT$", "w", stderr);
#endif
}

// Without a display of its own choosing the program draws off screen, so it runs where there is
// none at all.
void drawOffScreenUnlessTold() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Runs a step on a file; its failure becomes the command line's plain message, naming the file.
template <typename Step>
auto onFile(QString (*failure)(const QString&, const RuntimeError&), const QString& file,
            Step step) {
    try {
        return step();
    } catch (const RuntimeError& error) {
        throw RuntimeError(error.number(), failure(file, error));
    }
}

void tellWhatWasLeftOut(const QStringList& leftOuts) {
    for (const QString& leftOut : leftOuts)
        complain(leftOut);
}

// The row's plain signs and the determinative's after them, or, as asked, its groups and
// cartouche written with the format controls.
QString unicodeOf(const GlyphRow& row, const CommandLineRequest& request) {
    const WritingOptions& writing = request.options.writing;
    if (request.unicodeControls)
        return writtenUnicode(layOutWriting(row, writing), true);
    if (row.unicodeText().isEmpty() || writing.determinative == WritingOptions::Determinative::None)
        return row.unicodeText();
    return row.unicodeText() + SignShapes::determinativeText(writing.determinative);
}

int printUnicode(const Converter& converter, const QStringList& texts,
                 const CommandLineRequest& request) {
    QStringList leftOuts;
    for (const QString& text : texts) {
        const GlyphRow row = converter.row(text, Converter::WholeText);
        print(stdout, TerminalText::visible(unicodeOf(row, request)) + u'\n');
        if (const QString leftOut = RowOutput::leftOut(row); !leftOut.isEmpty())
            leftOuts.append(leftOut);
    }
    tellWhatWasLeftOut(leftOuts);
    return CommandLine::Success;
}

// The file of the rows, its progress on a terminal, answering what was left out of each name.
bool isBatch(const CommandLineRequest& request) {
    return !request.batchFile.isEmpty();
}

QStringList writeFile(const Converter& converter, const QStringList& texts,
                      const CommandLineRequest& request) {
    const QString& path = request.outputPath;
    ProgressLine progress(TerminalText::visible(QFileInfo(path).fileName()),
                          ProgressLine::errorsOnTerminal(),
                          [](const QString& text) { print(stderr, text); });
    return onFile(PlainMessage::cannotWrite, path, [&] {
        return RowOutput::write(
            converter, texts, isBatch(request), path, request.options,
            [&](qsizetype done, qsizetype total) { progress.update(done, total); });
    });
}

// The program goes on with the rows the alphabet's table did read.
Alphabet loadAlphabet(const QString& folder) {
    Alphabet alphabet = Alphabet::load(folder);
    const QString damage = Alphabet::damage(alphabet.table());
    if (!damage.isEmpty())
        complain(damage);
    return alphabet;
}

// The files a run reads, none of which it may write: the names, the alphabet, its pictures and
// the hieroglyph font.
QStringList inputsOf(const CommandLineRequest& request, const QString& folder) {
    QStringList inputs{request.batchFile, Alphabet::tablePath(folder),
                       SoundSpelling::tablePath(folder)};
    for (const QString& dataFolder :
         {Alphabet::imagesFolder(folder), AppInfo::dataPath(folder, QStringLiteral("fonts"))}) {
        const QDir data(dataFolder);
        for (const QString& file : data.entryList(QDir::Files))
            inputs.append(data.filePath(file));
    }
    return inputs;
}

int carryOut(const CommandLineRequest& request) {
    const QString folder = AppInfo::applicationFolder();
    if (request.action == CommandLineRequest::Action::WriteFile) {
        const QString clash = RowOutput::inputClash(request.outputPath, inputsOf(request, folder));
        if (!clash.isEmpty())
            throw RuntimeError(int(ErrorNumber::PermissionDenied), clash);
    }
    Converter converter(onFile(PlainMessage::cannotRead, Alphabet::tablePath(folder),
                               [&] { return loadAlphabet(folder); }),
                        request.reading);
    if (request.spellBySound) {
        const QString rules = SoundSpelling::tablePath(folder);
        converter.setSoundSpelling(std::make_shared<const SoundSpelling>(
            onFile(PlainMessage::cannotRead, rules, [&] { return SoundSpelling::load(rules); })));
    }
    const QStringList texts = request.batchFile.isEmpty()
                                  ? QStringList{request.text}
                                  : onFile(PlainMessage::cannotRead, request.batchFile,
                                           [&] { return NamesFile::read(request.batchFile); });
    if (texts.isEmpty())
        return badUsage(
            QCoreApplication::translate("CommandLine", "%1 holds no names").arg(request.batchFile));
    // The signs are measured in the bundled font, for the files and for the format controls.
    if (request.action == CommandLineRequest::Action::WriteFile || request.unicodeControls)
        modMain::LoadFonts(folder);
    if (request.action == CommandLineRequest::Action::PrintUnicode)
        return printUnicode(converter, texts, request);
    if (const QString misuse = RowOutput::sizeMisuse(converter, texts, isBatch(request),
                                                     request.outputPath, request.options);
        !misuse.isEmpty())
        return badUsage(misuse);
    tellWhatWasLeftOut(writeFile(converter, texts, request));
    return CommandLine::Success;
}

// Why the file asked for cannot be written as asked, found before anything is read.
QString misuseOf(const CommandLineRequest& request) {
    if (request.action != CommandLineRequest::Action::WriteFile)
        return {};
    return RowOutput::misuse(request.outputPath, request.options, isBatch(request));
}

int answer(const CommandLineRequest& request) {
    if (request.action == CommandLineRequest::Action::ShowHelp) {
        print(stdout, TerminalText::visibleLines(CommandLine::helpText()));
        return CommandLine::Success;
    }
    if (request.action == CommandLineRequest::Action::ShowVersion) {
        print(stdout, QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                    QCoreApplication::applicationVersion()));
        return CommandLine::Success;
    }
    if (const QString misuse = misuseOf(request); !misuse.isEmpty())
        return badUsage(misuse);
    try {
        return carryOut(request);
    } catch (const RuntimeError& error) {
        complain(error.description());
        return CommandLine::Failure;
    }
}

// Qt's own start-up options (QGuiApplication's and QApplication's), which take their value as
// the next argument or after "="; Qt reads them with one dash or two.
const QStringList qtOptionsWithValue{QStringLiteral("platform"),
                                     QStringLiteral("platformpluginpath"),
                                     QStringLiteral("platformtheme"),
                                     QStringLiteral("plugin"),
                                     QStringLiteral("qwindowgeometry"),
                                     QStringLiteral("qwindowicon"),
                                     QStringLiteral("qwindowtitle"),
                                     QStringLiteral("session"),
                                     QStringLiteral("display"),
                                     QStringLiteral("geometry"),
                                     QStringLiteral("name"),
                                     QStringLiteral("title"),
                                     QStringLiteral("style"),
                                     QStringLiteral("stylesheet"),
                                     QStringLiteral("qmljsdebugger")};
const QStringList qtOptionsAlone{QStringLiteral("reverse"), QStringLiteral("nograb"),
                                 QStringLiteral("dograb"), QStringLiteral("sync"),
                                 QStringLiteral("widgetcount")};

// The option's name without its dashes, or empty for an argument that is no option.
QString optionName(const QString& argument) {
    if (!argument.startsWith(u'-') || argument == u"-" || argument == u"--")
        return {};
    const QString name = argument.mid(argument.startsWith(QStringLiteral("--")) ? 2 : 1);
    return name.section(u'=', 0, 0);
}

// The arguments without Qt's own start-up options and their values.
QStringList withoutQtOptions(const QStringList& arguments) {
    QStringList ours = arguments.mid(0, 1);
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString name = optionName(arguments.at(i));
        if (qtOptionsWithValue.contains(name) && !arguments.at(i).contains(u'='))
            ++i; // its value
        else if (!qtOptionsWithValue.contains(name) && !qtOptionsAlone.contains(name))
            ours.append(arguments.at(i));
    }
    return ours;
}

} // namespace

namespace CommandLineRun {

std::optional<QString> windowText(const QStringList& arguments) {
    const QStringList ours = withoutQtOptions(arguments);
    if (ours.size() <= 1)
        return QString();
    const CommandLine::Parsed parsed = CommandLine::parse(ours);
    if (!parsed.usageError.isEmpty() ||
        parsed.request.action != CommandLineRequest::Action::OpenWindow)
        return std::nullopt;
    return parsed.request.text;
}

int run(int argc, char** argv) {
    useTheStartingConsole();
    drawOffScreenUnlessTold();
    QGuiApplication app(argc, argv);
    modMain::DescribeProgram();
    FatalCheck::setHandler([](const QString& message) {
        complain(message);
        std::exit(CommandLine::Failure);
    });
    const CommandLine::Parsed parsed = CommandLine::parse(QCoreApplication::arguments());
    return checkedStatus(parsed.usageError.isEmpty() ? answer(parsed.request)
                                                     : badUsage(parsed.usageError));
}

} // namespace CommandLineRun
