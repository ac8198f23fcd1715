// The document as Office Open XML (DOCX): each written row one picture, a PNG with its SVG beside
// it as Word keeps them (readers without SVG take the PNG), then its Unicode and English text.

#include "output/documentpages.h"
#include "output/documentparts.h"

#include <cmath>
#include <QBuffer>
#include <QXmlStreamWriter>

namespace {

const QString wNs = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString rNs =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QString wpNs =
    QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing");
const QString aNs = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/main");
const QString picNs = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/picture");
const QString svgBlipNs =
    QStringLiteral("http://schemas.microsoft.com/office/drawing/2016/SVG/main");
const QString svgBlipUri = QStringLiteral("{96DAC541-7B7A-43D3-8B79-37D633B846F1}");
const QString packageRelNs =
    QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships");

QString emu(double millimetres) {
    return QString::number(std::lround(millimetres * 36000));
}

QString twips(double millimetres) {
    return QString::number(std::lround(millimetres * 1440 / 25.4));
}

QString halfPoints(double points) {
    return QString::number(std::lround(points * 2));
}

// An XML part of the package, written by a function of its writer.
template <typename Write> QByteArray xmlPart(Write write) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter xml(&buffer);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    write(xml);
    xml.writeEndDocument();
    return bytes;
}

// The document, each distinct picture zipped as soon as it is made.
class DocxBody {
public:
    DocxBody(const DocumentOptions& options, const std::stop_token& stop, ZipWriter& zip)
        : m_options(options)
        , m_cells(pageCells(options))
        , m_measures(textPageOptions(options))
        , m_pictures(textPageOptions(options), true, stop)
        , m_zip(zip)
        , m_paper(options.paper) {}

    QByteArray document(const DocumentRows& rows);
    QByteArray relationships() const;

private:
    void card(QXmlStreamWriter& xml, const GlyphRow& row);
    void cells(QXmlStreamWriter& xml, const DocumentRows& rows);
    void tableProperties(QXmlStreamWriter& xml) const;
    void cell(QXmlStreamWriter& xml, qsizetype index, const DocumentRows& rows);
    void picture(QXmlStreamWriter& xml, const GlyphRow& row, const WritingPictures::Placed& placed);
    void paragraph(QXmlStreamWriter& xml, const QString& text, const QString& font, double points,
                   double after = 0);
    void alignment(QXmlStreamWriter& xml) const;
    bool inCells() const { return m_options.page != PageKind::Text; }

    DocumentOptions m_options;
    PageCells m_cells;
    CardMeasures m_measures;
    WritingPictures m_pictures;
    ZipWriter& m_zip;
    int m_drawings = 0;
    QPageSize::PageSizeId m_paper;
};

// Each distinct picture as a PNG with its SVG beside it: relation ids rId1, rId2 for the first.
QString pngRelation(qsizetype number) {
    return QStringLiteral("rId%1").arg(2 * number + 1);
}

QString svgRelation(qsizetype number) {
    return QStringLiteral("rId%1").arg(2 * number + 2);
}

QString mediaName(qsizetype number, const char* suffix) {
    return QStringLiteral("media/writing%1.%2").arg(number + 1).arg(QLatin1String(suffix));
}

QByteArray DocxBody::document(const DocumentRows& rows) {
    return xmlPart([&](QXmlStreamWriter& xml) {
        xml.writeNamespace(wNs, QStringLiteral("w"));
        xml.writeNamespace(rNs, QStringLiteral("r"));
        xml.writeNamespace(wpNs, QStringLiteral("wp"));
        xml.writeNamespace(aNs, QStringLiteral("a"));
        xml.writeNamespace(picNs, QStringLiteral("pic"));
        xml.writeNamespace(svgBlipNs, QStringLiteral("asvg"));
        xml.writeStartElement(wNs, QStringLiteral("document"));
        xml.writeStartElement(wNs, QStringLiteral("body"));
        if (inCells())
            cells(xml, rows);
        else
            for (qsizetype k = 0; k < rows.size(); ++k)
                card(xml, rows.at(k));
        const QPageLayout page = documentPageLayout(m_paper);
        const QSizeF size = page.fullRect(QPageLayout::Millimeter).size();
        xml.writeStartElement(wNs, QStringLiteral("sectPr"));
        xml.writeEmptyElement(wNs, QStringLiteral("pgSz"));
        xml.writeAttribute(wNs, QStringLiteral("w"), twips(size.width()));
        xml.writeAttribute(wNs, QStringLiteral("h"), twips(size.height()));
        xml.writeEmptyElement(wNs, QStringLiteral("pgMar"));
        const QMarginsF margins = page.margins(QPageLayout::Millimeter);
        xml.writeAttribute(wNs, QStringLiteral("top"), twips(margins.top()));
        xml.writeAttribute(wNs, QStringLiteral("right"), twips(margins.right()));
        xml.writeAttribute(wNs, QStringLiteral("bottom"), twips(margins.bottom()));
        xml.writeAttribute(wNs, QStringLiteral("left"), twips(margins.left()));
        xml.writeAttribute(wNs, QStringLiteral("header"), QStringLiteral("0"));
        xml.writeAttribute(wNs, QStringLiteral("footer"), QStringLiteral("0"));
        xml.writeAttribute(wNs, QStringLiteral("gutter"), QStringLiteral("0"));
        xml.writeEndElement();
    });
}

