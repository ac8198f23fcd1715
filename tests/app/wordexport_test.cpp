#include "fakewordprocessor.h"
#include "wordexportjob.h"

#include <gmock/gmock.h>
#include <optional>

namespace {

using GlyphSlots = WordExportJob::GlyphSlots;

// Slots filled from slot 1 on with the given paths, the rest empty.
GlyphSlots slots(std::initializer_list<std::pair<int, const char*>> filled) {
    GlyphSlots glyphFiles;
    for (const auto& [slot, path] : filled)
        glyphFiles.at(slot) = QString::fromUtf8(path);
    return glyphFiles;
}

// Runs the export steps once; answers the number of the error it ended with, if any.
std::optional<int> exportOnce(FakeWord& word, const GlyphSlots& glyphFiles) {
    FakeWordProcessor processor(word);
    try {
        wordexport::exportGlyphs(processor, glyphFiles);
    } catch (const RuntimeError& error) {
        return error.number();
    }
    return std::nullopt;
}

struct ExportCase {
    const char* name;
    FakeWord word;
    GlyphSlots glyphFiles;
    QStringList expectedCalls;
    std::optional<int> expectedError;
    QStringList expectedContent;
    int expectedDocuments;
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
const QString mark = QStringLiteral("¶");

QString picture(const char* path) {
    return QStringLiteral("AddPicture ") + QString::fromUtf8(path);
}

const ExportCase exportCases[] = {
    // Nothing converted: two paragraph marks and no picture.
    {"AllSlotsEmpty",
     running(1),
     {},
     {found, visible, count, paragraph, paragraph},
     std::nullopt,
     {mark, mark},
     1},
    // Their pictures in slot order; the empty slots are skipped.
    {"Slots1And2And5",
     running(1),
     slots({{1, "/g/a.gif"}, {2, "/g/b.gif"}, {5, "/g/e.gif"}}),
     {found, visible, count, picture("/g/a.gif"), picture("/g/b.gif"), picture("/g/e.gif"),
      paragraph, paragraph},
     std::nullopt,
     {QStringLiteral("/g/a.gif"), QStringLiteral("/g/b.gif"), QStringLiteral("/g/e.gif"), mark,
      mark},
     1},
    // Slot 10 is exported too, slot 0 never.
    {"AllTenSlots",
     running(1),
     slots({{0, "/g/unused.gif"},
            {1, "/g/1.gif"},
            {2, "/g/2.gif"},
            {3, "/g/3.gif"},
            {4, "/g/4.gif"},
            {5, "/g/5.gif"},
            {6, "/g/6.gif"},
            {7, "/g/7.gif"},
            {8, "/g/8.gif"},
            {9, "/g/9.gif"},
            {10, "/g/10.gif"}}),
     {found, visible, count, picture("/g/1.gif"), picture("/g/2.gif"), picture("/g/3.gif"),
      picture("/g/4.gif"), picture("/g/5.gif"), picture("/g/6.gif"), picture("/g/7.gif"),
      picture("/g/8.gif"), picture("/g/9.gif"), picture("/g/10.gif"), paragraph, paragraph},
     std::nullopt,
     {QStringLiteral("/g/1.gif"), QStringLiteral("/g/2.gif"), QStringLiteral("/g/3.gif"),
      QStringLiteral("/g/4.gif"), QStringLiteral("/g/5.gif"), QStringLiteral("/g/6.gif"),
      QStringLiteral("/g/7.gif"), QStringLiteral("/g/8.gif"), QStringLiteral("/g/9.gif"),
      QStringLiteral("/g/10.gif"), mark, mark},
     1},
    // Only the exact empty string is skipped.
    {"BlankSlot",
     running(1),
     slots({{1, " "}}),
     {found, visible, count, picture(" "), paragraph, paragraph},
     std::nullopt,
     {QStringLiteral(" "), mark, mark},
     1},
    // Exactly one document is added, with every argument left out.
    {"RunningWithoutDocument",
     running(0),
     slots({{1, "/g/a.gif"}}),
     {found, visible, count, QStringLiteral("Documents.Add"), picture("/g/a.gif"), paragraph,
      paragraph},
     std::nullopt,
     {QStringLiteral("/g/a.gif"), mark, mark},
     1},
    // Started, looked up again, one document added with NewTemplate False, made visible.
    {"NotRunning",
     notRunning(),
     slots({{1, "/g/a.gif"}}),
     {found, QStringLiteral("start"), QStringLiteral("attachRunning"),
      QStringLiteral("Documents.Add NewTemplate:=False"), visible, count, picture("/g/a.gif"),
      paragraph, paragraph},
     std::nullopt,
     {QStringLiteral("/g/a.gif"), mark, mark},
     1},
    // The start fails and nothing else is tried.
    {"NotInstalled",
     notRunning(false),
     slots({{1, "/g/a.gif"}}),
     {found, QStringLiteral("start")},
     429,
     {},
     0},
    // Earlier pictures stay, later ones and the paragraph marks never come.
    {"FailingPicture",
     failingAt("/g/missing.gif"),
     slots({{1, "/g/a.gif"}, {2, "/g/missing.gif"}, {3, "/g/c.gif"}}),
     {found, visible, count, picture("/g/a.gif"), picture("/g/missing.gif")},
     5152,
     {QStringLiteral("/g/a.gif")},
     1},
};

void PrintTo(const ExportCase& row, std::ostream* out) {
    *out << row.name;
}

class ExportSteps : public testing::TestWithParam<ExportCase> {};

TEST_P(ExportSteps, CallsTheWordProcessorInOrder) {
    const ExportCase& row = GetParam();
    FakeWord word = row.word;

    EXPECT_EQ(exportOnce(word, row.glyphFiles), row.expectedError);
    EXPECT_THAT(word.calls, testing::ElementsAreArray(row.expectedCalls));
    EXPECT_THAT(word.content, testing::ElementsAreArray(row.expectedContent));
    EXPECT_EQ(word.documents, row.expectedDocuments);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExportSteps, testing::ValuesIn(exportCases),
                         [](const testing::TestParamInfo<ExportCase>& param) {
                             return std::string(param.param.name);
                         });

TEST(ExportSteps, SecondExportAppendsToTheFirstWithoutAnotherDocument) {
    FakeWord word = notRunning();

    EXPECT_EQ(exportOnce(word, slots({{1, "/g/a.gif"}, {2, "/g/b.gif"}})), std::nullopt);
    word.calls.clear();
    EXPECT_EQ(exportOnce(word, slots({{1, "/g/c.gif"}})), std::nullopt);

    EXPECT_THAT(word.calls, testing::ElementsAre(found, visible, count, picture("/g/c.gif"),
                                                 paragraph, paragraph));
    EXPECT_THAT(word.content,
                testing::ElementsAre(QStringLiteral("/g/a.gif"), QStringLiteral("/g/b.gif"), mark,
                                     mark, QStringLiteral("/g/c.gif"), mark, mark));
    EXPECT_EQ(word.documents, 1);
}

} // namespace
