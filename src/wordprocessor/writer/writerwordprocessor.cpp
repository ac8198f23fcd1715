#include "wordprocessor/writer/writerwordprocessor.h"

#include "wordprocessor/writer/officeerror.h"
#include "wordprocessor/writer/picturefile.h"
#include "wordprocessor/writer/textdocument.h"

#include <mutex>
#include <QCoreApplication>
#include <QHash>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <utility>

// Developer trace; warnings are shown unless turned off with
// QT_LOGGING_RULES="scarabo.writer.warning=false".
Q_LOGGING_CATEGORY(lcWriter, "scarabo.writer", QtInfoMsg)

namespace {

constexpr std::chrono::milliseconds startPollInterval{100};

// The private pipe that replaces each well-known one found unsafe, kept for the rest of the run so
// that later exports find the office started on it.
std::mutex privatePipesMutex;
QHash<QString, QString>& privatePipes() {
    static QHash<QString, QString> pipes;
    return pipes;
}

QString pipeInUse(const QString& wellKnown) {
    const std::lock_guard lock(privatePipesMutex);
    return privatePipes().value(wellKnown, wellKnown);
}

// A name no other account can guess: 128 bits from the system's secure random source.
QString replacePipe(const QString& wellKnown) {
    quint64 random[2];
    QRandomGenerator::system()->fillRange(random);
    const QString name = QStringLiteral("%1_%2%3")
                             .arg(wellKnown)
                             .arg(random[0], 16, 16, QLatin1Char('0'))
                             .arg(random[1], 16, 16, QLatin1Char('0'));
    const std::lock_guard lock(privatePipesMutex);
    privatePipes().insert(wellKnown, name);
    return name;
}

// While a started office comes up, nobody may listen on its pipe yet, and an office that is ending
// may hang up for a moment; one that goes on hanging up for the answer timeout will not answer.
// An unsafe pipe file stays unsafe.
class StartupFailures {
public:
    explicit StartupFailures(std::chrono::milliseconds hangUpLimit)
        : m_hangUpLimit(hangUpLimit) {}

    bool worthRetrying(const RuntimeError& error) {
        if (error.number() == static_cast<int>(ErrorNumber::PermissionDenied))
            return false;
        if (error.number() != static_cast<int>(ErrorNumber::ServerUnavailable))
            return true;
        const auto now = std::chrono::steady_clock::now();
        if (!m_hungUp) {
            m_hungUp = true;
            m_hangingUpSince = now;
        }
        return now - m_hangingUpSince < m_hangUpLimit;
    }

private:
    const std::chrono::milliseconds m_hangUpLimit;
    bool m_hungUp = false;
    std::chrono::steady_clock::time_point m_hangingUpSince;
};

} // namespace

template <class Work> auto WriterWordProcessor::onDesktop(Work work) const {
    const OfficeConnection& held = office();
    return callOffice(held.abortSwitch(), [&work, &held] { return work(held.desktop()); });
}

QStringList WriterSettings::startArguments() const {
    return QStringList{QStringLiteral("--nologo"), QStringLiteral("--norestore"),
                       QStringLiteral("--nodefault"),
                       QStringLiteral("--accept=pipe,name=%1;urp;StarOffice.ComponentContext")
                           .arg(pipeName)} +
           extraArguments;
}

WriterSettings WriterSettings::forThisUser() {
    WriterSettings settings;
    settings.pipeName = QStringLiteral("scarabo");
    settings.program = findOfficeProgram();
    return settings;
}

std::unique_ptr<WordProcessor> createWordProcessor() {
    return std::make_unique<WriterWordProcessor>(WriterSettings::forThisUser());
}

WordProcessorInfo wordProcessorInfo() {
    const bool installed = !findOfficeProgram().isEmpty();
    return {QStringLiteral("LibreOffice Writer"),
            installed
                ? QString()
                : QCoreApplication::translate(
                      "WordProcessor",
                      "LibreOffice Writer is not installed, so there is nothing to export to. "
                      "Install the package \"libreoffice-writer\" (for example with "
                      "\"sudo apt install libreoffice-writer\") and export again."),
            QCoreApplication::translate(
                "WordProcessor",
                "LibreOffice Writer could not be started: %1.\n\nClose any LibreOffice window "
                "that no longer answers, or start LibreOffice once from the desktop to see what it "
                "says, then export again.")};
}

WriterWordProcessor::WriterWordProcessor(WriterSettings settings)
    : m_settings(std::move(settings))
    , m_pipeName(pipeInUse(m_settings.pipeName)) {}

