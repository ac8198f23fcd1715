// The document as OpenDocument text through Qt's own ODF writer: each line of glyphs a table of
// pictures over their letters.

#include "output/documentparts.h"
#include "platform/runtimeerror.h"

#include <QBuffer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextTable>
#include <QUrl>

namespace {

// Qt's ODF writer takes a picture's size in pixels of 96 to the inch, and writes a table's
// lengths as points.
double pixels(double millimetres) {
    return millimetres / 25.4 * 96;
}

double points(double millimetres) {
    return millimetres / 25.4 * 72;
}

class OdtBuilder {
public:
    OdtBuilder(const DocumentOptions& options, const std::stop_token& stop)
        : m_measures(options)
        , m_pictures(options, stop)
        , m_letters(options.letters)
        , m_cursor(&m_document) {}

    QTextDocument& build(const QList<GlyphRow>& rows);

private:
    void card(const GlyphRow& row);
    void line(const QList<RowGlyph>& glyphs);
    QTextTableFormat tableFormat(qsizetype columns) const;
    void paragraph(const QString& text, const QString& family, double points);

    CardMeasures m_measures;
    DocumentPictures m_pictures;
    bool m_letters;
    QTextDocument m_document;
    QTextCursor m_cursor;
};

QTextDocument& OdtBuilder::build(const QList<GlyphRow>& rows) {
    for (const GlyphRow& row : rows)
        card(row);
    return m_document;
}

void OdtBuilder::card(const GlyphRow& row) {
    for (const QList<RowGlyph>& glyphs : glyphLines(row, m_measures, documentTextWidth()))
        line(glyphs);
    if (!row.unicodeText().isEmpty())
        paragraph(row.unicodeText(), QString::fromLatin1(hieroglyphFamily),
                  m_measures.unicodePoints);
    paragraph(row.text(), QString(), m_measures.englishPoints);
    paragraph(QString(), QString(), m_measures.englishPoints);
}

void OdtBuilder::line(const QList<RowGlyph>& glyphs) {
    const int columns = static_cast<int>(glyphs.size());
    QTextTable* table = m_cursor.insertTable(m_letters ? 2 : 1, columns, tableFormat(columns));
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    QTextCharFormat letters;
    letters.setFontPointSize(m_measures.lettersPoints);
    for (int k = 0; k < columns; ++k) {
        const RowGlyph& glyph = glyphs.at(k);
        const QUrl name(QStringLiteral("glyph:") + glyph.picture);
        m_document.addResource(QTextDocument::ImageResource, name, m_pictures.image(glyph.picture));
        QTextImageFormat picture;
        picture.setName(name.toString());
        picture.setWidth(pixels(m_measures.glyph));
        picture.setHeight(pixels(m_measures.glyph));
        QTextCursor cell = table->cellAt(0, k).firstCursorPosition();
        cell.setBlockFormat(centred);
        cell.insertImage(picture);
        if (m_letters) {
            cell = table->cellAt(1, k).firstCursorPosition();
            cell.setBlockFormat(centred);
            cell.insertText(glyph.letters, letters);
        }
    }
    m_cursor.movePosition(QTextCursor::End);
}

// Fixed columns as wide as a glyph; the cartouche as the table's frame.
QTextTableFormat OdtBuilder::tableFormat(qsizetype columns) const {
    QTextTableFormat format;
    format.setCellPadding(0);
    format.setCellSpacing(0);
    format.setAlignment(Qt::AlignLeft);
    format.setColumnWidthConstraints(QList<QTextLength>(
        columns, QTextLength(QTextLength::FixedLength, points(m_measures.glyph + m_measures.gap))));
    format.setWidth(
        QTextLength(QTextLength::FixedLength,
                    points(static_cast<double>(columns) * (m_measures.glyph + m_measures.gap))));
    format.setBorder(m_measures.cartouche ? pixels(m_measures.frame) : 0);
    format.setBorderStyle(m_measures.cartouche ? QTextFrameFormat::BorderStyle_Solid
                                               : QTextFrameFormat::BorderStyle_None);
    format.setBorderBrush(Qt::black);
    format.setBottomMargin(pixels(m_measures.gap));
    return format;
}

void OdtBuilder::paragraph(const QString& text, const QString& family, double points) {
    QTextCharFormat format;
    if (!family.isEmpty())
        format.setFontFamilies({family});
    format.setFontPointSize(points);
    m_cursor.insertBlock(QTextBlockFormat(), format);
    m_cursor.insertText(text, format);
}

} // namespace

QByteArray odtDocument(const QList<GlyphRow>& rows, const DocumentOptions& options,
                       const std::stop_token& stop) {
    OdtBuilder builder(options, stop);
    QTextDocument& document = builder.build(rows);
    QByteArray odt;
    QBuffer buffer(&odt);
    QTextDocumentWriter writer(&buffer, "odf");
    if (!writer.write(&document))
        throw RuntimeError(ErrorNumber::InternalError, QStringLiteral("the ODF writer failed"));
    return odt;
}
