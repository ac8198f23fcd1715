#include "output/rowlayout.h"
#include "output/rowpicture.h"

#include <QFontInfo>
#include <QXmlStreamWriter>

namespace {

const QString svgNamespace = QStringLiteral("http://www.w3.org/2000/svg");
const QString xlinkNamespace = QStringLiteral("http://www.w3.org/1999/xlink");
// The font shipped with the program draws the hieroglyphs; elsewhere a system's own may.
const QString hieroglyphFonts =
    QStringLiteral("Aegyptus, 'Noto Sans Egyptian Hieroglyphs', sans-serif");

QString number(qreal value) {
    return QString::number(value);
}

// Text as XML 1.0 may carry it: the control characters it forbids are left out.
QString xmlText(const QString& text) {
    QList<char32_t> kept;
    for (const char32_t c : text.toUcs4()) {
        if (c == u'\t' || c == u'\n' || c == u'\r' || (c >= 0x20 && c <= 0xD7FF) ||
            (c >= 0xE000 && c <= 0xFFFD) || c >= 0x10000)
            kept.append(c);
    }
    return QString::fromUcs4(kept.constData(), kept.size());
}

class RowSvgWriter {
public:
    RowSvgWriter(QByteArray& svg, const GlyphRow& row, const RowLayout& layout)
        : m_xml(&svg)
        , m_row(row)
        , m_layout(layout) {}

    void write(bool transparent, bool letters) {
        m_xml.writeStartDocument();
        writeRoot();
        if (!transparent)
            writeBackground();
        writePictures();
        if (letters)
            writeLetters();
        writeUnicodeText();
        writeEnglishText();
        m_xml.writeEndDocument();
    }

private:
    void writeRoot() {
        m_xml.writeStartElement(QStringLiteral("svg"));
        m_xml.writeDefaultNamespace(svgNamespace);
        m_xml.writeNamespace(xlinkNamespace, QStringLiteral("xlink"));
        m_xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
        const QSizeF size = m_layout.size;
        m_xml.writeAttribute(QStringLiteral("width"), number(size.width()));
        m_xml.writeAttribute(QStringLiteral("height"), number(size.height()));
        m_xml.writeAttribute(
            QStringLiteral("viewBox"),
            QStringLiteral("0 0 %1 %2").arg(number(size.width()), number(size.height())));
        m_xml.writeTextElement(QStringLiteral("title"), xmlText(m_row.text()));
        if (!m_row.unicodeText().isEmpty())
            m_xml.writeTextElement(QStringLiteral("desc"), xmlText(m_row.unicodeText()));
    }

    void writeBackground() {
        m_xml.writeEmptyElement(QStringLiteral("rect"));
        m_xml.writeAttribute(QStringLiteral("width"), QStringLiteral("100%"));
        m_xml.writeAttribute(QStringLiteral("height"), QStringLiteral("100%"));
        m_xml.writeAttribute(QStringLiteral("fill"), QStringLiteral("#ffffff"));
    }

    void writePictures() {
        for (const RowLayout::Glyph& placed : m_layout.glyphs) {
            m_xml.writeEmptyElement(QStringLiteral("image"));
            m_xml.writeAttribute(QStringLiteral("x"), number(placed.box.left()));
            m_xml.writeAttribute(QStringLiteral("y"), number(placed.box.top()));
            m_xml.writeAttribute(QStringLiteral("width"), number(placed.box.width()));
            m_xml.writeAttribute(QStringLiteral("height"), number(placed.box.height()));
            m_xml.writeAttribute(xlinkNamespace, QStringLiteral("href"),
                                 QStringLiteral("data:image/png;base64,") +
                                     QString::fromLatin1(pngData(placed.picture).toBase64()));
        }
    }

    void writeLetters() {
        const QString fonts =
            QStringLiteral("'%1', sans-serif").arg(QFontInfo(m_layout.lettersFont).family());
        for (const RowLayout::Glyph& placed : m_layout.glyphs) {
            m_xml.writeStartElement(QStringLiteral("text"));
            m_xml.writeAttribute(QStringLiteral("x"), number(placed.lettersAt.x()));
            m_xml.writeAttribute(QStringLiteral("y"), number(placed.lettersAt.y()));
            m_xml.writeAttribute(QStringLiteral("font-family"), fonts);
            m_xml.writeAttribute(QStringLiteral("font-size"),
                                 number(m_layout.lettersFont.pixelSize()));
            m_xml.writeCharacters(xmlText(placed.glyph->letters));
            m_xml.writeEndElement();
        }
    }

    // Each glyph's hieroglyphs over its picture, stretched to its width, so that selecting the
    // text in a viewer marks the pictures it stands for.
    void writeUnicodeText() {
        if (m_row.unicodeText().isEmpty())
            return;
        startInvisibleText(hieroglyphFonts);
        for (const RowLayout::Glyph& placed : m_layout.glyphs) {
            if (placed.glyph->unicode.isEmpty())
                continue;
            m_xml.writeStartElement(QStringLiteral("tspan"));
            writeStretched(placed.box, placed.box.height());
            m_xml.writeCharacters(xmlText(placed.glyph->unicode));
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement();
    }

    // The English text once across the whole row of pictures.
    void writeEnglishText() {
        const QRectF pictures = m_layout.glyphs.first().box.united(m_layout.glyphs.last().box);
        startInvisibleText(QStringLiteral("sans-serif"));
        writeStretched(pictures, m_layout.lettersFont.pixelSize());
        m_xml.writeCharacters(xmlText(m_row.text()));
        m_xml.writeEndElement();
    }

    void startInvisibleText(const QString& fonts) {
        m_xml.writeStartElement(QStringLiteral("text"));
        m_xml.writeAttribute(QStringLiteral("font-family"), fonts);
        m_xml.writeAttribute(QStringLiteral("fill-opacity"), QStringLiteral("0"));
    }

    // Text on the bottom of box, as wide as box.
    void writeStretched(const QRectF& box, qreal fontSize) {
        m_xml.writeAttribute(QStringLiteral("x"), number(box.left()));
        m_xml.writeAttribute(QStringLiteral("y"), number(box.bottom()));
        m_xml.writeAttribute(QStringLiteral("font-size"), number(fontSize));
        m_xml.writeAttribute(QStringLiteral("textLength"), number(box.width()));
        m_xml.writeAttribute(QStringLiteral("lengthAdjust"), QStringLiteral("spacingAndGlyphs"));
    }

    QXmlStreamWriter m_xml;
    const GlyphRow& m_row;
    const RowLayout& m_layout;
};

} // namespace

QByteArray rowSvg(const GlyphRow& row, const RowPictureOptions& options) {
    if (row.glyphs().isEmpty())
        return {};
    const RowLayout layout = layOutRow(row, options);
    QByteArray svg;
    RowSvgWriter(svg, row, layout).write(options.transparent, options.letters);
    return svg;
}
