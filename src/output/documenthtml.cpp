// The document as one HTML file that needs nothing beside it: each written row an SVG picture in
// the page, each distinct picture, and each distinct outline of a sign, written once and used
// again where it repeats.

#include "output/documentpages.h"
#include "output/documentparts.h"

#include <QCryptographicHash>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

QString millimetres(double length) {
    return QString::number(length, 'f', 2) + QStringLiteral("mm");
}

QString points(double size) {
    return QString::number(size, 'f', 1) + QStringLiteral("pt");
}

QString styleSheet(const CardMeasures& m) {
    return QStringLiteral("body{font-family:sans-serif;margin:20mm}"
                          "section{margin-bottom:%1;break-inside:avoid}"
                          "svg{display:block;margin-bottom:%2}"
                          ".unicode{font-size:%3;margin:0 0 %2 0;overflow-wrap:anywhere}"
                          ".unicode{font-weight:bold;letter-spacing:0.1em}" // signs apart, dark
                          ".english{font-size:%4;margin:0}")
        .arg(millimetres(2 * m.glyph / 3), millimetres(m.gap), points(m.unicodePoints),
             points(m.englishPoints));
}

// Sheets and cards printed as the PDF's pages: a grid of fixed cells a page, each centring its
// name.
QString cellStyleSheet(QPageSize::PageSizeId paper, const PageCells& cells) {
    return QStringLiteral("@page{size:%1;margin:20mm}@media print{body{margin:0}}"
                          ".page{display:grid;grid-template-columns:repeat(%2,%3);"
                          "grid-auto-rows:%4;break-after:page}"
                          ".page:last-child{break-after:auto}"
                          ".cell{box-sizing:border-box;padding:%5;display:flex;"
                          "flex-direction:column;align-items:center;justify-content:center;"
                          "text-align:center;overflow:hidden;break-inside:avoid}"
                          ".cut{border:0.1mm dashed #a0a0a0}"
                          ".cell svg{margin:0 0 %6 0}.cell .unicode{font-size:%7;margin:0 0 %6 0}"
                          ".cell .english{font-size:%8}")
        .arg(paper == QPageSize::Letter ? QStringLiteral("letter") : QStringLiteral("A4"))
        .arg(cells.columns)
        .arg(millimetres(cells.cell.width()), millimetres(cells.cell.height()),
             millimetres(cells.padding), millimetres(cells.gap), points(cells.unicodePoints),
             points(cells.englishPoints));
}

QString pictureId(qsizetype number) {
    return QStringLiteral("writing%1").arg(number + 1);
}

QString outlineId(qsizetype number) {
    return QStringLiteral("outline%1").arg(number + 1);
}

// The drawing inside the SVG documents, without their roots, titles and descriptions: what the
// page's own svg elements hold. An outline already in the page is used, not written again, and a
// group that holds nothing, or a group's font, which only its text would take and which the text
// has of its own, is left out.
class SvgDrawings {
public:
    explicit SvgDrawings(QXmlStreamWriter& xml)
        : m_xml(xml) {}

    void copy(const QByteArray& svg);

private:
    struct Element {
        QString name;
        QXmlStreamAttributes attributes;
        bool written = false;
    };

    void start(const QXmlStreamReader& reader);
    void writeStarted();
    void end();

    QXmlStreamWriter& m_xml;
    QList<Element> m_open;                   // started, and written once something is in them
    QHash<QByteArray, qsizetype> m_outlines; // an outline's number by its digest
};

void SvgDrawings::copy(const QByteArray& svg) {
    QXmlStreamReader reader(svg);
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            if (depth++ == 0)
                break;
            if (depth == 2 && (reader.name() == u"title" || reader.name() == u"desc")) {
                reader.skipCurrentElement();
                --depth;
                break;
            }
            start(reader);
            break;
        case QXmlStreamReader::EndElement:
            if (--depth > 0)
                end();
            break;
        case QXmlStreamReader::Characters:
            if (!reader.isWhitespace()) {
                writeStarted();
                m_xml.writeCharacters(reader.text().toString());
            }
            break;
        default:
            break;
        }
    }
}

