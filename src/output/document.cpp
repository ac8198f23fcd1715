#include "output/document.h"

#include "datfile/savefile.h"
#include "output/documentpages.h"
#include "output/documentparts.h"
#include "output/outputformats.h"
#include "platform/runtimeerror.h"

#include <algorithm>
#include <QFileInfo>
#include <QLocale>
#include <QPageSize>

namespace {

QString suffixOf(const QString& path) {
    return QFileInfo(path).suffix().toLower();
}

double checkedGlyphSize(double millimetres) {
    if (!OutputFormats::isGlyphSize(millimetres))
        throw RuntimeError(ErrorNumber::InvalidProcedureCall,
                           QStringLiteral("a glyph of %1 mm (from %2 to %3 mm)")
                               .arg(millimetres)
                               .arg(OutputFormats::SmallestGlyph)
                               .arg(OutputFormats::LargestGlyph));
    return millimetres;
}

bool inColumns(const WritingOptions& writing) {
    return writing.direction == WritingOptions::Direction::Columns;
}

// Lines as long as the text is wide (columns as tall as it is high).
WritingOptions writingOptions(const DocumentOptions& options, QSizeF text) {
    return writtenAs(options, (inColumns(options.writing) ? text.height() : text.width()) /
                                  checkedGlyphSize(options.glyphMillimetres));
}

// The rows, telling progress as each is made to be written.
DocumentRows withProgress(const DocumentRows& rows, const DocumentProgress& progress) {
    if (!progress)
        return rows;
    return DocumentRows(rows.size(), [rows, progress](qsizetype index) {
        progress(index, rows.size());
        return rows.at(index);
    });
}

// The PDF, made whole before it is written: its Unicode map is completed on its bytes.
void pdfWriting(const DocumentRows& rows, const DocumentOptions& options, QIODevice& file,
                const std::stop_token& stop) {
    const QByteArray pdf = pdfDocument(rows, options, stop);
    if (file.write(pdf) != pdf.size())
        throw RuntimeError(ErrorNumber::InternalError, file.errorString());
}

// A fitted sheet whose text is too long to be large on one page goes as text pages, as the PDF
// writes it: a word processor's table row cannot carry it on to the next page. The rows of a
// flowing document are one table, so one such row makes them all text pages.
DocumentOptions flowingPages(const DocumentRows& rows, DocumentOptions options) {
    if (options.page != PageKind::Sheet || !options.fitToPage)
        return options;
    for (qsizetype k = 0; k < rows.size(); ++k) {
        if (cellContent(rows.at(k), options).writing.quadrat < OutputFormats::DefaultGlyph) {
            options.page = PageKind::Text;
            break;
        }
    }
    return options;
}

} // namespace

DocumentRows::DocumentRows(QList<GlyphRow> rows)
    : m_count(rows.size())
    , m_make([rows = std::move(rows)](qsizetype index) { return rows.at(index); }) {}

DocumentRows::DocumentRows(std::initializer_list<GlyphRow> rows)
    : DocumentRows(QList<GlyphRow>(rows)) {}

DocumentRows::DocumentRows(qsizetype count, std::function<GlyphRow(qsizetype)> make)
    : m_count(count)
    , m_make(std::move(make)) {}

CardMeasures::CardMeasures(const DocumentOptions& options)
    : glyph(checkedGlyphSize(options.glyphMillimetres))
    , gap(glyph / 8)
    , unicodePoints(glyph * 2)
    , englishPoints(glyph * 0.95) {}

WritingOptions writtenAs(const DocumentOptions& options, qreal lineQuadrats) {
    WritingOptions writing = options.writing;
    writing.letters = options.letters;
    writing.cartouche = options.cartouche;
    writing.lineLength = lineQuadrats;
    return writing;
}

DocumentWriting::DocumentWriting(WrittenLayout written, double quadratMillimetres)
    : layout(std::move(written))
    , quadrat(quadratMillimetres) {}

DocumentWriting::DocumentWriting(const GlyphRow& row, const DocumentOptions& options,
                                 QSizeF textMillimetres)
    : layout(layOutWriting(row, writingOptions(options, textMillimetres)))
    , quadrat(options.glyphMillimetres) {
    if (layout.isEmpty())
        return;
    quadrat = std::min(quadrat, textMillimetres.width() / layout.size.width());
    if (inColumns(layout.options))
        quadrat = std::min(quadrat, textMillimetres.height() / layout.size.height());
}

QString writingDescription(const GlyphRow& row) {
    QStringList labels;
    for (const RowGlyph& glyph : row.glyphs())
        labels.append(glyph.label());
    if (labels.isEmpty())
        return row.text();
    return row.text() + QStringLiteral(": ") + labels.join(QStringLiteral("; "));
}

QSizeF documentTextSize(QPageSize::PageSizeId paper) {
    return documentPageLayout(paper).paintRect(QPageLayout::Millimeter).size();
}

void throwIfStopped(const std::stop_token& stop) {
    if (stop.stop_requested())
        throw RuntimeError(ErrorNumber::UserInterrupt);
}

bool isDocumentPath(const QString& path) {
    return OutputFormats::isOfKind(path, OutputFormat::Kind::Document);
}

QPageSize::PageSizeId localPaper() {
    // Letter is the custom in North and Central America, parts of South America and the
    // Philippines.
    static const QList<QLocale::Territory> letterTerritories{QLocale::UnitedStates,
                                                             QLocale::Canada,
                                                             QLocale::Mexico,
                                                             QLocale::Philippines,
                                                             QLocale::Chile,
                                                             QLocale::Colombia,
                                                             QLocale::Venezuela,
                                                             QLocale::CostaRica,
                                                             QLocale::Guatemala,
                                                             QLocale::Panama,
                                                             QLocale::DominicanRepublic,
                                                             QLocale::PuertoRico,
                                                             QLocale::ElSalvador,
                                                             QLocale::Nicaragua,
                                                             QLocale::Honduras};
    const QLocale locale = QLocale::system();
    const bool letter = locale.measurementSystem() == QLocale::ImperialUSSystem ||
                        letterTerritories.contains(locale.territory());
    return letter ? QPageSize::Letter : QPageSize::A4;
}

QPageLayout documentPageLayout(QPageSize::PageSizeId paper) {
    return QPageLayout(QPageSize(paper), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                       QPageLayout::Millimeter);
}

void saveDocument(const DocumentRows& rows, const QString& path, const DocumentOptions& options,
                  const std::stop_token& stop, const DocumentProgress& progress) {
    checkFitsOnPage(rows, options);
    const QString suffix = suffixOf(path);
    decltype(&pdfWriting) write = nullptr;
    if (suffix == u"pdf")
        write = pdfWriting;
    else if (suffix == u"odt")
        write = odtDocument;
    else if (suffix == u"docx")
        write = docxDocument;
    else if (suffix == u"html" || suffix == u"htm")
        write = htmlDocument;
    else
        throw RuntimeError(ErrorNumber::InvalidProcedureCall,
                           QStringLiteral("%1 (a document is saved as PDF, .pdf; ODT, .odt; DOCX, "
                                          ".docx; or HTML, .html)")
                               .arg(path));
    const DocumentRows told = withProgress(rows, progress);
    const DocumentOptions pages = write == pdfWriting ? options : flowingPages(rows, options);
    saveFile(path, [&](QIODevice& file) {
        write(told, pages, file, stop);
        throwIfStopped(stop);
    });
    if (progress)
        progress(rows.size(), rows.size());
}
