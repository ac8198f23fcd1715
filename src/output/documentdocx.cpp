// The document as Office Open XML (DOCX): each line of glyphs a table of pictures over their
// letters, zipped with QuaZip.

#include "output/documentparts.h"
#include "platform/runtimeerror.h"

#include <cmath>
#include <QBuffer>
#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>
#include <QXmlStreamWriter>

namespace {

const QString wNs = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString rNs =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QString wpNs =
    QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing");
const QString aNs = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/main");
const QString picNs = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/picture");
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

class DocxBody {
public:
    DocxBody(const DocumentOptions& options, const std::stop_token& stop)
        : m_measures(options)
        , m_pictures(options, stop)
        , m_letters(options.letters) {}

    QByteArray document(const QList<GlyphRow>& rows);
    QByteArray relationships();
    // The media files of the package: name and PNG data.
    QList<std::pair<QString, QByteArray>> media() const { return m_media; }

private:
    void card(QXmlStreamWriter& xml, const GlyphRow& row);
    void line(QXmlStreamWriter& xml, const QList<RowGlyph>& glyphs);
    void tableProperties(QXmlStreamWriter& xml, qsizetype columns);
    void picture(QXmlStreamWriter& xml, const RowGlyph& glyph);
    void paragraph(QXmlStreamWriter& xml, const QString& text, const QString& font, double points,
                   bool centred = false);
    QString relationFor(const QString& path);