// What Qt's generator writes on every element though it is what SVG takes anyway, with ink that is
// never translucent: left out, a batch's page is a tenth smaller.
bool isDefault(const QXmlStreamAttribute& attribute) {
    static const QList<std::pair<QString, QString>> defaults{
        {QStringLiteral("fill-opacity"), QStringLiteral("1")},
        {QStringLiteral("stroke-opacity"), QStringLiteral("1")},
        {QStringLiteral("vector-effect"), QStringLiteral("none")},
        {QStringLiteral("font-weight"), QStringLiteral("400")},
        {QStringLiteral("font-style"), QStringLiteral("normal")}};
    return defaults.contains({attribute.name().toString(), attribute.value().toString()});
}

// An outline is a path of its own, without a transform or fill of its own (its group has them),
// so a use of it draws the same.
void SvgDrawings::start(const QXmlStreamReader& reader) {
    Element element{reader.qualifiedName().toString(), {}};
    QXmlStreamAttributes attributes = reader.attributes();
    const bool group = element.name == u"g" || element.name == u"defs";
    if (element.name == u"path") {
        const QByteArray digest = QCryptographicHash::hash(
            attributes.value(QStringLiteral("d")).toUtf8(), QCryptographicHash::Sha1);
        if (const auto found = m_outlines.constFind(digest); found != m_outlines.constEnd()) {
            element.name = QStringLiteral("use");
            element.attributes.append(QStringLiteral("href"), u'#' + outlineId(*found));
            attributes.clear();
        } else {
            element.attributes.append(QStringLiteral("id"), outlineId(m_outlines.size()));
            m_outlines.insert(digest, m_outlines.size());
        }
    }
    for (const QXmlStreamAttribute& attribute : attributes) {
        if ((!group || !attribute.name().startsWith(u"font-")) && !isDefault(attribute))
            element.attributes.append(attribute);
    }
    m_open.append(element);
    if (!group)
        writeStarted();
}

void SvgDrawings::writeStarted() {
    for (Element& element : m_open) {
        if (element.written)
            continue;
        m_xml.writeStartElement(element.name);
        m_xml.writeAttributes(element.attributes);
        element.written = true;
    }
}

void SvgDrawings::end() {
    if (m_open.takeLast().written)
        m_xml.writeEndElement();
}

class HtmlWriter {
public:
    HtmlWriter(QIODevice& device, const DocumentOptions& options, const std::stop_token& stop)
        : m_xml(&device)
        , m_options(options)
        , m_cells(pageCells(options))
        , m_measures(textPageOptions(options))
        , m_pictures(textPageOptions(options), false, stop)
        , m_drawings(m_xml) {}

    void write(const DocumentRows& rows);

private:
    void textElement(const QString& name, const QString& text) {
        m_xml.writeTextElement(name, text);
    }
    bool inCells() const { return m_options.page != PageKind::Text; }
    void card(const GlyphRow& row);
    void cells(const DocumentRows& rows);
    void cell(const GlyphRow& row);
    void unicodeParagraph(const QString& unicode);
    void englishParagraph(const QString& english);
    void picture(const GlyphRow& row, const WritingPictures::Placed& placed);

    QXmlStreamWriter m_xml;
    DocumentOptions m_options;
    PageCells m_cells;
    CardMeasures m_measures;
    WritingPictures m_pictures;
    SvgDrawings m_drawings;
};

void HtmlWriter::write(const DocumentRows& rows) {
    m_xml.setAutoFormatting(true);
    // A line for each element, indented little: a batch's pictures nest deep.
    m_xml.setAutoFormattingIndent(1);
    m_xml.writeDTD(QStringLiteral("<!DOCTYPE html>"));
    m_xml.writeStartElement(QStringLiteral("html"));
    m_xml.writeAttribute(QStringLiteral("lang"), QStringLiteral("en"));
    m_xml.writeStartElement(QStringLiteral("head"));
    m_xml.writeEmptyElement(QStringLiteral("meta"));
    m_xml.writeAttribute(QStringLiteral("charset"), QStringLiteral("utf-8"));
    textElement(QStringLiteral("title"), rows.isEmpty() ? QString() : rows.at(0).text());
    textElement(QStringLiteral("style"),
                styleSheet(m_measures) +
                    (inCells() ? cellStyleSheet(m_options.paper, m_cells) : QString()));
    m_xml.writeEndElement();
    m_xml.writeStartElement(QStringLiteral("body"));
    if (inCells())
        cells(rows);
    else
        for (qsizetype k = 0; k < rows.size(); ++k)
            card(rows.at(k));
    m_xml.writeEndDocument();
}