void DocxBody::card(QXmlStreamWriter& xml, const GlyphRow& row) {
    const QList<DocumentWriting> parts = pageParts(row, textPageOptions(m_options));
    for (qsizetype k = 0; k < parts.size(); ++k)
        picture(xml, described(row, k), m_pictures.place(parts.at(k)));
    const QString unicode = m_options.unicodeLine ? unicodeLine(row) : QString();
    if (!unicode.isEmpty())
        paragraph(xml, unicode, QString::fromLatin1(hieroglyphFamily), m_measures.unicodePoints);
    paragraph(xml, row.text(), QString(), m_measures.englishPoints);
    paragraph(xml, QString(), QString(), m_measures.englishPoints);
}

// Sheets and cards: one table whose rows are as tall as a page holds a whole number of them and
// never break, so each page begins with a row; its cells centre their names, and on cards are cut
// apart along dashed lines.
void DocxBody::cells(QXmlStreamWriter& xml, const DocumentRows& rows) {
    if (rows.isEmpty())
        return;
    const QString rowHeight = twips(m_cells.rowHeight());
    xml.writeStartElement(wNs, QStringLiteral("tbl"));
    tableProperties(xml);
    for (qsizetype k = 0; k < rows.size(); k += m_cells.columns) {
        xml.writeStartElement(wNs, QStringLiteral("tr"));
        xml.writeStartElement(wNs, QStringLiteral("trPr"));
        xml.writeEmptyElement(wNs, QStringLiteral("cantSplit"));
        xml.writeEmptyElement(wNs, QStringLiteral("trHeight"));
        xml.writeAttribute(wNs, QStringLiteral("val"), rowHeight);
        xml.writeAttribute(wNs, QStringLiteral("hRule"), QStringLiteral("exact"));
        xml.writeEndElement();
        for (qsizetype column = k; column < k + m_cells.columns; ++column)
            cell(xml, column, rows);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeStartElement(wNs, QStringLiteral("p"));
    xml.writeStartElement(wNs, QStringLiteral("pPr"));
    xml.writeEmptyElement(wNs, QStringLiteral("spacing"));
    xml.writeAttribute(wNs, QStringLiteral("before"), QStringLiteral("0"));
    xml.writeAttribute(wNs, QStringLiteral("after"), QStringLiteral("0"));
    xml.writeAttribute(wNs, QStringLiteral("line"), QStringLiteral("20"));
    xml.writeAttribute(wNs, QStringLiteral("lineRule"), QStringLiteral("exact"));
    xml.writeEndElement();
    xml.writeEndElement();
}

void DocxBody::tableProperties(QXmlStreamWriter& xml) const {
    const auto widthOf = [&xml](const QString& element, double millimetres) {
        xml.writeEmptyElement(wNs, element);
        xml.writeAttribute(wNs, QStringLiteral("w"), twips(millimetres));
        xml.writeAttribute(wNs, QStringLiteral("type"), QStringLiteral("dxa"));
    };
    xml.writeStartElement(wNs, QStringLiteral("tblPr"));
    widthOf(QStringLiteral("tblW"), m_cells.cell.width() * m_cells.columns);
    widthOf(QStringLiteral("tblInd"), 0);
    xml.writeStartElement(wNs, QStringLiteral("tblBorders"));
    for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"}) {
        xml.writeEmptyElement(wNs, QString::fromLatin1(side));
        xml.writeAttribute(wNs, QStringLiteral("val"),
                           m_cells.cutLines ? QStringLiteral("dashed") : QStringLiteral("nil"));
        if (m_cells.cutLines) {
            xml.writeAttribute(wNs, QStringLiteral("sz"), QStringLiteral("4"));
            xml.writeAttribute(wNs, QStringLiteral("space"), QStringLiteral("0"));
            xml.writeAttribute(wNs, QStringLiteral("color"), QStringLiteral("A0A0A0"));
        }
    }
    xml.writeEndElement();
    xml.writeEmptyElement(wNs, QStringLiteral("tblLayout"));
    xml.writeAttribute(wNs, QStringLiteral("type"), QStringLiteral("fixed"));
    xml.writeStartElement(wNs, QStringLiteral("tblCellMar"));
    for (const char* side : {"top", "left", "bottom", "right"})
        widthOf(QString::fromLatin1(side), m_cells.padding);
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeStartElement(wNs, QStringLiteral("tblGrid"));
    for (int k = 0; k < m_cells.columns; ++k)
        widthOf(QStringLiteral("gridCol"), m_cells.cell.width());
    xml.writeEndElement();
}

