#include "gui/frmmain.h"
#include "gui/modmain.h"
#include "progressdialog.h"
#include "shippedwindow.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <QAction>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// File > Save As Document, Print and Print Preview of the window on the shipped alphabet.
using SaveDocumentTest = ShippedWindowTest;

TEST_F(SaveDocumentTest, DocumentCommandsAreEnabledOnlyWhileTheRowHasGlyphs) {
    const QStringList commands{u"mnuFileSaveDocument"_s, u"mnuFilePrint"_s,
                               u"mnuFilePrintPreview"_s};
    const std::pair<QString, bool> rows[] = {
        {QString(), false}, {u"ship"_s, true}, {u"+="_s, false}};
    for (const auto& [text, enabled] : rows) {
        if (!text.isEmpty())
            convert(text);
        for (const QString& name : commands)
            EXPECT_EQ(command(name)->isEnabled(), enabled)
                << name.toStdString() << " " << text.toStdString();
    }
}

// The whole text goes into the document, read back by poppler's pdftotext, in a PDF that qpdf
// finds sound.
TEST_F(SaveDocumentTest, SavesTheWholeTextOfTheLastConversion) {
    convert(u"Cleopatra and Christopher"_s);
    const QString path = output.filePath(u"names.pdf"_s);
    reported.saveDocumentAnswer = SaveDocumentRequest{path, {}};
    command(u"mnuFileSaveDocument"_s)->trigger();
    ASSERT_TRUE(reported.texts.isEmpty()) << reported.texts.join(u'\n').toStdString();
    ASSERT_EQ(reported.saveDocumentProposals.size(), 1);
    EXPECT_TRUE(
        reported.saveDocumentProposals.at(0).path.endsWith(u"/Cleopatra and Christopher.pdf"_s));

    QProcess qpdf;
    qpdf.start(u"qpdf"_s, {u"--check"_s, path});
    ASSERT_TRUE(qpdf.waitForFinished());
    EXPECT_EQ(qpdf.exitCode(), 0) << qpdf.readAllStandardOutput().toStdString();
    QProcess pdftotext;
    pdftotext.start(u"pdftotext"_s, {path, u"-"_s});
    ASSERT_TRUE(pdftotext.waitForFinished());
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_TRUE(text.contains(u"Cleopatra and Christopher"_s)) << text.toStdString();
    // Past the tenth glyph: the Unicode row holds them all.
    const QList<uint> characters = text.toUcs4();
    EXPECT_GT(std::count_if(characters.begin(), characters.end(),
                            [](uint c) { return c >= 0x13000 && c <= 0x1342F; }),
              10);
}

// A long document is made off the window's thread behind a progress dialog, whose Cancel stops
// it and leaves no file.
TEST_F(SaveDocumentTest, CancellingALongSaveLeavesNoFile) {
    convert(u"Cleopatra ship Ra "_s.repeated(20000));
    const QString path = output.filePath(u"long.pdf"_s);
    reported.saveDocumentAnswer = SaveDocumentRequest{path, {}};
    bool cancelled = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &watch, [&] {
        if (QProgressDialog* dialog = visibleProgressDialog()) {
            cancelled = true;
            watch.stop();
            QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
        }
    });
    watch.start(20);
    command(u"mnuFileSaveDocument"_s)->trigger();
    EXPECT_TRUE(cancelled);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(reported.texts.isEmpty()) << reported.texts.join(u'\n').toStdString();
}

} // namespace
