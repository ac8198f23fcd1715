// The document as one HTML file that needs nothing beside it: the pictures as data URIs.

#include "output/documentparts.h"
#include "output/rowhtml.h"

#include <QBuffer>
#include <QXmlStreamWriter>

namespace {

QString millimetres(double length) {
    return QString::number(length, 'f', 2) + QStringLiteral("mm");
}

QString points(double size) {
    return QString::number(size, 'f', 1) + QStringLiteral("pt");
}

// The cartouche: a frame rounded at both ends, thick at the end as the bar across it.
QString styleSheet(const CardMeasures& m) {
    return QStringLiteral("body{font-family:sans-serif;margin:20mm}"
                          "section{margin-bottom:%1;break-inside:avoid}"
                          ".line{display:flex;width:fit-content;gap:%2;margin-bottom:%2;align-"
                          "items:flex-start}"
                          ".cartouche{border:%3 solid black;border-right-width:%4;border-radius:%5;"
                          "padding:%6}"
                          "figure{margin:0;width:%7;text-align:center}"
                          "figure img{width:%7;height:%7;object-fit:contain;display:block}"
                          "figcaption{font-size:%8}"
                          ".unicode{font-size:%9;margin:0 0 %2 0;overflow-wrap:anywhere}"
                          ".unicode{font-weight:bold;letter-spacing:0.1em}" // signs apart, dark
                          ".english{font-size:%10;margin:0}")
        .arg(millimetres(2 * m.glyph / 3), millimetres(m.gap), millimetres(m.frame),
             millimetres(m.bar), millimetres(m.glyph / 2), millimetres(m.inset),
             millimetres(m.glyph), points(m.lettersPoints), points(m.unicodePoints))
        .arg(points(m.englishPoints));
}

class HtmlWriter {
public:
    HtmlWriter(QIODevice& device, const DocumentOptions& options, const std::stop_token& stop)
        : m_xml(&device)
        , m_measures(options)
        , m_pictures(options, stop)
        , m_letters(options.letters) {}

    void write(const QList<GlyphRow>& rows);

private:
    void textElement(const QString& name, const QString& text) {
        m_xml.writeTextElement(name, text);
    }
    void card(const GlyphRow& row);
    void line(const QList<RowGlyph>& glyphs);

    QXmlStreamWriter m_xml;
    CardMeasures m_measures;
    DocumentPictures m_pictures;
    bool m_letters;
};

void HtmlWriter::write(const QList<GlyphRow>& rows) {
    m_xml.setAutoFormatting(true);
    m_xml.writeDTD(QStringLiteral("<!DOCTYPE html>"));
    m_xml.writeStartElement(QStringLiteral("html"));
    m_xml.writeAttribute(QStringLiteral("lang"), QStringLiteral("en"));
    m_xml.writeStartElement(QStringLiteral("head"));
    m_xml.writeEmptyElement(QStringLiteral("meta"));
    m_xml.writeAttribute(QStringLiteral("charset"), QStringLiteral("utf-8"));
    textElement(QStringLiteral("title"), rows.isEmpty() ? QString() : rows.constFirst().text());
    textElement(QStringLiteral("style"), styleSheet(m_measures));
    m_xml.writeEndElement();
    m_xml.writeStartElement(QStringLiteral("body"));
    for (const GlyphRow& row : rows)
        card(row);
    m_xml.writeEndDocument();
}

void HtmlWriter::card(const GlyphRow& row) {
    m_xml.writeStartElement(QStringLiteral("section"));
    for (const QList<RowGlyph>& glyphs : glyphLines(row, m_measures, documentTextWidth()))
        line(glyphs);
    if (!row.unicodeText().isEmpty()) {
        m_xml.writeStartElement(QStringLiteral("p"));
        m_xml.writeAttribute(QStringLiteral("class"), QStringLiteral("unicode"));
        m_xml.writeStartElement(QStringLiteral("span"));
        m_xml.writeAttribute(QStringLiteral("style"),
                             QStringLiteral("font-family:%1,'Noto Sans Egyptian Hieroglyphs'")
                                 .arg(QString::fromLatin1(hieroglyphFamily)));
        m_xml.writeCharacters(row.unicodeText());
        m_xml.writeEndElement();
        m_xml.writeEndElement();
    }
    m_xml.writeStartElement(QStringLiteral("p"));
    m_xml.writeAttribute(QStringLiteral("class"), QStringLiteral("english"));
    m_xml.writeCharacters(row.text());
    m_xml.writeEndElement();
    m_xml.writeEndElement();
}

void HtmlWriter::line(const QList<RowGlyph>& glyphs) {
    m_xml.writeStartElement(QStringLiteral("div"));
    m_xml.writeAttribute(QStringLiteral("class"), m_measures.cartouche
                                                      ? QStringLiteral("line cartouche")
                                                      : QStringLiteral("line"));
    for (const RowGlyph& glyph : glyphs) {
        m_xml.writeStartElement(QStringLiteral("figure"));
        RowHtml::writeGlyph(
            m_xml, RowHtml::dataUri(m_pictures.png(glyph.picture), QStringLiteral("image/png")),
            glyph.label(), glyph.label());
        if (m_letters)
            textElement(QStringLiteral("figcaption"), glyph.letters);
        m_xml.writeEndElement();
    }
    m_xml.writeEndElement();
}

} // namespace

QByteArray htmlDocument(const QList<GlyphRow>& rows, const DocumentOptions& options,
                        const std::stop_token& stop) {
    QByteArray html;
    QBuffer buffer(&html);
    buffer.open(QIODevice::WriteOnly);
    HtmlWriter(buffer, options, stop).write(rows);
    return html;
}
