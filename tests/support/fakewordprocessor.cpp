#include "fakewordprocessor.h"

bool FakeWordProcessor::findRunning() {
    record(QStringLiteral("findRunning"));
    m_held = m_word.running;
    return m_held;
}

void FakeWordProcessor::start() {
    record(QStringLiteral("start"));
    if (!m_word.installed)
        throw RuntimeError(ErrorNumber::CannotCreateObject);
    m_word.running = true;
}

void FakeWordProcessor::attachRunning() {
    record(QStringLiteral("attachRunning"));
    if (!m_word.running)
        throw RuntimeError(ErrorNumber::CannotCreateObject);
    m_held = true;
}

void FakeWordProcessor::addDocument(AddDocumentArguments arguments) {
    record(arguments == AddDocumentArguments::NewTemplateFalse
               ? QStringLiteral("Documents.Add NewTemplate:=False")
               : QStringLiteral("Documents.Add"));
    requireHeld();
    ++m_word.documents;
}

void FakeWordProcessor::setVisible(bool visible) {
    record(visible ? QStringLiteral("Visible = True") : QStringLiteral("Visible = False"));
    requireHeld();
}

int FakeWordProcessor::documentCount() {
    record(QStringLiteral("Documents.Count"));
    requireHeld();
    return m_word.documents;
}

void FakeWordProcessor::addPicture(const QString& path, const QString& altText) {
    const QString picture = altText.isEmpty() ? path : QStringLiteral("%1 [%2]").arg(path, altText);
    record(QStringLiteral("AddPicture ") + picture);
    requireHeld();
    if (path == m_word.failingPicture)
        throw RuntimeError(5152, QStringLiteral("This is not a valid file name."));
    m_word.content.append(picture);
}

void FakeWordProcessor::typeParagraph() {
    record(QStringLiteral("TypeParagraph"));
    requireHeld();
    m_word.content.append(QStringLiteral("¶"));
}

void FakeWordProcessor::abort() {
    {
        const std::lock_guard lock(m_mutex);
        m_aborted = true;
    }
    m_abortCalled.notify_all();
}

bool FakeWordProcessor::waitForAbort(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    return m_abortCalled.wait_for(lock, timeout, [this] { return m_aborted; });
}

void FakeWordProcessor::record(const QString& call) {
    m_word.calls.append(call);
}

void FakeWordProcessor::requireHeld() const {
    if (!m_held)
        throw RuntimeError(ErrorNumber::ObjectNotSet);
}

void HangingWordProcessor::start() {
    record(QStringLiteral("start"));
    m_hanging();
    if (waitForAbort(std::chrono::seconds(30)))
        throw RuntimeError(ErrorNumber::UserInterrupt);
}
