#include "platform/defaulthandler.h"

#include <string>

// clang-format off
#include <windows.h>
#include <shellapi.h> // needs the types of windows.h first
// clang-format on

namespace DefaultHandler {

void open(const QString& target) {
    // The wide-character call: a path or address outside the ANSI code page still opens.
    const std::wstring file = target.toStdWString();
    ShellExecuteW(nullptr, nullptr, file.c_str(), nullptr, L"C:\\", SW_SHOWNORMAL);
}

} // namespace DefaultHandler
