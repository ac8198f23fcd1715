#pragma once

#include "wordprocessor/api/adddocumentarguments.h"
#include "wordprocessor/com/callcanceller.h"
#include "wordprocessor/com/dispatch.h"

#include <cstdint>
#include <string>

namespace wordcom {

using wordexport::AddDocumentArguments;

// Word's Application object, bound late through the "Word.Application" programmatic id. Each
// operation fetches the objects it goes through afresh and releases them before it returns.
// Failures throw ComError. Create, use and destroy it on one thread, in a single-threaded
// apartment; only cancel() may be called from elsewhere.
class WordApplication {
public:
    // The look-up of a running Word that may fail: false when none is found.
    bool findRunning();
    // The look-up of a running Word that must succeed; its Word replaces the one held.
    void attachRunning();
    // Starts a new Word as a local server and holds it.
    void start();

    void addDocument(AddDocumentArguments arguments) const;
    void setVisible(bool visible) const;
    std::int32_t documentCount() const;
    // Inserts the picture at the selection, embedded in the document, not linked to its file, with
    // altText as the alternative text of the new shape (none when empty).
    void addPicture(const std::wstring& path, const std::wstring& altText) const;
    void typeParagraph() const;

    // Gives up: the call in progress fails with RPC_E_CALL_CANCELED, and so does every later one.
    void cancel() { m_canceller.cancel(); }
    bool isCancelled() const { return m_canceller.isCancelled(); }

private:
    CallCanceller m_canceller;
    Dispatch m_application;
};

} // namespace wordcom
