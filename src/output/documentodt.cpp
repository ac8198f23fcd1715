// The document as OpenDocument text, zipped with QuaZip: each written row one picture, as SVG
// with a PNG in reserve for the readers that cannot draw SVG, then its Unicode and English text.

#include "output/document.h"
#include "output/documentparts.h"

#include <QBuffer>
#include <QXmlStreamWriter>

namespace {

const QString officeNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString styleNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
const QString textNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString drawNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:drawing:1.0");
const QString foNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0");
const QString svgNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0");
const QString xlinkNs = QStringLiteral("http://www.w3.org/1999/xlink");
const QString manifestNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:manifest:1.0");
const QString odfVersion = QStringLiteral("1.3");
const QByteArray textMimeType = "application/vnd.oasis.opendocument.text";

QString millimetres(double length) {
    return QString::number(length, 'f', 3) + QStringLiteral("mm");
}

QString points(double size) {
    return QString::number(size, 'f', 1) + QStringLiteral("pt");
}

QString svgPath(qsizetype number) {
    return QStringLiteral("Pictures/writing%1.svg").arg(number + 1);
}

QString pngPath(qsizetype number) {
    return QStringLiteral("Pictures/writing%1.png").arg(number + 1);
}

// An XML part of the package, its root element in the given namespaces, written by write.
template <typename Write>
QByteArray odfPart(const QString& root, const QList<std::pair<QString, QString>>& namespaces,
                   Write write) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter xml(&buffer);
    xml.writeStartDocument();
    for (const auto& [uri, prefix] : namespaces)
        xml.writeNamespace(uri, prefix);
    xml.writeStartElement(officeNs, root);
    xml.writeAttribute(officeNs, QStringLiteral("version"), odfVersion);
    write(xml);
    xml.writeEndDocument();
    return bytes;
}

void textProperties(QXmlStreamWriter& xml, const QString& font, double size) {
    xml.writeEmptyElement(styleNs, QStringLiteral("text-properties"));
    if (!font.isEmpty()) {
        for (const char* script : {"font-name", "font-name-asian", "font-name-complex"})
            xml.writeAttribute(styleNs, QString::fromLatin1(script), font);
    }
    for (const char* script : {"font-size-asian", "font-size-complex"})
        xml.writeAttribute(styleNs, QString::fromLatin1(script), points(size));
    xml.writeAttribute(foNs, QStringLiteral("font-size"), points(size));
}

// The content, each distinct picture zipped as soon as it is made.
class OdtContent {
public:
    OdtContent(const DocumentOptions& options, const std::stop_token& stop, ZipWriter& zip)
        : m_measures(options)
        , m_pictures(options, true, stop)
        , m_zip(zip) {}

    QByteArray content(const DocumentRows& rows);
    qsizetype pictureCount() const { return m_pictures.count(); }

private:
    void styles(QXmlStreamWriter& xml) const;
    void card(QXmlStreamWriter& xml, const GlyphRow& row);
    void picture(QXmlStreamWriter& xml, const GlyphRow& row);

    CardMeasures m_measures;
    WritingPictures m_pictures;
    ZipWriter& m_zip;
    int m_frames = 0;
};

QByteArray OdtContent::content(const DocumentRows& rows) {
    return odfPart(QStringLiteral("document-content"),
                   {{officeNs, QStringLiteral("office")},
                    {styleNs, QStringLiteral("style")},
                    {textNs, QStringLiteral("text")},
                    {drawNs, QStringLiteral("draw")},
                    {foNs, QStringLiteral("fo")},
                    {svgNs, QStringLiteral("svg")},
                    {xlinkNs, QStringLiteral("xlink")}},
                   [&](QXmlStreamWriter& xml) {
                       styles(xml);
                       xml.writeStartElement(officeNs, QStringLiteral("body"));
                       xml.writeStartElement(officeNs, QStringLiteral("text"));
                       for (qsizetype k = 0; k < rows.size(); ++k)
                           card(xml, rows.at(k));
                   });
}

