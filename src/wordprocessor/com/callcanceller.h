#pragma once

#include <memory>
#include <windows.h>

namespace wordcom {

// Lets another thread give up on Word while the calling thread waits for one of its calls: the
// call in progress then fails with RPC_E_CALL_CANCELED. It does so as the message filter of the
// calling thread's apartment, from construction to destruction on that thread.
class CallCanceller {
public:
    CallCanceller();
    ~CallCanceller();
    CallCanceller(const CallCanceller&) = delete;
    CallCanceller& operator=(const CallCanceller&) = delete;

    // Safe from any thread.
    void cancel();
    bool isCancelled() const;
    // Throws ComError(RPC_E_CALL_CANCELED) once cancelled.
    void throwIfCancelled() const;

private:
    class Filter;
    const std::unique_ptr<Filter> m_filter;
    const DWORD m_thread;
    IMessageFilter* m_previous = nullptr;
    bool m_installed = false;
};

} // namespace wordcom
