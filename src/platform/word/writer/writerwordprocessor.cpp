#include "writerwordprocessor.h"

#include "officeerror.h"
#include "picturefile.h"
#include "textdocument.h"

#include <utility>

namespace {

constexpr std::chrono::milliseconds startPollInterval{100};

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

WriterWordProcessor::WriterWordProcessor(WriterSettings settings)
    : m_settings(std::move(settings)) {}

WriterWordProcessor::~WriterWordProcessor() = default;

bool WriterWordProcessor::findRunning() {
    try {
        m_office = connect();
        return true;
    } catch (const RuntimeError&) {
        m_office.reset();
        return false;
    }
}

void WriterWordProcessor::start() {
    m_abortSwitch->throwIfAborted();
    if (m_settings.program.isEmpty()) {
        throw wordProcessorError(WordErrorNumber::CannotCreateObject,
                                 QStringLiteral("LibreOffice Writer is not installed"));
    }
    m_started = OfficeProcess::start(m_settings.program, m_settings.startArguments());
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

void WriterWordProcessor::addPicture(const QString& path) {
    const QByteArray picture = readPictureFile(path);
    onDesktop([this, &picture](const TextDocuments::Desktop& desktop) {
        TextDocuments::insertPicture(office().context(), TextDocuments::active(desktop), picture);
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
    return OfficeConnection::open(m_settings.pipeName, m_abortSwitch);
}

std::unique_ptr<OfficeConnection> WriterWordProcessor::waitForStartedOffice() const {
    const auto deadline = std::chrono::steady_clock::now() + m_settings.startTimeout;
    for (;;) {
        // Read before trying: a process that failed before a refused try is caught next round.
        const auto state = m_started->state();
        try {
            return connect();
        } catch (const RuntimeError&) {
            m_abortSwitch->throwIfAborted();
        }
        if (state == OfficeProcess::State::Failed) {
            throw wordProcessorError(
                WordErrorNumber::CannotCreateObject,
                QStringLiteral("LibreOffice ended while starting (%1)").arg(m_started->failure()));
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            throw wordProcessorError(
                WordErrorNumber::CannotCreateObject,
                QStringLiteral("LibreOffice did not answer within %1 seconds")
                    .arg(std::chrono::duration<double>(m_settings.startTimeout).count()));
        }
        if (!m_abortSwitch->sleep(startPollInterval))
            m_abortSwitch->throwIfAborted();
    }
}

const OfficeConnection& WriterWordProcessor::office() const {
    if (!m_office)
        throw wordProcessorError(WordErrorNumber::ObjectNotSet);
    return *m_office;
}