// The hieroglyph font, and a paragraph style for each part of a card.
void OdtContent::styles(QXmlStreamWriter& xml) const {
    const QString hieroglyphs = QString::fromLatin1(hieroglyphFamily);
    xml.writeStartElement(officeNs, QStringLiteral("font-face-decls"));
    xml.writeEmptyElement(styleNs, QStringLiteral("font-face"));
    xml.writeAttribute(styleNs, QStringLiteral("name"), hieroglyphs);
    xml.writeAttribute(svgNs, QStringLiteral("font-family"), hieroglyphs);
    xml.writeEndElement();
    xml.writeStartElement(officeNs, QStringLiteral("automatic-styles"));
    const std::tuple<const char*, QString, double, double> paragraphs[] = {
        {"Writing", QString(), m_measures.englishPoints, m_measures.gap},
        {"Unicode", hieroglyphs, m_measures.unicodePoints, 0},
        {"English", QString(), m_measures.englishPoints, 0}};
    for (const auto& [name, font, size, below] : paragraphs) {
        xml.writeStartElement(styleNs, QStringLiteral("style"));
        xml.writeAttribute(styleNs, QStringLiteral("name"), QString::fromLatin1(name));
        xml.writeAttribute(styleNs, QStringLiteral("family"), QStringLiteral("paragraph"));
        xml.writeEmptyElement(styleNs, QStringLiteral("paragraph-properties"));
        xml.writeAttribute(foNs, QStringLiteral("margin-top"), millimetres(0));
        xml.writeAttribute(foNs, QStringLiteral("margin-bottom"), millimetres(below));
        textProperties(xml, font, size);
        xml.writeEndElement();
    }
    xml.writeStartElement(styleNs, QStringLiteral("style"));
    xml.writeAttribute(styleNs, QStringLiteral("name"), QStringLiteral("Picture"));
    xml.writeAttribute(styleNs, QStringLiteral("family"), QStringLiteral("graphic"));
    xml.writeEmptyElement(styleNs, QStringLiteral("graphic-properties"));
    xml.writeAttribute(styleNs, QStringLiteral("vertical-pos"), QStringLiteral("top"));
    xml.writeAttribute(styleNs, QStringLiteral("vertical-rel"), QStringLiteral("baseline"));
    xml.writeAttribute(foNs, QStringLiteral("padding"), millimetres(0));
    xml.writeAttribute(foNs, QStringLiteral("border"), QStringLiteral("none"));
    xml.writeEndElement();
    xml.writeEndElement();
}

void paragraph(QXmlStreamWriter& xml, const QString& style, const QString& text) {
    xml.writeStartElement(textNs, QStringLiteral("p"));
    xml.writeAttribute(textNs, QStringLiteral("style-name"), style);
    xml.writeCharacters(text);
    xml.writeEndElement();
}

void OdtContent::card(QXmlStreamWriter& xml, const GlyphRow& row) {
    picture(xml, row);
    if (!row.unicodeText().isEmpty())
        paragraph(xml, QStringLiteral("Unicode"), row.unicodeText());
    paragraph(xml, QStringLiteral("English"), row.text());
    paragraph(xml, QStringLiteral("English"), QString());
}

// The written row as a frame set in its paragraph like a character: its SVG, then the PNG a
// reader takes that cannot draw SVG, then its title and description for screen readers.
void OdtContent::picture(QXmlStreamWriter& xml, const GlyphRow& row) {
    const WritingPictures::Placed placed = m_pictures.place(row);
    if (placed.number < 0)
        return;
    if (placed.first) {
        m_zip.add({svgPath(placed.number), placed.svg});
        m_zip.add({pngPath(placed.number), placed.png, true});
    }
    xml.writeStartElement(textNs, QStringLiteral("p"));
    xml.writeAttribute(textNs, QStringLiteral("style-name"), QStringLiteral("Writing"));
    xml.writeStartElement(drawNs, QStringLiteral("frame"));
    xml.writeAttribute(drawNs, QStringLiteral("style-name"), QStringLiteral("Picture"));
    xml.writeAttribute(drawNs, QStringLiteral("name"),
                       QStringLiteral("Writing %1").arg(++m_frames));
    xml.writeAttribute(textNs, QStringLiteral("anchor-type"), QStringLiteral("as-char"));
    xml.writeAttribute(svgNs, QStringLiteral("width"), millimetres(placed.millimetres.width()));
    xml.writeAttribute(svgNs, QStringLiteral("height"), millimetres(placed.millimetres.height()));
    const std::pair<QString, QString> images[] = {
        {svgPath(placed.number), QStringLiteral("image/svg+xml")},
        {pngPath(placed.number), QStringLiteral("image/png")}};
    for (const auto& [path, type] : images) {
        xml.writeEmptyElement(drawNs, QStringLiteral("image"));
        xml.writeAttribute(xlinkNs, QStringLiteral("href"), path);
        xml.writeAttribute(xlinkNs, QStringLiteral("type"), QStringLiteral("simple"));
        xml.writeAttribute(xlinkNs, QStringLiteral("show"), QStringLiteral("embed"));
        xml.writeAttribute(xlinkNs, QStringLiteral("actuate"), QStringLiteral("onLoad"));
        xml.writeAttribute(drawNs, QStringLiteral("mime-type"), type);
    }
    xml.writeTextElement(svgNs, QStringLiteral("title"), row.text());
    xml.writeTextElement(svgNs, QStringLiteral("desc"), writingDescription(row));
    xml.writeEndElement();
    xml.writeEndElement();
}

