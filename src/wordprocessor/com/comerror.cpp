#include "wordprocessor/com/comerror.h"

#include <iomanip>
#include <sstream>

namespace wordcom {

namespace {

std::wstring systemMessage(HRESULT code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (length == 0)
        return {};
    std::wstring text(buffer, length);
    LocalFree(buffer);
    // The system's texts end in a line break that a message box does not need.
    text.erase(text.find_last_not_of(L" \r\n") + 1);
    return text;
}

std::wstring unknownError(HRESULT code) {
    std::wostringstream text;
    text << L"Unknown error 0x" << std::hex << std::uppercase << std::setw(8) << std::setfill(L'0')
         << static_cast<DWORD>(code);
    return text.str();
}

std::wstring describe(HRESULT code) {
    std::wstring text = systemMessage(code);
    return text.empty() ? unknownError(code) : text;
}

// Word reports its own errors in the automation-control facility; users and Word's documentation
// know them by the short number (0x800A1420 is Word's error 5152).
std::int32_t visibleNumber(HRESULT code) {
    return HRESULT_FACILITY(code) == FACILITY_CONTROL ? HRESULT_CODE(code) : code;
}

ComError fromException(HRESULT result, EXCEPINFO& exception) {
    if (exception.pfnDeferredFillIn != nullptr)
        exception.pfnDeferredFillIn(&exception);
    const HRESULT code = exception.scode != 0 ? exception.scode : result;
    const std::int32_t number = exception.scode != 0   ? visibleNumber(exception.scode)
                                : exception.wCode != 0 ? exception.wCode
                                                       : result;
    const bool hasText = exception.bstrDescription != nullptr && *exception.bstrDescription != 0;
    return {number, hasText ? std::wstring(exception.bstrDescription) : describe(code)};
}

} // namespace

ComError comError(HRESULT result, EXCEPINFO* exception) {
    if (result == DISP_E_EXCEPTION && exception != nullptr)
        return fromException(result, *exception);
    return {result, describe(result)};
}

} // namespace wordcom
