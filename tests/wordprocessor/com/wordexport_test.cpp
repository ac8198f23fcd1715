#include "fakewordhost.h"
#include "wordprocessor/api/exportsteps.h"
#include "wordprocessor/com/comerror.h"
#include "wordprocessor/com/wordapplication.h"

#include <array>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using fakeword::Apartment;
using fakeword::Behaviour;
using fakeword::FakeWordHost;
using fakeword::Leaks;
using wordcom::ComError;

using Slots = std::array<std::wstring, 11>;
using Calls = std::vector<std::wstring>;

// The calls of each part of an export, as the fake Word records them.
const Calls started = {L"(Word started)", L"Application.Documents",
                       L"Documents.Add(NewTemplate:=False)"};
const Calls madeVisible = {L"Application.Visible = True"};
const Calls counted = {L"Application.Documents", L"Documents.Count"};
const Calls blankAdded = {L"Application.Documents", L"Documents.Add()"};
const Calls paragraphs = {L"Application.Selection", L"Selection.TypeParagraph()",
                          L"Application.Selection", L"Selection.TypeParagraph()"};

// An empty alternative text sets none.
Calls picture(const std::wstring& path, const std::wstring& altText = L"") {
    Calls calls = {L"Application.Selection", L"Selection.InlineShapes",
                   L"InlineShapes.AddPicture(FileName:=\"" + path +
                       L"\", LinkToFile:=False, SaveWithDocument:=True)"};
    if (!altText.empty())
        calls.push_back(L"InlineShape.AlternativeText = \"" + altText + L'"');
    return calls;
}

