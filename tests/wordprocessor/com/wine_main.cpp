#include "wordprocessor/com/apartment.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace {

// The tests rewrite the machine's registration of "Word.Application"; only a throw-away Wine
// prefix may have that done to it.
bool runningInWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

} // namespace

int main(int argc, char** argv) {
    if (!runningInWine()) {
        std::fputs("These tests replace Word's registration and run only under Wine.\n", stderr);
        return 2;
    }
    testing::InitGoogleTest(&argc, argv);
    // The export's thread is a single-threaded apartment, as Word's callers are.
    const wordcom::SingleThreadedApartment apartment;
    if (FAILED(apartment.result()))
        return 3;
    return RUN_ALL_TESTS();
}
