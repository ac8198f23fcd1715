#include "platform/defaulthandler.h"

#include <string>

// clang-format off
#include <windows.h>
#include <shellapi.h> // needs the types of windows.h first
// clang-format on

namespace DefaultHandler {

void open(const QString& target, const std::function<void()>& onFailure) {
    // The wide-character call: a path or address outside the ANSI code page still opens.
    const std::wstring file = target.toStdWString();
    const HINSTANCE result =
        ShellExecuteW(nullptr, nullptr, file.c_str(), nullptr, L"C:\\", SW_SHOWNORMAL);
    // Values up to 32 are the shell's error codes.
    if (reinterpret_cast<INT_PTR>(result) <= 32 && onFailure)
        onFailure();
}

} // namespace DefaultHandler
