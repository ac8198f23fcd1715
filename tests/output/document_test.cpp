#include "core/converter.h"
#include "datfile/clsdatfile.h"
#include "output/document.h"
#include "output/documentpages.h"
#include "output/documentparts.h"
#include "output/pdfunicodemap.h"
#include "pdfcheck.h"
#include "permissionsenforced.h"
#include "platform/runtimeerror.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

const QString dataFolder = QStringLiteral(SCARABO_DATA_DIR);

GlyphRow rowOf(const QString& text) {
    auto alphabet = std::make_shared<clsDatFile>();
    alphabet->setFileName(dataFolder + u"/Alphabet.dat"_s);
    alphabet->Load();
    return Converter(Alphabet(alphabet, dataFolder + u"/Images/"_s))
        .row(text, Converter::WholeText);
}

// The window stops at ten glyphs; a document takes them all.
TEST(DocumentRow, HoldsEveryGlyphOfTheText) {
    const GlyphRow row = rowOf(u"Christopher Columbus"_s);
    ASSERT_EQ(row.glyphs().size(), 18);
    EXPECT_TRUE(row.leftOver().isEmpty());
    EXPECT_EQ(row.glyphs().last().letters, u"s"_s);
    EXPECT_EQ(row.glyphs().last().picture, dataFolder + u"/Images/s.gif"_s);
    EXPECT_EQ(row.unicodeText().toUcs4().size(), 18);
}

TEST(DocumentPath, IsKnownByItsSuffixInAnyCase) {
    const std::pair<QString, bool> paths[] = {
        {u"a.pdf"_s, true},  {u"a.ODT"_s, true}, {u"b/a.Docx"_s, true},
        {u"a.html"_s, true}, {u"a.HTM"_s, true}, {u"a.png"_s, false},
        {u"a.doc"_s, false}, {u"pdf"_s, false},  {u"a.pdf.txt"_s, false}};
    for (const auto& [path, document] : paths)
        EXPECT_EQ(isDocumentPath(path), document) << path.toStdString();
}

struct FailureCase {
    const char* what;
    QString name;     // the file, in the test's folder
    bool readOnly;    // the folder takes no new file
    double glyphSize; // millimetres
    ErrorNumber error;
};

// Every failure names what failed and leaves the folder as it was.
TEST(SaveDocument, FailsWithAMessageAndLeavesNothingBehind) {
    const FailureCase cases[] = {
        {"unknown type", u"row.txt"_s, false, 12.7, ErrorNumber::InvalidProcedureCall},
        {"read-only folder, PDF", u"row.pdf"_s, true, 12.7, ErrorNumber::PathFileAccessError},
        {"read-only folder, DOCX", u"row.docx"_s, true, 12.7, ErrorNumber::PathFileAccessError},
        {"glyph too small", u"row.odt"_s, false, 0.5, ErrorNumber::InvalidProcedureCall},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir folder;
        const QString path = folder.filePath(c.name);
        const PermissionsEnforced enforced;
        QFile(folder.path())
            .setPermissions(c.readOnly ? QFile::ReadOwner | QFile::ExeOwner
                                       : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        try {
            saveDocument({rowOf(u"ship"_s)}, path, {c.glyphSize, true, false});
            ADD_FAILURE() << "saved";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), static_cast<int>(c.error));
            const QString named = c.glyphSize < 1 ? u"0.5 mm"_s : path;
            EXPECT_TRUE(error.description().contains(named)) << error.description().toStdString();
        }
        EXPECT_TRUE(QDir(folder.path()).isEmpty());
        QFile(folder.path()).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

// Titles whose UTF-16 bytes spell a font's entries or an object's header, written again and
// again as objects were numbered differently from run to run: the Unicode map replaces the font's
// own map and nothing else.
TEST(PdfDocument, NoTextChangesWhichObjectTheUnicodeMapReplaces) {
    const QString fontEntries = QStringDecoder(QStringDecoder::Utf16BE)(
        "/BaseFont /Aegyptus /Encoding /Identity-H /DescendantFonts [27 0 R] /ToUnicode 2 0 R");
    const QString titles[] = {fontEntries, u"Ship \u0a32\u3220\u3020\u6f62\u6a0a"_s,
                              u"ship ) ( \\ endobj xref trailer startxref %%EOF"_s,
                              // Its Unicode line breaks at a space, which is not drawn.
                              u"Cleopatra\u000eChristopher Columbus di\ufffd\u6173\u6546\u6f6e"
                              u"\u7420\u2f41\u6567\u7970\u7475\u7320\u2f45\u6e63\u6f64"
                              u"\u696e\u6720\ufffdscovereDFMingica"_s};
    for (const QString& title : titles) {
        for (int run = 0; run < 4; ++run) {
            const QByteArray pdf = pdfDocument({rowOf(title), rowOf(u"ship"_s)}, {});
            const QString fault = pdfFault(pdf, true);
            EXPECT_TRUE(fault.isEmpty()) << fault.toStdString();
        }
    }
}

// A PDF that is not as Qt writes it is an error, never a file changed at a guess.
TEST(PdfDocument, AMapIsNotAddedToAPdfOfUnexpectedStructure) {
    const QByteArray pdf = pdfDocument({rowOf(u"ship"_s)}, {});
    const qsizetype table = pdf.lastIndexOf("startxref");
    const QByteArray broken[] = {pdf.left(pdf.size() / 2),
                                 pdf.left(table) + "startxref\n12\n%%EOF\n",
                                 QByteArray(pdf).replace("\nxref\n", "\nxref\n0 9999999\n")};
    for (const QByteArray& each : broken) {
        try {
            withUnicodeMap(each, hieroglyphFamily, {U'\U00013219'});
            ADD_FAILURE() << "a map was added";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), 51);
        }
    }
}

// A name's writing is one picture; a text longer than a page is cut between its lines into
// pictures each no taller than the page, holding every sign once, at the glyph's size.
TEST(DocumentPictures, ALongTextIsCutIntoPagesBetweenItsLines) {
    DocumentOptions options{12.7, true, true};
    const QSizeF page = documentTextSize(options.paper);
    for (const int names : {1, 60}) {
        SCOPED_TRACE(names);
        const GlyphRow row = rowOf(u"Cleopatra ship Ra "_s.repeated(names));
        const QList<DocumentWriting> parts = pageParts(row, options);
        EXPECT_EQ(parts.size() > 1, names > 1);
        qsizetype signs = 0;
        for (const DocumentWriting& part : parts) {
            EXPECT_EQ(part.quadrat, 12.7);
            EXPECT_LE(part.millimetres().height(), page.height());
            for (const WrittenLayout::Sign& sign : part.layout.signs)
                EXPECT_TRUE(QRectF(QPointF(), part.layout.size).contains(sign.box));
            signs += part.layout.signs.size();
        }
        EXPECT_EQ(signs, row.glyphs().size());
    }
}

} // namespace
