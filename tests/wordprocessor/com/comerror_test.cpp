#include "wordprocessor/com/comerror.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

using wordcom::comError;

struct Reported {
    WORD wCode;
    SCODE scode;
    const wchar_t* description; // null: none given
};

struct ErrorCase {
    const char* name;
    HRESULT result;
    std::optional<Reported> reported; // what the call filled in its EXCEPINFO
    std::int32_t number;
    std::wstring description;
};

void PrintTo(const ErrorCase& row, std::ostream* out) {
    *out << row.name;
}

// The system texts are Wine's, where these tests run.
const ErrorCase errorCases[] = {
    {"PlainFailureUsesTheSystemText", E_FAIL, {}, E_FAIL, L"Call failed."},
    {"ScodeAndTextFromTheServer", DISP_E_EXCEPTION,
     Reported{0, static_cast<SCODE>(0x800A1066), L"Command failed"}, 0x1066, L"Command failed"},
    {"WCodeWhenNoScode", DISP_E_EXCEPTION, Reported{4605, 0, L"Not available."}, 4605,
     L"Not available."},
    {"SystemTextForAnScodeWithoutText", DISP_E_EXCEPTION, Reported{0, E_OUTOFMEMORY, L""},
     E_OUTOFMEMORY, L"Out of memory."},
    {"NothingReportedLeavesTheResult", DISP_E_EXCEPTION, Reported{0, 0, nullptr}, DISP_E_EXCEPTION,
     L"Unknown error 0x80020009"},
    {"UnknownCode",
     static_cast<HRESULT>(0xA0001234),
     {},
     static_cast<std::int32_t>(0xA0001234),
     L"Unknown error 0xA0001234"},
};

class ComErrorTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(ComErrorTest, TakesNumberAndTextFromTheBestSource) {
    const ErrorCase& row = GetParam();
    EXCEPINFO exception{};
    if (row.reported) {
        exception.wCode = row.reported->wCode;
        exception.scode = row.reported->scode;
        exception.bstrDescription = SysAllocString(row.reported->description);
    }
    const wordcom::ComError error = comError(row.result, row.reported ? &exception : nullptr);
    SysFreeString(exception.bstrDescription);
    EXPECT_EQ(error.number(), row.number);
    EXPECT_EQ(error.description(), row.description);
}

std::string caseName(const testing::TestParamInfo<ErrorCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Failures, ComErrorTest, testing::ValuesIn(errorCases), caseName);

HRESULT CALLBACK fillInLater(EXCEPINFO* exception) {
    exception->scode = static_cast<SCODE>(0x800A1420);
    exception->bstrDescription = SysAllocString(L"Filled in later");
    return S_OK;
}

TEST(ComErrorTest, CompletesDeferredDetailsFirst) {
    EXCEPINFO exception{};
    exception.pfnDeferredFillIn = fillInLater;
    const wordcom::ComError error = comError(DISP_E_EXCEPTION, &exception);
    SysFreeString(exception.bstrDescription);
    EXPECT_EQ(error.number(), 5152);
    EXPECT_EQ(error.description(), L"Filled in later");
}

} // namespace