    CardMeasures m_measures;
    DocumentPictures m_pictures;
    bool m_letters;
    QHash<QString, QString> m_relations; // picture path to relation id
    QList<std::pair<QString, QByteArray>> m_media;
    int m_drawings = 0;
};

QByteArray DocxBody::document(const QList<GlyphRow>& rows) {
    return xmlPart([&](QXmlStreamWriter& xml) {
        xml.writeNamespace(wNs, QStringLiteral("w"));
        xml.writeNamespace(rNs, QStringLiteral("r"));
        xml.writeNamespace(wpNs, QStringLiteral("wp"));
        xml.writeNamespace(aNs, QStringLiteral("a"));
        xml.writeNamespace(picNs, QStringLiteral("pic"));
        xml.writeStartElement(wNs, QStringLiteral("document"));
        xml.writeStartElement(wNs, QStringLiteral("body"));
        for (const GlyphRow& row : rows)
            card(xml, row);
        const QPageLayout page = documentPageLayout();
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
    for (const QList<RowGlyph>& glyphs : glyphLines(row, m_measures, documentTextWidth())) {
        line(xml, glyphs);
        paragraph(xml, QString(), QString(), m_measures.lettersPoints / 2); // keeps tables apart
    }
    if (!row.unicodeText().isEmpty())
        paragraph(xml, row.unicodeText(), QString::fromLatin1(hieroglyphFamily),
                  m_measures.unicodePoints);
    paragraph(xml, row.text(), QString(), m_measures.englishPoints);
    paragraph(xml, QString(), QString(), m_measures.englishPoints);
}

// A table of one column a glyph: the pictures, and under them their letters.
void DocxBody::line(QXmlStreamWriter& xml, const QList<RowGlyph>& glyphs) {
    xml.writeStartElement(wNs, QStringLiteral("tbl"));
    tableProperties(xml, glyphs.size());
    xml.writeStartElement(wNs, QStringLiteral("tr"));
    for (const RowGlyph& glyph : glyphs) {
        xml.writeStartElement(wNs, QStringLiteral("tc"));
        xml.writeStartElement(wNs, QStringLiteral("p"));
        xml.writeStartElement(wNs, QStringLiteral("pPr"));
        xml.writeEmptyElement(wNs, QStringLiteral("jc"));
        xml.writeAttribute(wNs, QStringLiteral("val"), QStringLiteral("center"));
        xml.writeEndElement();
        xml.writeStartElement(wNs, QStringLiteral("r"));
        picture(xml, glyph);
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndElement();
    if (m_letters) {
        xml.writeStartElement(wNs, QStringLiteral("tr"));
        for (const RowGlyph& glyph : glyphs) {
            xml.writeStartElement(wNs, QStringLiteral("tc"));
            paragraph(xml, glyph.letters, QString(), m_measures.lettersPoints, true);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

// Fixed columns as wide as a glyph; the cartouche as the table's frame, thick at the end as its
// bar.
void DocxBody::tableProperties(QXmlStreamWriter& xml, qsizetype columns) {
    xml.writeStartElement(wNs, QStringLiteral("tblPr"));
    xml.writeEmptyElement(wNs, QStringLiteral("tblLayout"));
    xml.writeAttribute(wNs, QStringLiteral("type"), QStringLiteral("fixed"));
    xml.writeStartElement(wNs, QStringLiteral("tblBorders"));
    const QString thin = QString::number(std::lround(m_measures.frame / 25.4 * 72 * 8));
    const QString thick =
        QString::number(std::min(96L, std::lround(m_measures.bar / 25.4 * 72 * 4)));
    for (const QString& side : {QStringLiteral("top"), QStringLiteral("left"),
                                QStringLiteral("bottom"), QStringLiteral("right")}) {
        xml.writeEmptyElement(wNs, side);
        xml.writeAttribute(wNs, QStringLiteral("val"),
                           m_measures.cartouche ? QStringLiteral("single") : QStringLiteral("nil"));
        if (m_measures.cartouche) {
            xml.writeAttribute(wNs, QStringLiteral("sz"), side == u"right" ? thick : thin);
            xml.writeAttribute(wNs, QStringLiteral("space"), QStringLiteral("0"));
            xml.writeAttribute(wNs, QStringLiteral("color"), QStringLiteral("000000"));
        }
    }
    xml.writeEndElement();
    xml.writeStartElement(wNs, QStringLiteral("tblCellMar"));
    for (const QString& side : {QStringLiteral("top"), QStringLiteral("left"),
                                QStringLiteral("bottom"), QStringLiteral("right")}) {
        xml.writeEmptyElement(wNs, side);
        xml.writeAttribute(wNs, QStringLiteral("w"), twips(m_measures.gap / 2));
        xml.writeAttribute(wNs, QStringLiteral("type"), QStringLiteral("dxa"));
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeStartElement(wNs, QStringLiteral("tblGrid"));
    for (qsizetype k = 0; k < columns; ++k) {
        xml.writeEmptyElement(wNs, QStringLiteral("gridCol"));
        xml.writeAttribute(wNs, QStringLiteral("w"), twips(m_measures.glyph + m_measures.gap));
    }
    xml.writeEndElement();
}

// An inline picture whose description is the glyph's label, for screen readers.
void DocxBody::picture(QXmlStreamWriter& xml, const RowGlyph& glyph) {
    const QString id = QString::number(++m_drawings);
    const QString relation = relationFor(glyph.picture);
    const QString side = emu(m_measures.glyph);
    xml.writeStartElement(wNs, QStringLiteral("drawing"));
    xml.writeStartElement(wpNs, QStringLiteral("inline"));
    xml.writeEmptyElement(wpNs, QStringLiteral("extent"));
    xml.writeAttribute(QStringLiteral("cx"), side);
    xml.writeAttribute(QStringLiteral("cy"), side);
    xml.writeEmptyElement(wpNs, QStringLiteral("docPr"));
    xml.writeAttribute(QStringLiteral("id"), id);
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("Glyph %1").arg(id));
    xml.writeAttribute(QStringLiteral("descr"), glyph.label());
    xml.writeStartElement(aNs, QStringLiteral("graphic"));
    xml.writeStartElement(aNs, QStringLiteral("graphicData"));
    xml.writeAttribute(QStringLiteral("uri"), picNs);
    xml.writeStartElement(picNs, QStringLiteral("pic"));
    xml.writeStartElement(picNs, QStringLiteral("nvPicPr"));
    xml.writeEmptyElement(picNs, QStringLiteral("cNvPr"));
    xml.writeAttribute(QStringLiteral("id"), id);
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("Glyph %1").arg(id));
    xml.writeAttribute(QStringLiteral("descr"), glyph.label());
    xml.writeEmptyElement(picNs, QStringLiteral("cNvPicPr"));
    xml.writeEndElement();
    xml.writeStartElement(picNs, QStringLiteral("blipFill"));
    xml.writeEmptyElement(aNs, QStringLiteral("blip"));
    xml.writeAttribute(rNs, QStringLiteral("embed"), relation);
    xml.writeStartElement(aNs, QStringLiteral("stretch"));
    xml.writeEmptyElement(aNs, QStringLiteral("fillRect"));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeStartElement(picNs, QStringLiteral("spPr"));
    xml.writeStartElement(aNs, QStringLiteral("xfrm"));
    xml.writeEmptyElement(aNs, QStringLiteral("off"));
    xml.writeAttribute(QStringLiteral("x"), QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("y"), QStringLiteral("0"));
    xml.writeEmptyElement(aNs, QStringLiteral("ext"));
    xml.writeAttribute(QStringLiteral("cx"), side);
    xml.writeAttribute(QStringLiteral("cy"), side);
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
}

// An empty font keeps the document's own.
void DocxBody::paragraph(QXmlStreamWriter& xml, const QString& text, const QString& font,
                         double points, bool centred) {
    xml.writeStartElement(wNs, QStringLiteral("p"));
    xml.writeStartElement(wNs, QStringLiteral("pPr"));
    xml.writeEmptyElement(wNs, QStringLiteral("spacing"));
    xml.writeAttribute(wNs, QStringLiteral("before"), QStringLiteral("0"));
    xml.writeAttribute(wNs, QStringLiteral("after"), QStringLiteral("0"));
    if (centred) {
        xml.writeEmptyElement(wNs, QStringLiteral("jc"));
        xml.writeAttribute(wNs, QStringLiteral("val"), QStringLiteral("center"));
    }
    xml.writeEndElement();
    xml.writeStartElement(wNs, QStringLiteral("r"));
    xml.writeStartElement(wNs, QStringLiteral("rPr"));
    if (!font.isEmpty()) {
        xml.writeEmptyElement(wNs, QStringLiteral("rFonts"));
        for (const char* script : {"ascii", "hAnsi", "cs", "eastAsia"})
            xml.writeAttribute(wNs, QString::fromLatin1(script), font);
    }
    xml.writeEmptyElement(wNs, QStringLiteral("sz"));
    xml.writeAttribute(wNs, QStringLiteral("val"), halfPoints(points));
    xml.writeEndElement();
    xml.writeStartElement(wNs, QStringLiteral("t"));
    xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
    xml.writeCharacters(text);
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
}

// One media file a picture, however often the glyph appears.
QString DocxBody::relationFor(const QString& path) {
    const auto found = m_relations.constFind(path);
    if (found != m_relations.constEnd())
        return *found;
    const QString id = QStringLiteral("rId%1").arg(m_media.size() + 1);
    m_media.append(
        {QStringLiteral("media/glyph%1.png").arg(m_media.size() + 1), m_pictures.png(path)});
    m_relations.insert(path, id);
    return id;
}

QByteArray DocxBody::relationships() {
    return xmlPart([&](QXmlStreamWriter& xml) {
        xml.writeDefaultNamespace(packageRelNs);
        xml.writeStartElement(packageRelNs, QStringLiteral("Relationships"));
        for (qsizetype k = 0; k < m_media.size(); ++k) {
            xml.writeEmptyElement(packageRelNs, QStringLiteral("Relationship"));
            xml.writeAttribute(QStringLiteral("Id"), QStringLiteral("rId%1").arg(k + 1));
            xml.writeAttribute(
                QStringLiteral("Type"),
                QStringLiteral(
                    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image"));
            xml.writeAttribute(QStringLiteral("Target"), m_media.at(k).first);
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
            {"png", "image/png"}};
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

void addFile(QuaZip& zip, const QString& name, const QByteArray& bytes) {
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name)) || file.write(bytes) != bytes.size())
        throw RuntimeError(ErrorNumber::InternalError,
                           QStringLiteral("%1 (zip error %2)").arg(name).arg(file.getZipError()));
    file.close();
}

} // namespace

QByteArray docxDocument(const QList<GlyphRow>& rows, const DocumentOptions& options,
                        const std::stop_token& stop) {
    DocxBody body(options, stop);
    const QByteArray document = body.document(rows);
    QByteArray docx;
    QBuffer buffer(&docx);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdCreate))
        throw RuntimeError(ErrorNumber::InternalError,
                           QStringLiteral("zip error %1").arg(zip.getZipError()));
    addFile(zip, QStringLiteral("[Content_Types].xml"), contentTypes());
    addFile(zip, QStringLiteral("_rels/.rels"), packageRelationships());
    addFile(zip, QStringLiteral("word/document.xml"), document);
    addFile(zip, QStringLiteral("word/_rels/document.xml.rels"), body.relationships());
    for (const auto& [name, png] : body.media())
        addFile(zip, QStringLiteral("word/") + name, png);
    zip.close();
    if (zip.getZipError() != 0)
        throw RuntimeError(ErrorNumber::InternalError,
                           QStringLiteral("zip error %1").arg(zip.getZipError()));
    return docx;
}
