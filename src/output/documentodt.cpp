// The document as OpenDocument text, zipped with QuaZip: each written row one picture, as SVG
// with a PNG in reserve for the readers that cannot draw SVG, then its Unicode and English text.

#include "output/document.h"
#include "output/documentpages.h"
#include "output/documentparts.h"

#include <QBuffer>
#include <QXmlStreamWriter>

namespace {

const QString officeNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString styleNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
const QString textNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString tableNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
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

// A paragraph style: its font (empty for the document's), size, space below and alignment.
void paragraphStyle(QXmlStreamWriter& xml, const QString& name, const QString& font, double size,
                    double below, bool centred = false) {
    xml.writeStartElement(styleNs, QStringLiteral("style"));
    xml.writeAttribute(styleNs, QStringLiteral("name"), name);
    xml.writeAttribute(styleNs, QStringLiteral("family"), QStringLiteral("paragraph"));
    xml.writeEmptyElement(styleNs, QStringLiteral("paragraph-properties"));
    xml.writeAttribute(foNs, QStringLiteral("margin-top"), millimetres(0));
    xml.writeAttribute(foNs, QStringLiteral("margin-bottom"), millimetres(below));
    if (centred)
        xml.writeAttribute(foNs, QStringLiteral("text-align"), QStringLiteral("center"));
    textProperties(xml, font, size);
    xml.writeEndElement();
}

// A style of the tables that hold sheets and cards, with its family's properties.
struct Property {
    QString ns{};
    const char* name = "";
    QString value{};
};

void tableStyle(QXmlStreamWriter& xml, const QString& name, const QString& family,
                const QList<Property>& properties) {
    xml.writeStartElement(styleNs, QStringLiteral("style"));
    xml.writeAttribute(styleNs, QStringLiteral("name"), name);
    xml.writeAttribute(styleNs, QStringLiteral("family"), family);
    xml.writeEmptyElement(styleNs, family + QStringLiteral("-properties"));
    for (const Property& property : properties)
        xml.writeAttribute(property.ns, QString::fromLatin1(property.name), property.value);
    xml.writeEndElement();
}

// The content, each distinct picture zipped as soon as it is made.
class OdtContent {
public:
    OdtContent(const DocumentOptions& options, const std::stop_token& stop, ZipWriter& zip)
        : m_options(options)
        , m_cells(pageCells(options))
        , m_measures(textPageOptions(options))
        , m_pictures(textPageOptions(options), true, stop)
        , m_zip(zip) {}

    QByteArray content(const DocumentRows& rows);
    qsizetype pictureCount() const { return m_pictures.count(); }

private:
    void styles(QXmlStreamWriter& xml) const;
    void cellStyles(QXmlStreamWriter& xml) const;
    void card(QXmlStreamWriter& xml, const GlyphRow& row);
    void cells(QXmlStreamWriter& xml, const DocumentRows& rows);
    void cell(QXmlStreamWriter& xml, const GlyphRow& row);
    void picture(QXmlStreamWriter& xml, const GlyphRow& row, const WritingPictures::Placed& placed,
                 const QString& style);