// The page of every saved document.
QByteArray stylesPart(QPageSize::PageSizeId paper) {
    return odfPart(
        QStringLiteral("document-styles"),
        {{officeNs, QStringLiteral("office")},
         {styleNs, QStringLiteral("style")},
         {foNs, QStringLiteral("fo")}},
        [paper](QXmlStreamWriter& xml) {
            const QPageLayout page = documentPageLayout(paper);
            const QSizeF size = page.fullRect(QPageLayout::Millimeter).size();
            const QMarginsF margins = page.margins(QPageLayout::Millimeter);
            xml.writeStartElement(officeNs, QStringLiteral("automatic-styles"));
            xml.writeStartElement(styleNs, QStringLiteral("page-layout"));
            xml.writeAttribute(styleNs, QStringLiteral("name"), QStringLiteral("Page"));
            xml.writeEmptyElement(styleNs, QStringLiteral("page-layout-properties"));
            const std::pair<const char*, double> lengths[] = {
                {"page-width", size.width()},    {"page-height", size.height()},
                {"margin-top", margins.top()},   {"margin-bottom", margins.bottom()},
                {"margin-left", margins.left()}, {"margin-right", margins.right()}};
            for (const auto& [name, length] : lengths)
                xml.writeAttribute(foNs, QString::fromLatin1(name), millimetres(length));
            xml.writeEndElement();
            xml.writeEndElement();
            xml.writeStartElement(officeNs, QStringLiteral("master-styles"));
            xml.writeEmptyElement(styleNs, QStringLiteral("master-page"));
            xml.writeAttribute(styleNs, QStringLiteral("name"), QStringLiteral("Standard"));
            xml.writeAttribute(styleNs, QStringLiteral("page-layout-name"), QStringLiteral("Page"));
        });
}

QByteArray manifest(qsizetype pictures) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter xml(&buffer);
    xml.writeStartDocument();
    xml.writeNamespace(manifestNs, QStringLiteral("manifest"));
    xml.writeStartElement(manifestNs, QStringLiteral("manifest"));
    xml.writeAttribute(manifestNs, QStringLiteral("version"), odfVersion);
    const auto entry = [&](const QString& path, const QString& type) {
        xml.writeEmptyElement(manifestNs, QStringLiteral("file-entry"));
        xml.writeAttribute(manifestNs, QStringLiteral("full-path"), path);
        if (path == u"/")
            xml.writeAttribute(manifestNs, QStringLiteral("version"), odfVersion);
        xml.writeAttribute(manifestNs, QStringLiteral("media-type"), type);
    };
    entry(QStringLiteral("/"), QString::fromLatin1(textMimeType));
    entry(QStringLiteral("content.xml"), QStringLiteral("text/xml"));
    entry(QStringLiteral("styles.xml"), QStringLiteral("text/xml"));
    for (qsizetype k = 0; k < pictures; ++k) {
        entry(svgPath(k), QStringLiteral("image/svg+xml"));
        entry(pngPath(k), QStringLiteral("image/png"));
    }
    xml.writeEndDocument();
    return bytes;
}

} // namespace

void odtDocument(const DocumentRows& rows, const DocumentOptions& options, QIODevice& file,
                 const std::stop_token& stop) {
    ZipWriter zip(file);
    // The type first and unpacked, where a reader looks for it.
    zip.add({QStringLiteral("mimetype"), textMimeType, true});
    OdtContent body(options, stop, zip);
    zip.add({QStringLiteral("content.xml"), body.content(rows)});
    zip.add({QStringLiteral("styles.xml"), stylesPart(options.paper)});
    zip.add({QStringLiteral("META-INF/manifest.xml"), manifest(body.pictureCount())});
    zip.finish();
}