WriterWordProcessor::~WriterWordProcessor() = default;

bool WriterWordProcessor::findRunning() {
    try {
        m_office = connect();
        return true;
    } catch (const RuntimeError& error) {
        m_office.reset();
        if (error.number() == static_cast<int>(ErrorNumber::PermissionDenied))
            usePrivatePipe(error);
        return false;
    }
}

void WriterWordProcessor::usePrivatePipe(const RuntimeError& unsafe) {
    m_pipeName = replacePipe(m_settings.pipeName);
    qCWarning(lcWriter).noquote()
        << QStringLiteral("%1. LibreOffice is reached on the private pipe \"%2\" for the rest of "
                          "this run.")
               .arg(unsafe.description(), m_pipeName);
}

void WriterWordProcessor::start() {
    m_abortSwitch->throwIfAborted();
    if (m_settings.program.isEmpty()) {
        throw RuntimeError(ErrorNumber::CannotCreateObject,
                           QStringLiteral("LibreOffice Writer is not installed"));
    }
    WriterSettings onPipeInUse = m_settings;
    onPipeInUse.pipeName = m_pipeName;
    m_started = OfficeProcess::start(m_settings.program, onPipeInUse.startArguments());
    m_justStarted = true;
}

void WriterWordProcessor::attachRunning() {
    m_office.reset();
    m_office = m_started ? waitForStartedOffice() : connect();
}

void WriterWordProcessor::addDocument(AddDocumentArguments) {
    // Right after a start the office may be one the user already runs, which took the start over:
    // it gets a document only when it has no text document open. Both kinds of arguments open the
    // same blank text document in Writer.
    const bool afterStart = std::exchange(m_justStarted, false);
    onDesktop([afterStart](const TextDocuments::Desktop& desktop) {
        if (!afterStart || TextDocuments::count(desktop) == 0)
            TextDocuments::add(desktop);
    });
}

void WriterWordProcessor::setVisible(bool visible) {
    onDesktop([visible](const TextDocuments::Desktop& desktop) {
        // With no document open there is no window to show yet.
        if (const auto document = TextDocuments::findActive(desktop); document.is())
            TextDocuments::setWindowVisible(document, visible);
    });
}

int WriterWordProcessor::documentCount() {
    return onDesktop(TextDocuments::count);
}

void WriterWordProcessor::addPicture(const QString& path, const QString& altText) {
    const QByteArray picture = readPictureFile(path);
    onDesktop([this, &picture, &altText](const TextDocuments::Desktop& desktop) {
        TextDocuments::insertPicture(office().context(), TextDocuments::active(desktop), picture,
                                     altText);
    });
}

void WriterWordProcessor::typeParagraph() {
    onDesktop([](const TextDocuments::Desktop& desktop) {
        TextDocuments::insertParagraphBreak(TextDocuments::active(desktop));
    });
}

void WriterWordProcessor::abort() {
    m_abortSwitch->abort();
}

std::optional<qint64> WriterWordProcessor::startedProcessId() const {
    if (!m_started)
        return std::nullopt;
    return m_started->id();
}

std::unique_ptr<OfficeConnection> WriterWordProcessor::connect() const {
    return OfficeConnection::open(m_pipeName, m_abortSwitch);
}

std::unique_ptr<OfficeConnection> WriterWordProcessor::waitForStartedOffice() const {
    const auto deadline = std::chrono::steady_clock::now() + m_settings.startTimeout;
    StartupFailures failures(m_settings.answerTimeout);
    for (;;) {
        // Read before trying: a process that failed before a refused try is caught next round.
        const auto state = m_started->state();
        try {
            return connect();
        } catch (const RuntimeError& error) {
            m_abortSwitch->throwIfAborted();
            if (!failures.worthRetrying(error))
                throw;
        }
        if (state == OfficeProcess::State::Failed) {
            throw RuntimeError(
                ErrorNumber::CannotCreateObject,
                QStringLiteral("LibreOffice ended while starting (%1)").arg(m_started->failure()));
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            throw RuntimeError(
                ErrorNumber::CannotCreateObject,
                QStringLiteral("LibreOffice did not answer within %1 seconds")
                    .arg(std::chrono::duration<double>(m_settings.startTimeout).count()));
        }
        if (!m_abortSwitch->sleep(startPollInterval))
            m_abortSwitch->throwIfAborted();
    }
}

const OfficeConnection& WriterWordProcessor::office() const {
    if (!m_office)
        throw RuntimeError(ErrorNumber::ObjectNotSet);
    return *m_office;
}