// The name at index centred in its cell, or an empty cell past the last name.
void DocxBody::cell(QXmlStreamWriter& xml, qsizetype index, const DocumentRows& rows) {
    xml.writeStartElement(wNs, QStringLiteral("tc"));
    xml.writeStartElement(wNs, QStringLiteral("tcPr"));
    xml.writeEmptyElement(wNs, QStringLiteral("tcW"));
    xml.writeAttribute(wNs, QStringLiteral("w"), twips(m_cells.cell.width()));
    xml.writeAttribute(wNs, QStringLiteral("type"), QStringLiteral("dxa"));
    xml.writeEmptyElement(wNs, QStringLiteral("vAlign"));
    xml.writeAttribute(wNs, QStringLiteral("val"), QStringLiteral("center"));
    xml.writeEndElement();
    if (index < rows.size()) {
        const GlyphRow row = rows.at(index);
        const CellContent content = cellContent(row, m_options);
        picture(xml, row, m_pictures.place(content.writing));
        if (!content.unicode.isEmpty())
            paragraph(xml, content.unicode, QString::fromLatin1(hieroglyphFamily),
                      m_cells.unicodePoints, m_cells.gap);
        paragraph(xml, row.text(), QString(), m_cells.englishPoints);
    } else {
        paragraph(xml, QString(), QString(), m_cells.englishPoints);
    }
    xml.writeEndElement();
}

void DocxBody::alignment(QXmlStreamWriter& xml) const {
    if (!inCells())
        return;
    xml.writeEmptyElement(wNs, QStringLiteral("jc"));
    xml.writeAttribute(wNs, QStringLiteral("val"), QStringLiteral("center"));
}

