#include "output/document.h"

#include "datfile/savefile.h"
#include "output/documentparts.h"
#include "output/outputformats.h"
#include "platform/runtimeerror.h"

#include <algorithm>
#include <QBuffer>
#include <QFileInfo>
#include <QLocale>
#include <QPageSize>
#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

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

void throwZipError(int error) {
    throw RuntimeError(ErrorNumber::InternalError, QStringLiteral("zip error %1").arg(error));
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

QByteArray zipped(const QList<ZipMember>& members) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdCreate))
        throwZipError(zip.getZipError());
    for (const ZipMember& member : members) {
        QuaZipNewInfo info(member.name);
        // Readable by everyone once unpacked, as a file saved by the program is.
        info.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                            QFile::ReadOther);
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, info, nullptr, 0, member.stored ? 0 : Z_DEFLATED) ||
            file.write(member.bytes) != member.bytes.size())
            throw RuntimeError(
                ErrorNumber::InternalError,
                QStringLiteral("%1 (zip error %2)").arg(member.name).arg(file.getZipError()));
        file.close();
    }
    zip.close();
    if (zip.getZipError() != 0)
        throwZipError(zip.getZipError());
    return bytes;
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
                  const std::stop_token& stop) {
    checkFitsOnPage(rows, options);
    const QString suffix = suffixOf(path);
    QByteArray bytes;
    if (suffix == u"pdf")
        bytes = pdfDocument(rows, options, stop);
    else if (suffix == u"odt")
        bytes = odtDocument(rows, options, stop);
    else if (suffix == u"docx")
        bytes = docxDocument(rows, options, stop);
    else if (suffix == u"html" || suffix == u"htm")
        bytes = htmlDocument(rows, options, stop);
    else
        throw RuntimeError(ErrorNumber::InvalidProcedureCall,
                           QStringLiteral("%1 (a document is saved as PDF, .pdf; ODT, .odt; DOCX, "
                                          ".docx; or HTML, .html)")
                               .arg(path));
    throwIfStopped(stop);
    saveFile(path, bytes);
}
