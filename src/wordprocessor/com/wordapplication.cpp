#include "wordprocessor/com/wordapplication.h"

#include "wordprocessor/com/comerror.h"

#include <utility>

namespace wordcom {

namespace {

using Microsoft::WRL::ComPtr;

CLSID wordClassId() {
    CLSID classId{};
    check(CLSIDFromProgID(L"Word.Application", &classId));
    return classId;
}

Dispatch runningWord() {
    ComPtr<IUnknown> running;
    check(GetActiveObject(wordClassId(), nullptr, running.GetAddressOf()));
    ComPtr<IDispatch> application;
    check(running.As(&application));
    return Dispatch(std::move(application));
}

} // namespace

bool WordApplication::findRunning() {
    m_canceller.throwIfCancelled();
    try {
        m_application = runningWord();
        return true;
    } catch (const ComError&) {
        return false;
    }
}

void WordApplication::attachRunning() {
    m_canceller.throwIfCancelled();
    m_application = runningWord();
}

void WordApplication::start() {
    m_canceller.throwIfCancelled();
    ComPtr<IDispatch> application;
    check(CoCreateInstance(wordClassId(), nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                           reinterpret_cast<void**>(application.GetAddressOf())));
    m_application = Dispatch(std::move(application));
}

void WordApplication::addDocument(AddDocumentArguments arguments) const {
    m_canceller.throwIfCancelled();
    Arguments passed;
    if (arguments == AddDocumentArguments::NewTemplateFalse)
        passed.omitted().boolean(false); // Template left out, NewTemplate False
    m_application.object(L"Documents").call(L"Add", passed);
}

void WordApplication::setVisible(bool visible) const {
    m_canceller.throwIfCancelled();
    m_application.put(L"Visible", visible);
}

std::int32_t WordApplication::documentCount() const {
    m_canceller.throwIfCancelled();
    return m_application.object(L"Documents").integer(L"Count");
}

void WordApplication::addPicture(const std::wstring& path, const std::wstring& altText) const {
    m_canceller.throwIfCancelled();
    Arguments passed;
    passed.text(path).boolean(false).boolean(true); // FileName, LinkToFile, SaveWithDocument
    const Dispatch shape =
        m_application.object(L"Selection").object(L"InlineShapes").object(L"AddPicture", passed);
    if (!altText.empty())
        shape.put(L"AlternativeText", altText);
}

void WordApplication::typeParagraph() const {
    m_canceller.throwIfCancelled();
    m_application.object(L"Selection").call(L"TypeParagraph");
}

} // namespace wordcom
