#include "core/converter.h"
#include "gui/frmmain.h"
#include "gui/modmain.h"
#include "output/document.h"
#include "progressdialog.h"
#include "shippedwindow.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPrinter>
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

// The pages as poppler draws them in grey at a low resolution, one picture a page.
QList<QByteArray> renderedPages(const QString& pdf) {
    const QString prefix = pdf + u"-page"_s;
    QProcess pdftoppm;
    pdftoppm.start(u"pdftoppm"_s, {u"-r"_s, u"20"_s, u"-gray"_s, pdf, prefix});
    pdftoppm.waitForFinished();
    QList<QByteArray> pages;
    const QFileInfo file(prefix);
    for (const QString& name :
         QDir(file.path()).entryList({file.fileName() + u"*.pgm"_s}, QDir::Files, QDir::Name)) {
        QFile page(file.dir().filePath(name));
        page.open(QIODevice::ReadOnly);
        pages.append(page.readAll());
    }
    return pages;
}

qsizetype differingBytes(const QByteArray& a, const QByteArray& b) {
    qsizetype count = std::abs(a.size() - b.size());
    for (qsizetype k = 0; k < std::min(a.size(), b.size()); ++k)
        count += std::abs(int(quint8(a.at(k))) - int(quint8(b.at(k)))) > 64;
    return count;
}

// Print draws the saved PDF's pages, margins included: printed to a PDF file, every kind of page
// matches the saved one, page for page.
TEST_F(SaveDocumentTest, PrintedPagesAreTheSavedPdfsPages) {
    const Converter converter(Alphabet::load(QStringLiteral(SCARABO_DATA_DIR)));
    QList<GlyphRow> rows;
    for (const QString& name :
         {u"Cleopatra"_s, u"Christopher Columbus"_s, u"Mary-Jane O'Neil"_s, u"Ramesses"_s,
          u"Nefertiti"_s, u"Hatshepsut"_s, u"Amelia"_s, u"Tutankhamun"_s, u"Zoe"_s})
        rows.append(converter.row(name, Converter::WholeText));
    for (const PageKind page : {PageKind::Sheet, PageKind::Cards, PageKind::Text}) {
        SCOPED_TRACE(int(page));
        DocumentOptions options{12.7, true, true};
        options.page = page;
        options.fitToPage = true;
        const QString saved = output.filePath(u"saved%1.pdf"_s.arg(int(page)));
        const QString printed = output.filePath(u"printed%1.pdf"_s.arg(int(page)));
        saveDocument(rows, saved, options);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        printer.setPageLayout(documentPageLayout(options.paper));
        printDocument(rows, printer, options);
        const QList<QByteArray> savedPages = renderedPages(saved);
        const QList<QByteArray> printedPages = renderedPages(printed);
        ASSERT_EQ(printedPages.size(), savedPages.size());
        EXPECT_GT(savedPages.size(), 1);
        for (qsizetype k = 0; k < savedPages.size(); ++k)
            EXPECT_LT(differingBytes(savedPages.at(k), printedPages.at(k)),
                      savedPages.at(k).size() / 200)
                << "page " << k + 1;
    }
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