Calls sequence(std::initializer_list<Calls> parts) {
    Calls all;
    for (const Calls& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const std::wstring a = L"C:\\Scarabo\\Images\\a.gif";
const std::wstring sh = L"C:\\Scarabo\\Images\\sh.gif";
const std::wstring p = L"C:\\Scarabo\\Images\\p.gif";

struct Failure {
    std::int32_t number;
    std::wstring description;
};

struct ExportCase {
    const char* name;
    Behaviour word;
    Slots glyphFiles;
    Calls calls;
    std::optional<Failure> failure = {};
    Slots altTexts = {};
};

void PrintTo(const ExportCase& row, std::ostream* out) {
    *out << row.name;
}

// Wine's system message table has no texts for the COM codes below; Windows has ("Server execution
// failed", "Class not registered", "Operation unavailable", "Invalid class string").
const ExportCase exportCases[] = {
    {"RunningWithDocumentEmptySlotsSkipped",
     {},
     {L"", a, sh, L"", L"", p},
     sequence({madeVisible, counted, picture(a, L"a: G1, vulture"), picture(sh, L"sh: N37, pool"),
               picture(p), paragraphs}),
     {},
     {L"unused", L"a: G1, vulture", L"sh: N37, pool", L"left out"}},
    {"RunningWithoutDocument",
     {.openDocuments = 0},
     {L"", a},
     sequence({madeVisible, counted, blankAdded, picture(a), paragraphs})},
    {"NotRunningIsStarted",
     {.running = false, .openDocuments = 0},
     {L"", a},
     sequence({started, madeVisible, counted, picture(a), paragraphs})},
    {"AllSlotsEmptySlotZeroIgnored", {}, {a}, sequence({madeVisible, counted, paragraphs})},
    {"CannotStart",
     {.startFails = true, .running = false},
     {L"", a},
     {L"(Word started)"},
     Failure{CO_E_SERVER_EXEC_FAILURE, L"Unknown error 0x80080005"}},
    {"NothingToStart",
     {.startable = false, .running = false},
     {L"", a},
     {},
     Failure{REGDB_E_CLASSNOTREG, L"Unknown error 0x80040154"}},
    {"StartedButNotRunning",
     {.registersWhenStarted = false, .running = false},
     {L"", a},
     {L"(Word started)"},
     Failure{MK_E_UNAVAILABLE, L"Unknown error 0x800401E3"}},
    {"NotInstalled",
     {.installed = false, .running = false},
     {L"", a},
     {},
     Failure{CO_E_CLASSSTRING, L"Unknown error 0x800401F3"}},
    {"SecondOfThreePicturesFails",
     {.failingPicture = 2},
     {L"", a, sh, p},
     sequence({madeVisible, counted, picture(a), picture(sh)}),
     Failure{5152, L"This is not a valid file name."}},
    {"VisibleFails",
     {.visibleFails = true},
     {L"", a},
     madeVisible,
     Failure{4605,
             L"This method or property is not available because a document window is not active."}},
};

// Runs the export through the COM backend, answering the failure it ends with, if any.
std::optional<ComError> exportTo(wordcom::WordApplication& application, const Slots& glyphFiles,
                                 const Slots& altTexts = {}) {
    try {
        wordexport::exportGlyphs(application, glyphFiles, altTexts);
    } catch (const ComError& error) {
        return error;
    }
    return std::nullopt;
}

class WordExport : public testing::TestWithParam<std::tuple<ExportCase, Apartment>> {};

TEST_P(WordExport, MakesExactlyTheCallsAndReleasesEverything) {
    const auto& [row, apartment] = GetParam();
    FakeWordHost word(row.word, apartment);
    const std::optional<ComError> failure = [&] {
        wordcom::WordApplication application;
        return exportTo(application, row.glyphFiles, row.altTexts);
    }();
    EXPECT_EQ(word.calls(), row.calls);
    ASSERT_EQ(failure.has_value(), row.failure.has_value());
    if (failure) {
        EXPECT_EQ(failure->number(), row.failure->number);
        EXPECT_EQ(failure->description(), row.failure->description);
    }
    EXPECT_EQ(word.leaks(), Leaks{});
}

std::string caseName(const testing::TestParamInfo<WordExport::ParamType>& info) {
    const auto& [row, apartment] = info.param;
    return std::string(row.name) +
           (apartment == Apartment::Caller ? "_InCallersApartment" : "_OnItsOwnThread");
}

INSTANTIATE_TEST_SUITE_P(Word, WordExport,
                         testing::Combine(testing::ValuesIn(exportCases),
                                          testing::Values(Apartment::Caller, Apartment::OwnThread)),
                         caseName);

class WordExportCancelled : public testing::TestWithParam<Apartment> {};

TEST_P(WordExportCancelled, BeforehandMakesNoCallAtAll) {
    FakeWordHost word({}, GetParam());
    const std::optional<ComError> failure = [&] {
        wordcom::WordApplication application;
        application.cancel();
        return exportTo(application, {L"", a});
    }();
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->number(), RPC_E_CALL_CANCELED);
    EXPECT_EQ(word.calls(), Calls{});
    EXPECT_EQ(word.leaks(), Leaks{});
}

INSTANTIATE_TEST_SUITE_P(Word, WordExportCancelled,
                         testing::Values(Apartment::Caller, Apartment::OwnThread));

// Only a Word in another apartment can hang while the caller waits. Here it hangs in the last call
// of the export, so only the cancelled call itself can make the export fail. Wine, unlike
// Windows, waits for the answer even of a cancelled call, so the fake answers a little later.
TEST(WordExportCancelledWhileWordHangs, FailsTheCallInProgress) {
    const Calls lastHangs = sequence({madeVisible, counted, paragraphs});
    FakeWordHost word({.hangingCall = static_cast<int>(lastHangs.size())}, Apartment::OwnThread);
    wordcom::WordApplication application;
    std::thread canceller([&] {
        for (int waited = 0; waited < 1000 && !word.isHanging(); ++waited)
            Sleep(10);
        application.cancel();
        Sleep(100);
        word.endHanging();
    });
    const std::optional<ComError> failure = exportTo(application, {});
    canceller.join();
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->number(), RPC_E_CALL_CANCELED);
    EXPECT_EQ(word.calls(), lastHangs);
}

} // namespace
