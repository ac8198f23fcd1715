#include "gui/export/wordexportjob.h"

#include "wordprocessor/api/exportsteps.h"

#include <utility>

WordExportJob::WordExportJob(WordProcessorFactory factory, const GlyphSlots& glyphFiles,
                             const GlyphSlots& altTexts, std::function<void()> finished)
    : m_factory(std::move(factory))
    , m_onFinished(std::move(finished))
    , m_worker([this, glyphFiles, altTexts] { run(glyphFiles, altTexts); }) {}

WordExportJob::~WordExportJob() {
    wait();
}

void WordExportJob::cancel() {
    const std::lock_guard lock(m_mutex);
    m_cancelled = true;
    if (m_word)
        m_word->abort();
}

void WordExportJob::wait() {
    if (m_worker.joinable())
        m_worker.join();
}

void WordExportJob::rethrowFailure() const {
    if (!m_failure)
        return;
    if (m_cancelled)
        throw RuntimeError(ErrorNumber::UserInterrupt);
    std::rethrow_exception(m_failure);
}

void WordExportJob::run(const GlyphSlots& glyphFiles, const GlyphSlots& altTexts) {
    try {
        const std::unique_ptr<WordProcessor> word = m_factory();
        const Attachment attached(*this, *word);
        wordexport::exportGlyphs(*word, glyphFiles, altTexts);
    } catch (...) {
        m_failure = std::current_exception();
    }
    m_finished = true;
    m_onFinished();
}

void WordExportJob::attach(WordProcessor* word) {
    const std::lock_guard lock(m_mutex);
    m_word = word;
    if (m_word && m_cancelled)
        m_word->abort();
}