// The written row as one inline picture in a paragraph of its own, described for screen readers.
// Its size is the same in the drawing's extent and in its shape's, or a reader cuts it.
void DocxBody::picture(QXmlStreamWriter& xml, const GlyphRow& row,
                       const WritingPictures::Placed& placed) {
    if (placed.number < 0)
        return;
    if (placed.first) {
        m_zip.add({QStringLiteral("word/") + mediaName(placed.number, "png"), placed.png, true});
        m_zip.add({QStringLiteral("word/") + mediaName(placed.number, "svg"), placed.svg});
    }
    const QString id = QString::number(++m_drawings);
    const QString name = QStringLiteral("Writing %1").arg(id);
    const QString width = emu(placed.millimetres.width());
    const QString height = emu(placed.millimetres.height());
    const QString description = writingDescription(row);
    xml.writeStartElement(wNs, QStringLiteral("p"));
    xml.writeStartElement(wNs, QStringLiteral("pPr"));
    xml.writeEmptyElement(wNs, QStringLiteral("spacing"));
    xml.writeAttribute(wNs, QStringLiteral("before"), QStringLiteral("0"));
    xml.writeAttribute(wNs, QStringLiteral("after"),
                       twips(inCells() ? m_cells.gap : m_measures.gap));
    alignment(xml);
    xml.writeEndElement();
    xml.writeStartElement(wNs, QStringLiteral("r"));
    xml.writeStartElement(wNs, QStringLiteral("drawing"));
    xml.writeStartElement(wpNs, QStringLiteral("inline"));
    for (const char* distance : {"distT", "distB", "distL", "distR"})
        xml.writeAttribute(QString::fromLatin1(distance), QStringLiteral("0"));
    xml.writeEmptyElement(wpNs, QStringLiteral("extent"));
    xml.writeAttribute(QStringLiteral("cx"), width);
    xml.writeAttribute(QStringLiteral("cy"), height);
    xml.writeEmptyElement(wpNs, QStringLiteral("effectExtent"));
    for (const char* side : {"l", "t", "r", "b"})
        xml.writeAttribute(QString::fromLatin1(side), QStringLiteral("0"));
    xml.writeEmptyElement(wpNs, QStringLiteral("docPr"));
    xml.writeAttribute(QStringLiteral("id"), id);
    xml.writeAttribute(QStringLiteral("name"), name);
    xml.writeAttribute(QStringLiteral("descr"), description);
    xml.writeAttribute(QStringLiteral("title"), row.text());
    xml.writeStartElement(wpNs, QStringLiteral("cNvGraphicFramePr"));
    xml.writeEmptyElement(aNs, QStringLiteral("graphicFrameLocks"));
    xml.writeAttribute(QStringLiteral("noChangeAspect"), QStringLiteral("1"));
    xml.writeEndElement();
    xml.writeStartElement(aNs, QStringLiteral("graphic"));
    xml.writeStartElement(aNs, QStringLiteral("graphicData"));
    xml.writeAttribute(QStringLiteral("uri"), picNs);
    xml.writeStartElement(picNs, QStringLiteral("pic"));
    xml.writeStartElement(picNs, QStringLiteral("nvPicPr"));
    xml.writeEmptyElement(picNs, QStringLiteral("cNvPr"));
    xml.writeAttribute(QStringLiteral("id"), id);
    xml.writeAttribute(QStringLiteral("name"), name);
    xml.writeAttribute(QStringLiteral("descr"), description);
    xml.writeEmptyElement(picNs, QStringLiteral("cNvPicPr"));
    xml.writeEndElement();
    xml.writeStartElement(picNs, QStringLiteral("blipFill"));
    xml.writeStartElement(aNs, QStringLiteral("blip"));
    xml.writeAttribute(rNs, QStringLiteral("embed"), pngRelation(placed.number));
    xml.writeStartElement(aNs, QStringLiteral("extLst"));
    xml.writeStartElement(aNs, QStringLiteral("ext"));
    xml.writeAttribute(QStringLiteral("uri"), svgBlipUri);
    xml.writeEmptyElement(svgBlipNs, QStringLiteral("svgBlip"));
    xml.writeAttribute(rNs, QStringLiteral("embed"), svgRelation(placed.number));
    xml.writeEndElement(); // ext
    xml.writeEndElement(); // extLst
    xml.writeEndElement(); // blip
    xml.writeStartElement(aNs, QStringLiteral("stretch"));
    xml.writeEmptyElement(aNs, QStringLiteral("fillRect"));
    xml.writeEndElement();
    xml.writeEndElement(); // blipFill
    xml.writeStartElement(picNs, QStringLiteral("spPr"));
    xml.writeStartElement(aNs, QStringLiteral("xfrm"));
    xml.writeEmptyElement(aNs, QStringLiteral("off"));
    xml.writeAttribute(QStringLiteral("x"), QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("y"), QStringLiteral("0"));
    xml.writeEmptyElement(aNs, QStringLiteral("ext"));
    xml.writeAttribute(QStringLiteral("cx"), width);
    xml.writeAttribute(QStringLiteral("cy"), height);
    xml.writeEndElement();
    xml.writeStartElement(aNs, QStringLiteral("prstGeom"));
    xml.writeAttribute(QStringLiteral("prst"), QStringLiteral("rect"));
    xml.writeEmptyElement(aNs, QStringLiteral("avLst"));
    xml.writeEndElement();
    xml.writeEndElement(); // spPr
    xml.writeEndElement(); // pic
    xml.writeEndElement(); // graphicData
    xml.writeEndElement(); // graphic
    xml.writeEndElement(); // inline
    xml.writeEndElement(); // drawing
    xml.writeEndElement(); // r
    xml.writeEndElement(); // p
}

