#pragma once

#include "platform/runtimeerror.h"
#include "wordprocessor/api/adddocumentarguments.h"

#include <functional>
#include <memory>
#include <QString>

// A word processor driven the way Word is driven through its "Word.Application" automation
// object, cut down to what File > Export to Word needs. The object holds at most one reference to
// a running word processor (the "application"); the look-ups set it (with Word the start, too),
// and releasing the object releases the reference and leaves the word processor running with its
// documents.
//
// Every failure throws RuntimeError with the number and description that the word processor or
// the system reported (see ErrorNumber for the numbers of word-processor automation).
//
// Threading: create, use and destroy the object on one thread (the export's worker thread, so a
// word processor that does not answer never freezes the window); only abort() may be called from
// another thread, at any time.
class WordProcessor {
public:
    using AddDocumentArguments = wordexport::AddDocumentArguments;

    virtual ~WordProcessor() = default;

    // GetObject(, "Word.Application"): looks up a running instance and holds it. Answers false,
    // holding nothing, when none is found or the look-up fails in any other way.
    virtual bool findRunning() = 0;
    // CreateObject("Word.Application"): starts a new instance, which registers itself as running
    // so that attachRunning() finds it. Not installed: 429.
    virtual void start() = 0;
    // The look-up that must succeed: its instance replaces the one held.
    virtual void attachRunning() = 0;

    // Documents.Add with every argument left out, or with only NewTemplate given as False. The
    // new blank document becomes the active one.
    virtual void addDocument(AddDocumentArguments arguments) = 0;
    // Application.Visible: shows (or hides) the word processor's window.
    virtual void setVisible(bool visible) = 0;
    // Documents.Count: how many documents are open.
    virtual int documentCount() = 0;
    // Selection.InlineShapes.AddPicture FileName:=path, LinkToFile:=False, SaveWithDocument:=True:
    // inserts the picture at the selection of the active document as an inline picture stored in
    // the document (not linked to its file), at its natural size. The picture's alternative text,
    // which screen readers say for it, becomes altText; an empty one sets none.
    virtual void addPicture(const QString& path, const QString& altText) = 0;
    // Selection.TypeParagraph: one paragraph mark at the selection of the active document.
    virtual void typeParagraph() = 0;

    // Gives up: a call in progress returns as soon as it can and every call from now on fails,
    // with ErrorNumber::UserInterrupt. Thread-safe; never blocks for long.
    virtual void abort() = 0;
};

// The word processor of the backend this build has: LibreOffice Writer over UNO on Linux (Word
// over COM is meant for Windows). Without a backend, one that never runs and whose start()
// reports 429, no word processor available.
std::unique_ptr<WordProcessor> createWordProcessor();

// Where a caller gets its word processor: createWordProcessor in the program, a fake in tests.
using WordProcessorFactory = std::function<std::unique_ptr<WordProcessor>()>;

// What the window tells people of the word processor of this build: its name, and, when it is
// not installed, what to do about it in plain words (empty when it is installed or unknown); and
// what to say in plain words when it cannot be started (429, ErrorNumber::CannotCreateObject),
// with %1 for the reason, or empty to report that as the run-time error it is.
struct WordProcessorInfo {
    QString name;
    QString notInstalled;
    QString cannotStart;
};

// Of the backend this build has. Looks only at what is installed; starts nothing.
WordProcessorInfo wordProcessorInfo();
