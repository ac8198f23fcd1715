#include "commandlinerun.h"

#include "appinfo.h"
#include "commandline.h"
#include "fatalcheck.h"
#include "modmain.h"
#include "namesfile.h"
#include "rowmaker.h"
#include "rowoutput.h"
#include "runtimeerror.h"
#include "terminaltext.h"

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

// The name is the program file's, which whoever started it chose.
QString programName() {
    return TerminalText::visible(
        QFileInfo(QCoreApplication::arguments().value(0, QStringLiteral("scarabo")))
            .completeBaseName());
}

// Messages hold names and paths from the input, which are shown, never obeyed, by the terminal.
void complain(const QString& message) {
    print(stderr, QStringLiteral("%1: %2\n").arg(programName(), TerminalText::visible(message)));
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
              .arg(programName()));
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

// The alphabet's failures name the file, as every failure of the command line does.
RowMaker loadAlphabet(const QString& applicationFolder) {
    try {
        return RowMaker(applicationFolder);
    } catch (const RuntimeError& error) {
        const QString file = applicationFolder + QDir::separator() + QStringLiteral("Alphabet.dat");
        if (error.description().contains(file))
            throw;
        throw RuntimeError(error.number(), QStringLiteral("%1: %2").arg(file, error.description()));
    }
}

void tellWhatWasLeftOut(const QList<GlyphRow>& rows) {
    for (const GlyphRow& row : rows) {
        const QString note = row.leftOutNote();
        if (!note.isEmpty())
            complain(QStringLiteral("\"%1\": %2").arg(row.text(), note));
    }
}

int printUnicode(const RowMaker& maker, const QStringList& texts) {
    for (const QString& text : texts)
        print(stdout, TerminalText::visible(maker.row(text).unicodeText()) + u'\n');
    return CommandLine::Success;
}

// The files a run reads, none of which it may write: the names, the alphabet, its pictures and
// the hieroglyph font.
QStringList inputsOf(const CommandLineRequest& request, const QString& folder) {
    QStringList inputs{request.batchFile,
                       folder + QDir::separator() + QStringLiteral("Alphabet.dat")};
    for (const QString& dataFolder : {QStringLiteral("Images"), QStringLiteral("fonts")}) {
        const QDir data(folder + QDir::separator() + dataFolder);
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
            throw RuntimeError(ErrorNumber::PermissionDenied, clash);
    }
    const RowMaker maker = loadAlphabet(folder);
    const QStringList texts = request.batchFile.isEmpty() ? QStringList{request.text}
                                                          : NamesFile::read(request.batchFile);
    if (texts.isEmpty())
        return badUsage(
            QCoreApplication::translate("CommandLine", "%1 holds no names").arg(request.batchFile));
    if (request.action == CommandLineRequest::Action::PrintUnicode)
        return printUnicode(maker, texts);
    modMain::LoadFonts(folder);
    tellWhatWasLeftOut(RowOutput::write(maker, texts, request.outputPath, request.options));
    return CommandLine::Success;
}

// Why the file asked for cannot be written as asked, found before anything is read.
QString misuseOf(const CommandLineRequest& request) {
    if (request.action != CommandLineRequest::Action::WriteFile)
        return {};
    return RowOutput::misuse(request.outputPath, request.options, !request.batchFile.isEmpty());
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

} // namespace

namespace CommandLineRun {

std::optional<QString> windowText(int argc, char** argv) {
    if (argc <= 1)
        return QString();
    QStringList arguments;
    for (int k = 0; k < argc; ++k)
        arguments.append(QString::fromLocal8Bit(argv[k]));
    const CommandLine::Parsed parsed = CommandLine::parse(arguments);
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
