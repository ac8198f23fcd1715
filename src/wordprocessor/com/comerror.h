#pragma once

#include <cstdint>
#include <exception>
#include <oaidl.h>
#include <string>
#include <utility>
#include <windows.h>

namespace wordcom {

// A failed automation call, with the number and text that Word or the system reported.
class ComError : public std::exception {
public:
    ComError(std::int32_t number, std::wstring description)
        : m_number(number)
        , m_description(std::move(description)) {}

    std::int32_t number() const noexcept { return m_number; }
    const std::wstring& description() const noexcept { return m_description; }
    const char* what() const noexcept override { return "Word automation call failed"; }

private:
    std::int32_t m_number;
    std::wstring m_description;
};

// The error for a call that returned `result`; `exception` is what the call filled in when it
// raised DISP_E_EXCEPTION (its deferred part is completed here, its strings stay the caller's).
ComError comError(HRESULT result, EXCEPINFO* exception = nullptr);

inline void check(HRESULT result) {
    if (result < 0)
        throw comError(result);
}

} // namespace wordcom
