#include "errornumber.h"
#include "fakewordprocessor.h"
#include "gui/export/wordexportjob.h"
#include "wordprocessor/api/exportsteps.h"

#include <gmock/gmock.h>

namespace {

// Slots filled with the given paths or texts, the rest empty.
GlyphSlots slots(std::initializer_list<std::pair<int, const char*>> filled) {
    GlyphSlots glyphSlots;
    for (const auto& [slot, text] : filled)
        glyphSlots.at(slot) = QString::fromUtf8(text);
    return glyphSlots;
}

// Runs the export steps once; answers the number of the error it ended with, or 0.
int exportOnce(FakeWord& word, const GlyphSlots& glyphFiles, const GlyphSlots& altTexts = {}) {
    FakeWordProcessor processor(word);
    return errorNumberOf([&] { wordexport::exportGlyphs(processor, glyphFiles, altTexts); });
}

// What ends up in the document, and how many documents there are, follow from the calls the fake
// received; the calls alone are checked.
struct ExportCase {
    const char* name;
    FakeWord word;
    GlyphSlots glyphFiles;
    QStringList expectedCalls;
    int expectedError;
    GlyphSlots altTexts = {};
};

FakeWord running(int documents) {
    FakeWord word;
    word.running = true;
    word.documents = documents;
    return word;
}

FakeWord notRunning(bool installed = true) {
    FakeWord word;
    word.installed = installed;
    return word;
}

FakeWord failingAt(const char* path) {
    FakeWord word = running(1);
    word.failingPicture = QString::fromUtf8(path);
    return word;
}

const QString found = QStringLiteral("findRunning");
const QString visible = QStringLiteral("Visible = True");
const QString count = QStringLiteral("Documents.Count");
const QString paragraph = QStringLiteral("TypeParagraph");

// The picture's path, then its alternative text in brackets if it has one.
QString picture(const char* inserted) {
    return QStringLiteral("AddPicture ") + QString::fromUtf8(inserted);
}

const ExportCase exportCases[] = {
    // Nothing converted: two paragraph marks and no picture; slot 0 is never exported.
    {"AllSlotsEmpty",
     running(1),
     slots({{0, "/g/unused.gif"}}),
     {found, visible, count, paragraph, paragraph},
     0},
    // Their pictures in slot order, each with the text of its slot; the empty slots are skipped.
    {"Slots1And2And5",
     running(1),
     slots({{1, "/g/a.gif"}, {2, "/g/b.gif"}, {5, "/g/e.gif"}}),
     {found, visible, count, picture("/g/a.gif [a: G1, vulture]"),
      picture("/g/b.gif [b: D58, foot]"), picture("/g/e.gif"), paragraph, paragraph},
     0,
     slots({{0, "unused"}, {1, "a: G1, vulture"}, {2, "b: D58, foot"}, {3, "left out"}})},
    // Only the exact empty string is skipped, up to the last slot.
    {"BlankLastSlot",
     running(1),
     slots({{10, " "}}),
     {found, visible, count, picture(" "), paragraph, paragraph},
     0},
    // Exactly one document is added, with every argument left out.
    {"RunningWithoutDocument",
     running(0),
     slots({{1, "/g/a.gif"}}),
     {found, visible, count, QStringLiteral("Documents.Add"), picture("/g/a.gif"), paragraph,
      paragraph},
     0},
    // Started, looked up again, one document added with NewTemplate False, made visible.
    {"NotRunning",
     notRunning(),
     slots({{1, "/g/a.gif"}}),
     {found, QStringLiteral("start"), QStringLiteral("attachRunning"),
      QStringLiteral("Documents.Add NewTemplate:=False"), visible, count, picture("/g/a.gif"),
      paragraph, paragraph},
     0},
    // The start fails and nothing else is tried.
    {"NotInstalled",
     notRunning(false),
     slots({{1, "/g/a.gif"}}),
     {found, QStringLiteral("start")},
     429},
    // Earlier pictures stay, later ones and the paragraph marks never come.
    {"FailingPicture",
     failingAt("/g/missing.gif"),
     slots({{1, "/g/a.gif"}, {2, "/g/missing.gif"}, {3, "/g/c.gif"}}),
     {found, visible, count, picture("/g/a.gif"), picture("/g/missing.gif")},
     5152},
};

void PrintTo(const ExportCase& row, std::ostream* out) {
    *out << row.name;
}

class ExportSteps : public testing::TestWithParam<ExportCase> {};

TEST_P(ExportSteps, CallsTheWordProcessorInOrder) {
    const ExportCase& row = GetParam();
    FakeWord word = row.word;

    EXPECT_EQ(exportOnce(word, row.glyphFiles, row.altTexts), row.expectedError);
    EXPECT_THAT(word.calls, testing::ElementsAreArray(row.expectedCalls));
}

INSTANTIATE_TEST_SUITE_P(Cases, ExportSteps, testing::ValuesIn(exportCases),
                         [](const testing::TestParamInfo<ExportCase>& param) {
                             return std::string(param.param.name);
                         });

// The second export finds the Word the first one started and inserts into its document.
TEST(ExportSteps, SecondExportAppendsWithoutStartingOrAddingAnything) {
    FakeWord word = notRunning();

    EXPECT_EQ(exportOnce(word, slots({{1, "/g/a.gif"}, {2, "/g/b.gif"}})), 0);
    word.calls.clear();
    EXPECT_EQ(exportOnce(word, slots({{1, "/g/c.gif"}})), 0);

    EXPECT_THAT(word.calls, testing::ElementsAre(found, visible, count, picture("/g/c.gif"),
                                                 paragraph, paragraph));
}

} // namespace