// An empty font keeps the document's own.
void DocxBody::paragraph(QXmlStreamWriter& xml, const QString& text, const QString& font,
                         double points, double after) {
    xml.writeStartElement(wNs, QStringLiteral("p"));
    xml.writeStartElement(wNs, QStringLiteral("pPr"));
    xml.writeEmptyElement(wNs, QStringLiteral("spacing"));
    xml.writeAttribute(wNs, QStringLiteral("before"), QStringLiteral("0"));
    xml.writeAttribute(wNs, QStringLiteral("after"), twips(after));
    alignment(xml);
    xml.writeEndElement();
    xml.writeStartElement(wNs, QStringLiteral("r"));
    xml.writeStartElement(wNs, QStringLiteral("rPr"));
    if (!font.isEmpty()) {
        xml.writeEmptyElement(wNs, QStringLiteral("rFonts"));
        for (const char* script : {"ascii", "hAnsi", "cs", "eastAsia"})
            xml.writeAttribute(wNs, QString::fromLatin1(script), font);
    }
    // The size of complex scripts too, which is where a reader may count the hieroglyphs.
    for (const char* size : {"sz", "szCs"}) {
        xml.writeEmptyElement(wNs, QString::fromLatin1(size));
        xml.writeAttribute(wNs, QStringLiteral("val"), halfPoints(points));
    }
    xml.writeEndElement();
    xml.writeStartElement(wNs, QStringLiteral("t"));
    xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
    xml.writeCharacters(text);
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
}

// In the order of pngRelation and svgRelation.
QByteArray DocxBody::relationships() const {
    return xmlPart([&](QXmlStreamWriter& xml) {
        xml.writeDefaultNamespace(packageRelNs);
        xml.writeStartElement(packageRelNs, QStringLiteral("Relationships"));
        for (qsizetype k = 0; k < m_pictures.count(); ++k) {
            const std::pair<QString, const char*> files[] = {{pngRelation(k), "png"},
                                                             {svgRelation(k), "svg"}};
            for (const auto& [id, suffix] : files) {
                xml.writeEmptyElement(packageRelNs, QStringLiteral("Relationship"));
                xml.writeAttribute(QStringLiteral("Id"), id);
                xml.writeAttribute(QStringLiteral("Type"),
                                   QStringLiteral("http://schemas.openxmlformats.org/"
                                                  "officeDocument/2006/relationships/image"));
                xml.writeAttribute(QStringLiteral("Target"), mediaName(k, suffix));
            }
        }
        xml.writeEndElement();
    });
}

QByteArray contentTypes() {
    const QString ns =
        QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types");
    return xmlPart([&](QXmlStreamWriter& xml) {
        xml.writeDefaultNamespace(ns);
        xml.writeStartElement(ns, QStringLiteral("Types"));
        const std::pair<const char*, const char*> defaults[] = {
            {"rels", "application/vnd.openxmlformats-package.relationships+xml"},
            {"xml", "application/xml"},
            {"png", "image/png"},
            {"svg", "image/svg+xml"}};
        for (const auto& [extension, type] : defaults) {
            xml.writeEmptyElement(ns, QStringLiteral("Default"));
            xml.writeAttribute(QStringLiteral("Extension"), QString::fromLatin1(extension));
            xml.writeAttribute(QStringLiteral("ContentType"), QString::fromLatin1(type));
        }
        xml.writeEmptyElement(ns, QStringLiteral("Override"));
        xml.writeAttribute(QStringLiteral("PartName"), QStringLiteral("/word/document.xml"));
        xml.writeAttribute(
            QStringLiteral("ContentType"),
            QStringLiteral("application/"
                           "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"));
        xml.writeEndElement();
    });
}

QByteArray packageRelationships() {
    return xmlPart([&](QXmlStreamWriter& xml) {
        xml.writeDefaultNamespace(packageRelNs);
        xml.writeStartElement(packageRelNs, QStringLiteral("Relationships"));
        xml.writeEmptyElement(packageRelNs, QStringLiteral("Relationship"));
        xml.writeAttribute(QStringLiteral("Id"), QStringLiteral("rId1"));
        xml.writeAttribute(QStringLiteral("Type"),
                           QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/"
                                          "relationships/officeDocument"));
        xml.writeAttribute(QStringLiteral("Target"), QStringLiteral("word/document.xml"));
        xml.writeEndElement();
    });
}

} // namespace

void docxDocument(const DocumentRows& rows, const DocumentOptions& options, QIODevice& file,
                  const std::stop_token& stop) {
    ZipWriter zip(file);
    zip.add({QStringLiteral("[Content_Types].xml"), contentTypes()});
    zip.add({QStringLiteral("_rels/.rels"), packageRelationships()});
    DocxBody body(options, stop, zip);
    zip.add({QStringLiteral("word/document.xml"), body.document(rows)});
    zip.add({QStringLiteral("word/_rels/document.xml.rels"), body.relationships()});
    zip.finish();
}
