#pragma once

#include <objbase.h>
#include <windows.h>

namespace wordcom {

// The current thread in a single-threaded apartment, as Word's callers are, for as long as this
// lives. A thread that is in a multithreaded apartment already stays there.
class SingleThreadedApartment {
public:
    SingleThreadedApartment()
        : m_entered(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~SingleThreadedApartment() {
        if (SUCCEEDED(m_entered))
            CoUninitialize();
    }
    SingleThreadedApartment(const SingleThreadedApartment&) = delete;
    SingleThreadedApartment& operator=(const SingleThreadedApartment&) = delete;

    HRESULT result() const { return m_entered; }

private:
    const HRESULT m_entered;
};

} // namespace wordcom