    DocumentOptions m_options;
    PageCells m_cells;
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
                    {tableNs, QStringLiteral("table")},
                    {drawNs, QStringLiteral("draw")},
                    {foNs, QStringLiteral("fo")},
                    {svgNs, QStringLiteral("svg")},
                    {xlinkNs, QStringLiteral("xlink")}},
                   [&](QXmlStreamWriter& xml) {
                       styles(xml);
                       xml.writeStartElement(officeNs, QStringLiteral("body"));
                       xml.writeStartElement(officeNs, QStringLiteral("text"));
                       if (m_options.page != PageKind::Text)
                           cells(xml, rows);
                       else
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
    for (const auto& [name, font, size, below] : paragraphs)
        paragraphStyle(xml, QString::fromLatin1(name), font, size, below);
    if (m_options.page != PageKind::Text)
        cellStyles(xml);
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

// The tables of sheets and cards: a page's cells one table, each table after the first on a new
// page; rows of the cells' height that never break, their cells centring a name.
void OdtContent::cellStyles(QXmlStreamWriter& xml) const {
    const QString width = millimetres(m_cells.cell.width() * m_cells.columns);
    for (const bool newPage : {false, true})
        tableStyle(
            xml, newPage ? QStringLiteral("CellsOnNewPage") : QStringLiteral("Cells"),
            QStringLiteral("table"),
            {{styleNs, "width", width},
             {tableNs, "align", QStringLiteral("left")},
             {styleNs, "may-break-between-rows", QStringLiteral("false")},
             {foNs, "break-before", newPage ? QStringLiteral("page") : QStringLiteral("auto")}});
    tableStyle(xml, QStringLiteral("Column"), QStringLiteral("table-column"),
               {{styleNs, "column-width", millimetres(m_cells.cell.width())}});
    tableStyle(xml, QStringLiteral("Row"), QStringLiteral("table-row"),
               {{styleNs, "row-height", millimetres(m_cells.rowHeight())},
                {foNs, "keep-together", QStringLiteral("always")}});
    tableStyle(
        xml, QStringLiteral("Cell"), QStringLiteral("table-cell"),
        {{styleNs, "vertical-align", QStringLiteral("middle")},
         {foNs, "padding", millimetres(m_cells.padding)},
         {foNs, "border",
          m_cells.cutLines ? QStringLiteral("0.2mm dashed #a0a0a0") : QStringLiteral("none")}});
    // The picture's paragraph small, so that its line is hardly taller than the picture.
    paragraphStyle(xml, QStringLiteral("CellWriting"), QString(), 1, m_cells.gap, true);
    paragraphStyle(xml, QStringLiteral("CellUnicode"), QString::fromLatin1(hieroglyphFamily),
                   m_cells.unicodePoints, m_cells.gap, true);
    paragraphStyle(xml, QStringLiteral("CellEnglish"), QString(), m_cells.englishPoints, 0, true);
    // After the last table, small enough for the room its rows leave on their page.
    paragraphStyle(xml, QStringLiteral("CellsEnd"), QString(), 1, 0);
}

void paragraph(QXmlStreamWriter& xml, const QString& style, const QString& text) {
    xml.writeStartElement(textNs, QStringLiteral("p"));
    xml.writeAttribute(textNs, QStringLiteral("style-name"), style);
    xml.writeCharacters(text);
    xml.writeEndElement();
}

void OdtContent::card(QXmlStreamWriter& xml, const GlyphRow& row) {
    const QList<DocumentWriting> parts = pageParts(row, textPageOptions(m_options));
    for (qsizetype k = 0; k < parts.size(); ++k)
        picture(xml, described(row, k), m_pictures.place(parts.at(k)), QStringLiteral("Writing"));
    const QString unicode = m_options.unicodeLine ? unicodeLine(row) : QString();
    if (!unicode.isEmpty())
        paragraph(xml, QStringLiteral("Unicode"), unicode);
    paragraph(xml, QStringLiteral("English"), row.text());
    paragraph(xml, QStringLiteral("English"), QString());
}

void OdtContent::cells(QXmlStreamWriter& xml, const DocumentRows& rows) {
    const qsizetype perPage = qsizetype(m_cells.columns) * m_cells.rows;
    for (qsizetype k = 0; k < rows.size(); k += m_cells.columns) {
        if (k % perPage == 0) {
            if (k > 0)
                xml.writeEndElement();
            xml.writeStartElement(tableNs, QStringLiteral("table"));
            xml.writeAttribute(tableNs, QStringLiteral("style-name"),
                               k == 0 ? QStringLiteral("Cells") : QStringLiteral("CellsOnNewPage"));
            xml.writeEmptyElement(tableNs, QStringLiteral("table-column"));
            xml.writeAttribute(tableNs, QStringLiteral("style-name"), QStringLiteral("Column"));
            xml.writeAttribute(tableNs, QStringLiteral("number-columns-repeated"),
                               QString::number(m_cells.columns));
        }
        xml.writeStartElement(tableNs, QStringLiteral("table-row"));
        xml.writeAttribute(tableNs, QStringLiteral("style-name"), QStringLiteral("Row"));
        for (qsizetype column = k; column < k + m_cells.columns; ++column) {
            xml.writeStartElement(tableNs, QStringLiteral("table-cell"));
            xml.writeAttribute(tableNs, QStringLiteral("style-name"), QStringLiteral("Cell"));
            if (column < rows.size())
                cell(xml, rows.at(column));
            else
                paragraph(xml, QStringLiteral("CellEnglish"), QString());
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    if (!rows.isEmpty())
        xml.writeEndElement();
    paragraph(xml, QStringLiteral("CellsEnd"), QString());
}

void OdtContent::cell(QXmlStreamWriter& xml, const GlyphRow& row) {
    const CellContent content = cellContent(row, m_options);
    picture(xml, row, m_pictures.place(content.writing), QStringLiteral("CellWriting"));
    if (!content.unicode.isEmpty())
        paragraph(xml, QStringLiteral("CellUnicode"), content.unicode);
    paragraph(xml, QStringLiteral("CellEnglish"), row.text());
}

// The written row as a frame set in its paragraph like a character: its SVG, then the PNG a
// reader takes that cannot draw SVG, then its title and description for screen readers.
void OdtContent::picture(QXmlStreamWriter& xml, const GlyphRow& row,
                         const WritingPictures::Placed& placed, const QString& style) {
    if (placed.number < 0)
        return;
    if (placed.first) {
        m_zip.add({svgPath(placed.number), placed.svg});
        m_zip.add({pngPath(placed.number), placed.png, true});
    }
    xml.writeStartElement(textNs, QStringLiteral("p"));
    xml.writeAttribute(textNs, QStringLiteral("style-name"), style);
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