void HtmlWriter::card(const GlyphRow& row) {
    m_xml.writeStartElement(QStringLiteral("section"));
    const QList<DocumentWriting> parts = pageParts(row, textPageOptions(m_options));
    for (qsizetype k = 0; k < parts.size(); ++k)
        picture(described(row, k), m_pictures.place(parts.at(k)));
    unicodeParagraph(m_options.unicodeLine ? unicodeLine(row) : QString());
    englishParagraph(row.text());
    m_xml.writeEndElement();
}

void HtmlWriter::cells(const DocumentRows& rows) {
    const qsizetype perPage = qsizetype(m_cells.columns) * m_cells.rows;
    for (qsizetype k = 0; k < rows.size(); ++k) {
        if (k % perPage == 0) {
            if (k > 0)
                m_xml.writeEndElement();
            m_xml.writeStartElement(QStringLiteral("div"));
            m_xml.writeAttribute(QStringLiteral("class"), QStringLiteral("page"));
        }
        cell(rows.at(k));
    }
    if (!rows.isEmpty())
        m_xml.writeEndElement();
}

void HtmlWriter::cell(const GlyphRow& row) {
    const CellContent content = cellContent(row, m_options);
    m_xml.writeStartElement(QStringLiteral("div"));
    m_xml.writeAttribute(QStringLiteral("class"),
                         m_cells.cutLines ? QStringLiteral("cell cut") : QStringLiteral("cell"));
    picture(row, m_pictures.place(content.writing));
    unicodeParagraph(content.unicode);
    englishParagraph(row.text());
    m_xml.writeEndElement();
}

void HtmlWriter::unicodeParagraph(const QString& unicode) {
    if (unicode.isEmpty())
        return;
    m_xml.writeStartElement(QStringLiteral("p"));
    m_xml.writeAttribute(QStringLiteral("class"), QStringLiteral("unicode"));
    m_xml.writeStartElement(QStringLiteral("span"));
    m_xml.writeAttribute(QStringLiteral("style"),
                         QStringLiteral("font-family:%1,'Noto Sans Egyptian Hieroglyphs'")
                             .arg(QString::fromLatin1(hieroglyphFamily)));
    m_xml.writeCharacters(unicode);
    m_xml.writeEndElement();
    m_xml.writeEndElement();
}

void HtmlWriter::englishParagraph(const QString& english) {
    m_xml.writeStartElement(QStringLiteral("p"));
    m_xml.writeAttribute(QStringLiteral("class"), QStringLiteral("english"));
    m_xml.writeCharacters(english);
    m_xml.writeEndElement();
}

// The written row as an image for screen readers, described by its text and its signs' labels.
void HtmlWriter::picture(const GlyphRow& row, const WritingPictures::Placed& placed) {
    if (placed.number < 0)
        return;
    const QString description = writingDescription(row);
    m_xml.writeStartElement(QStringLiteral("svg"));
    m_xml.writeAttribute(QStringLiteral("role"), QStringLiteral("img"));
    m_xml.writeAttribute(QStringLiteral("aria-label"), description);
    m_xml.writeAttribute(QStringLiteral("width"), millimetres(placed.millimetres.width()));
    m_xml.writeAttribute(QStringLiteral("height"), millimetres(placed.millimetres.height()));
    m_xml.writeAttribute(QStringLiteral("viewBox"),
                         QStringLiteral("0 0 %1 %2")
                             .arg(placed.millimetres.width() * svgUnitsPerMillimetre)
                             .arg(placed.millimetres.height() * svgUnitsPerMillimetre));
    textElement(QStringLiteral("title"), description);
    if (placed.first) {
        m_xml.writeStartElement(QStringLiteral("g"));
        m_xml.writeAttribute(QStringLiteral("id"), pictureId(placed.number));
        m_drawings.copy(placed.svg);
        m_xml.writeEndElement();
    } else {
        m_xml.writeEmptyElement(QStringLiteral("use"));
        m_xml.writeAttribute(QStringLiteral("href"), u'#' + pictureId(placed.number));
    }
    m_xml.writeEndElement();
}

} // namespace

void htmlDocument(const DocumentRows& rows, const DocumentOptions& options, QIODevice& file,
                  const std::stop_token& stop) {
    HtmlWriter(file, options, stop).write(rows);
}
