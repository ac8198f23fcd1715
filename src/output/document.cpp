#include "output/document.h"

#include "datfile/savefile.h"
#include "output/documentparts.h"
#include "output/glyphpicture.h"
#include "output/outputformats.h"
#include "platform/runtimeerror.h"

#include <algorithm>
#include <cmath>
#include <QFileInfo>
#include <QPageSize>

namespace {

constexpr double millimetresPerInch = 25.4;
constexpr double pictureDotsPerInch = 192;

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

} // namespace

CardMeasures::CardMeasures(const DocumentOptions& options)
    : glyph(checkedGlyphSize(options.glyphMillimetres))
    , gap(glyph / 8)
    , inset(options.cartouche ? glyph / 4 : 0)
    , bar(options.cartouche ? glyph / 4 : 0)
    , frame(std::max(0.3, glyph / 40))
    , lettersPoints(glyph * 0.8)
    , unicodePoints(glyph * 2)
    , englishPoints(glyph * 0.95)
    , cartouche(options.cartouche) {}

qsizetype CardMeasures::glyphsPerLine(double widthMillimetres) const {
    const double room = widthMillimetres - 2 * inset - bar + gap;
    return std::max<qsizetype>(1, static_cast<qsizetype>(std::floor(room / (glyph + gap))));
}

QList<QList<RowGlyph>> glyphLines(const GlyphRow& row, const CardMeasures& measures,
                                  double widthMillimetres) {
    const qsizetype perLine = measures.glyphsPerLine(widthMillimetres);
    QList<QList<RowGlyph>> lines;
    for (qsizetype start = 0; start < row.glyphs().size(); start += perLine)
        lines.append(row.glyphs().mid(start, perLine));
    return lines;
}

double documentTextWidth() {
    return documentPageLayout().paintRect(QPageLayout::Millimeter).width();
}

void throwIfStopped(const std::stop_token& stop) {
    if (stop.stop_requested())
        throw RuntimeError(ErrorNumber::UserInterrupt);
}

DocumentPictures::DocumentPictures(const DocumentOptions& options, std::stop_token stop)
    : m_minimumPixels(static_cast<int>(
          std::ceil(options.glyphMillimetres / millimetresPerInch * pictureDotsPerInch)))
    , m_stop(std::move(stop)) {}

const QImage& DocumentPictures::image(const QString& path) {
    throwIfStopped(m_stop);
    auto found = m_images.find(path);
    if (found != m_images.end())
        return *found;
    QImage picture = checkedGlyphPicture(path, 2.0);
    picture.setDevicePixelRatio(1.0);
    if (std::min(picture.width(), picture.height()) < m_minimumPixels)
        picture = picture.scaled(m_minimumPixels, m_minimumPixels, Qt::KeepAspectRatioByExpanding,
                                 Qt::SmoothTransformation);
    return *m_images.insert(path, picture);
}

const QByteArray& DocumentPictures::png(const QString& path) {
    throwIfStopped(m_stop);
    auto found = m_pngs.find(path);
    if (found != m_pngs.end())
        return *found;
    return *m_pngs.insert(path, pngData(image(path)));
}

bool isDocumentPath(const QString& path) {
    return OutputFormats::isOfKind(path, OutputFormat::Kind::Document);
}

QPageLayout documentPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                       QPageLayout::Millimeter);
}

void saveDocument(const QList<GlyphRow>& rows, const QString& path, const DocumentOptions& options,
                  const std::stop_token& stop) {
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
