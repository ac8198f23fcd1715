#include "errornumber.h"
#include "fakewordprocessor.h"
#include "gui/export/exporttoword.h"
#include "progressdialog.h"

#include <gmock/gmock.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

class ExportToWord : public testing::Test {
protected:
    template <class Processor> void useWordProcessor() {
        wordProcessor = [this] { return std::make_unique<Processor>(word); };
    }

    // Runs the export from the window; answers the number of the error it ended with, or 0.
    int runExport(const GlyphSlots& glyphFiles, const GlyphSlots& altTexts = {}) {
        return errorNumberOf([&] {
            exportToWord(&window, glyphFiles, altTexts, wordProcessor, title,
                         QStringLiteral("Test Word"));
        });
    }

    FakeWord word;
    WordProcessorFactory wordProcessor;
    QString title = QStringLiteral("Scarabo test");
    QMainWindow window;
};

TEST_F(ExportToWord, QuickExportInsertsThePicturesWithoutShowingADialog) {
    word.running = true;
    word.documents = 1;
    useWordProcessor<FakeWordProcessor>();
    bool dialogSeen = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout,
                     [&] { dialogSeen |= visibleProgressDialog() != nullptr; });
    watch.start(10);
    GlyphSlots glyphFiles;
    glyphFiles[1] = QStringLiteral("/g/a.gif");
    GlyphSlots altTexts;
    altTexts[1] = QStringLiteral("a: G1, vulture");

    EXPECT_EQ(runExport(glyphFiles, altTexts), 0);
    EXPECT_THAT(word.content, testing::ElementsAre(QStringLiteral("/g/a.gif [a: G1, vulture]"),
                                                   QStringLiteral("¶"), QStringLiteral("¶")));
    EXPECT_FALSE(dialogSeen);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ExportToWord, SlowExportShowsAModalProgressDialogAfterHalfASecondWhoseCancelGivesUp) {
    useWordProcessor<HangingWordProcessor>();
    QElapsedTimer clock;
    qint64 shownAfter = -1;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QProgressDialog* dialog = visibleProgressDialog();
        if (!dialog || shownAfter >= 0)
            return;
        shownAfter = clock.elapsed();
        EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
        EXPECT_EQ(dialog->parentWidget(), &window);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Scarabo test"));
        EXPECT_EQ(dialog->labelText(), QStringLiteral("Exporting to Test Word..."));
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
        auto* cancel = dialog->findChild<QPushButton*>();
        ASSERT_NE(cancel, nullptr);
        QTest::mouseClick(cancel, Qt::LeftButton);
    });
    watch.start(20);
    clock.start();

    EXPECT_EQ(runExport({}), 18);
    EXPECT_GE(shownAfter, 500);
    EXPECT_THAT(word.calls,
                testing::ElementsAre(QStringLiteral("findRunning"), QStringLiteral("start")));
    EXPECT_EQ(visibleProgressDialog(), nullptr);
}

} // namespace
