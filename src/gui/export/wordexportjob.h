#pragma once

#include "core/glyphslots.h"
#include "wordprocessor/api/wordprocessor.h"

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <QString>
#include <thread>

// File > Export to Word as a job on a worker thread of its own, so that a word processor that is
// slow to start or never answers cannot freeze the window. The word processor is created, used and
// released on the worker thread.
class WordExportJob {
public:
    // Starts the export at once with a word processor from `factory`, each picture with the
    // alternative text of its slot; `finished` is called on the worker thread when the export has
    // ended.
    WordExportJob(WordProcessorFactory factory, const GlyphSlots& glyphFiles,
                  const GlyphSlots& altTexts, std::function<void()> finished);
    // Waits for the worker.
    ~WordExportJob();
    WordExportJob(const WordExportJob&) = delete;
    WordExportJob& operator=(const WordExportJob&) = delete;

    // Gives up: the word processor's call in progress returns and the export ends with error 18.
    void cancel();
    bool isFinished() const { return m_finished; }
    void wait();
    // After wait(): throws the RuntimeError the export ended with (18 once cancelled).
    void rethrowFailure() const;

private:
    // Lets cancel() reach the word processor while the export uses it.
    class Attachment {
    public:
        Attachment(WordExportJob& job, WordProcessor& word)
            : m_job(job) {
            m_job.attach(&word);
        }
        ~Attachment() { m_job.attach(nullptr); }
        Attachment(const Attachment&) = delete;
        Attachment& operator=(const Attachment&) = delete;

    private:
        WordExportJob& m_job;
    };

    void run(const GlyphSlots& glyphFiles, const GlyphSlots& altTexts);
    void attach(WordProcessor* word);

    const WordProcessorFactory m_factory;
    const std::function<void()> m_onFinished;
    std::mutex m_mutex;
    WordProcessor* m_word = nullptr; // while the worker uses it
    bool m_cancelled = false;
    std::exception_ptr m_failure;
    std::atomic<bool> m_finished{false};
    std::thread m_worker; // last: starts once everything above is ready
};
