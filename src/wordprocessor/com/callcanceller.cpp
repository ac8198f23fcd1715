#include "wordprocessor/com/callcanceller.h"

#include "wordprocessor/com/comerror.h"

#include <atomic>
#include <objidl.h>

namespace wordcom {

// What COM asks while a call waits. Its owner decides its lifetime, so references are not counted.
class CallCanceller::Filter final : public IMessageFilter {
public:
    std::atomic<bool> cancelled{false};

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        if (iid != IID_IUnknown && iid != IID_IMessageFilter) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IMessageFilter*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, INTERFACEINFO*) override {
        return SERVERCALL_ISHANDLED;
    }
    // As without a filter: a call that Word rejects fails at once.
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD, DWORD) override {
        return static_cast<DWORD>(-1);
    }
    DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override {
        return cancelled ? PENDINGMSG_CANCELCALL : PENDINGMSG_WAITDEFPROCESS;
    }
};

CallCanceller::CallCanceller()
    : m_filter(std::make_unique<Filter>())
    , m_thread(GetCurrentThreadId()) {
    // The thread needs a message queue for cancel() to wake it while it waits.
    MSG message;
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    // Only a single-threaded apartment has message filters; elsewhere a call in progress simply
    // runs to its end.
    m_installed = SUCCEEDED(CoRegisterMessageFilter(m_filter.get(), &m_previous));
}

CallCanceller::~CallCanceller() {
    if (m_installed)
        CoRegisterMessageFilter(m_previous, nullptr);
    if (m_previous != nullptr)
        m_previous->Release();
}

void CallCanceller::cancel() {
    m_filter->cancelled = true;
    // A message arriving during the call makes COM ask the filter what to do.
    PostThreadMessageW(m_thread, WM_NULL, 0, 0);
}

bool CallCanceller::isCancelled() const {
    return m_filter->cancelled;
}

void CallCanceller::throwIfCancelled() const {
    if (isCancelled())
        throw comError(RPC_E_CALL_CANCELED);
}

} // namespace wordcom
