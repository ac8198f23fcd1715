#include "errornumber.h"
#include "gui/export/exporttoword.h"
#include "officesession.h"
#include "progressdialog.h"
#include "wordprocessor/api/exportsteps.h"

#include <gmock/gmock.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// File > Export to Word against a real headless LibreOffice Writer.
namespace {

using testing::ElementsAre;

class WriterExport : public testing::Test {
protected:
    // One export as the command runs it: a word processor of its own, released at the end.
    int exportGlyphs(const GlyphSlots& glyphFiles, const GlyphSlots& altTexts = {}) {
        WriterWordProcessor word(session.settings());
        const int failure =
            errorNumberOf([&] { wordexport::exportGlyphs(word, glyphFiles, altTexts); });
        if (const auto started = word.startedProcessId())
            session.adopt(*started);
        return failure;
    }

    void expectParagraphs(const QStringList& expected) {
        const DocumentDescription stored = session.describeActiveDocument();
        EXPECT_THAT(stored.docx, testing::ElementsAreArray(expected)) << "as .docx";
        EXPECT_THAT(stored.odt, testing::ElementsAreArray(expected)) << "as .odt";
    }

    OfficeSession session;
};

// The pictures carry their alternative texts; one without a text gets none.
TEST_F(WriterExport, StartsWriterWhenNoneRunsAndASecondExportAppendsToTheSameDocument) {
    GlyphSlots first;
    first[1] = session.gif(10, 12);
    first[2] = session.gif(14, 16);
    first[5] = session.gif(18, 20);
    GlyphSlots altTexts;
    altTexts[1] = QStringLiteral("sh: N37, pool");
    altTexts[2] = QStringLiteral("\u00e9: M17, reed");
    GlyphSlots second;
    second[1] = session.gif(24, 8);

    ASSERT_EQ(exportGlyphs(first, altTexts), 0);
    const QString firstLine = QStringLiteral("10x12{sh: N37, pool} 14x16{\u00e9: M17, reed} 18x20");
    expectParagraphs({firstLine, QString(), QString()});

    ASSERT_EQ(exportGlyphs(second), 0);
    expectParagraphs({firstLine, QString(), QStringLiteral("24x8"), QString(), QString()});
    const DocumentState state = session.state();
    EXPECT_EQ(state.textDocuments, 1);
    EXPECT_TRUE(state.modified);
    EXPECT_FALSE(state.stored);
}

TEST_F(WriterExport, PictureThatCannotBeInsertedEndsTheExportAndEarlierPicturesStay) {
    session.startOffice();
    const QString notAPicture = session.folder() + QStringLiteral("/text.gif");
    QFile text(notAPicture);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    const std::pair<QString, int> failures[] = {
        {session.folder() + QStringLiteral("/missing.gif"), 53},
        {notAPicture, 481},
    };

    for (const auto& [failing, number] : failures) {
        GlyphSlots glyphFiles;
        glyphFiles[1] = session.gif(10, 12);
        glyphFiles[2] = failing;
        glyphFiles[3] = session.gif(14, 16);
        EXPECT_EQ(exportGlyphs(glyphFiles), number) << failing.toStdString();
    }
    // One picture from each export, and never a paragraph mark.
    expectParagraphs({QStringLiteral("10x12 10x12")});
}

TEST_F(WriterExport, StartHandedOverToTheUsersOfficeGoesIntoItsOpenDocumentKeepingTheSelection) {
    const QString letter = session.folder() + QStringLiteral("/letter.txt");
    QFile text(letter);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("Dear Kethra");
    text.close();
    session.startUsersOffice(letter);
    session.selectAllText();
    GlyphSlots glyphFiles;
    glyphFiles[1] = session.gif(10, 12);

    ASSERT_EQ(exportGlyphs(glyphFiles), 0);
    // The selected text stays; the picture follows it.
    expectParagraphs({QStringLiteral("Dear Kethra 10x12"), QString(), QString()});
    EXPECT_EQ(session.state().textDocuments, 1);
}

// An office that stops answering: Cancel gives up on it at once; without Cancel the export ends
// once a call has waited for the answer timeout. Either way the busy dialog shows meanwhile.
TEST_F(WriterExport, AnOfficeThatDoesNotAnswerEndsTheExportOnCancelOrAfterTheAnswerTimeout) {
    session.startOffice();
    session.freeze();
    struct Case {
        bool cancel;
        std::chrono::milliseconds answerTimeout;
        int expected;
    };
    const Case cases[] = {{true, std::chrono::minutes(1), 18},
                          {false, std::chrono::seconds(2), 462}};
    for (const Case& row : cases) {
        WriterSettings settings = session.settings();
        settings.answerTimeout = row.answerTimeout;
        // Runs only while the window's events are served.
        bool dialogShown = false;
        QTimer lookAtDialog;
        QObject::connect(&lookAtDialog, &QTimer::timeout, [&dialogShown, &row] {
            QProgressDialog* dialog = visibleProgressDialog();
            dialogShown = dialogShown || dialog != nullptr;
            if (dialog && row.cancel)
                QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
        });
        lookAtDialog.start(50);
        QElapsedTimer clock;
        clock.start();

        try {
            exportToWord(
                nullptr, {}, {},
                [settings] { return std::make_unique<WriterWordProcessor>(settings); },
                QStringLiteral("Scarabo"), QStringLiteral("LibreOffice Writer"));
            ADD_FAILURE() << "the export succeeded";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), row.expected);
        }
        EXPECT_LT(clock.elapsed(), 10000) << "expecting error " << row.expected;
        EXPECT_TRUE(dialogShown) << "expecting error " << row.expected;
    }
}

} // namespace
