#pragma once

#include "qtprinters.h"
#include "wordprocessor/api/wordprocessor.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <QString>
#include <QStringList>

// What a fake word processor remembers across exports, as the real one outlives each export:
// whether it is installed and running, its documents, every call it was given, and the content
// typed into the active document ("¶" for a paragraph mark, else a picture: its path, then its
// alternative text in brackets if it has one).
struct FakeWord {
    bool installed = true;
    bool running = false;
    int documents = 0;
    QString failingPicture; // AddPicture of this path fails, as for a missing file

    QStringList calls;
    QStringList content;
};

// A word processor that plays FakeWord and records every call, each by name and arguments.
class FakeWordProcessor : public WordProcessor {
public:
    explicit FakeWordProcessor(FakeWord& word)
        : m_word(word) {}

    bool findRunning() override;
    void start() override;
    void attachRunning() override;
    void addDocument(AddDocumentArguments arguments) override;
    void setVisible(bool visible) override;
    int documentCount() override;
    void addPicture(const QString& path, const QString& altText) override;
    void typeParagraph() override;
    void abort() override;

    // Waits until abort() has been called; false when the timeout passed first.
    bool waitForAbort(std::chrono::milliseconds timeout) const;

protected:
    void record(const QString& call);
    // Every call of an application method needs the application held, as with Word.
    void requireHeld() const;

private:
    FakeWord& m_word;
    bool m_held = false;
    mutable std::mutex m_mutex; // abort() comes from another thread
    mutable std::condition_variable m_abortCalled;
    bool m_aborted = false;
};

// Hangs in start() until aborted, like an office that never answers, then fails with 18.
class HangingWordProcessor : public FakeWordProcessor {
public:
    // `hanging` is called when start() begins to hang.
    explicit HangingWordProcessor(
        FakeWord& word, std::function<void()> hanging = [] {})
        : FakeWordProcessor(word)
        , m_hanging(std::move(hanging)) {}

    void start() override;

private:
    std::function<void()> m_hanging;
};
