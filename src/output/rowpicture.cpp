#include "output/rowpicture.h"

#include "datfile/savefile.h"
#include "output/writingpainter.h"
#include "output/writtenlayout.h"
#include "platform/runtimeerror.h"

#include <cmath>
#include <QBuffer>
#include <QFileInfo>
#include <QPainter>
#include <QSvgGenerator>

namespace {

constexpr qreal MillimetresPerInch = 25.4;
// The room around the signs, in quadrats.
constexpr qreal Margin = 1.0 / 12;
// An SVG's pixels are CSS pixels, 96 to the inch, as viewers draw them.
constexpr int SvgDpi = 96;
// The most pixels of a PNG: 256 MB of memory, more than any name needs at a sensible size.
constexpr qint64 MostPixels = 64 * 1024 * 1024;

WrittenLayout layOut(const GlyphRow& row, const RowPictureOptions& options) {
    WritingOptions writing = options.writing;
    writing.letters = options.letters;
    return layOutWriting(row, writing);
}

// The layout's size with its margin, in pixels of quadrat pixels.
QSize pictureSize(const WrittenLayout& layout, qreal quadrat) {
    const QSizeF size = (layout.size + QSizeF(2 * Margin, 2 * Margin)) * quadrat;
    return {static_cast<int>(std::ceil(size.width())), static_cast<int>(std::ceil(size.height()))};
}

// The layout centred in a picture of size, so that a line written the other way is its mirror
// image.
WritingPaint paintIn(QSize size, const WrittenLayout& layout, qreal quadrat) {
    WritingPaint paint;
    paint.quadrat = quadrat;
    paint.origin = QPointF(size.width() - layout.size.width() * quadrat,
                           size.height() - layout.size.height() * quadrat) /
                   2;
    return paint;
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

// Qt writes an SVG's size in millimetres to six digits, a hair more than its pixels, which a viewer
// rounds up to one more; in CSS pixels, 96 to the inch, the same size is exact.
void writeSizeInPixels(QByteArray& svg, QSize size) {
    const qsizetype start = svg.indexOf("<svg width=");
    const qsizetype end = svg.indexOf('\n', start);
    if (start >= 0 && end > start)
        svg.replace(start, end - start,
                    QStringLiteral("<svg width=\"%1\" height=\"%2\"")
                        .arg(size.width())
                        .arg(size.height())
                        .toUtf8());
}

// The opaque picture in one grey channel, null where it has colour: black ink on white needs no
// more, and a third of the data is written three times as fast. (Qt's own conversion goes through
// colour management, which takes longer than the drawing.)
QImage greyCopy(const QImage& image) {
    QImage grey(image.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* greyLine = grey.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            if (qRed(pixel) != qGreen(pixel) || qGreen(pixel) != qBlue(pixel))
                return {};
            greyLine[x] = uchar(qRed(pixel));
        }
    }
    grey.setDotsPerMeterX(image.dotsPerMeterX());
    grey.setDotsPerMeterY(image.dotsPerMeterY());
    return grey;
}

QImage blankImage(QSize size, bool transparent) {
    if (qint64(size.width()) * size.height() > MostPixels)
        throw RuntimeError(ErrorNumber::OutOfMemory,
                           QStringLiteral("a picture of %1 x %2 pixels; choose a smaller size or "
                                          "resolution")
                               .arg(size.width())
                               .arg(size.height()));
    QImage image(size, transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (image.isNull())
        throw RuntimeError(ErrorNumber::OutOfMemory);
    image.fill(transparent ? Qt::transparent : Qt::white);
    return image;
}

QByteArray pictureOf(const GlyphRow& row, const QString& path, const RowPictureOptions& options) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"png")
        return rowPng(row, options);
    if (suffix == u"svg")
        return rowSvg(row, options);
    throw RuntimeError(
        ErrorNumber::InvalidProcedureCall,
        QStringLiteral("%1 (a picture is saved as PNG, .png, or SVG, .svg)").arg(path));
}

} // namespace

QImage rowImage(const GlyphRow& row, const RowPictureOptions& options) {
    const WrittenLayout layout = layOut(row, options);
    if (layout.isEmpty())
        return {};
    const qreal dpi = options.dpi * options.scale;
    const qreal quadrat = options.signMillimetres / MillimetresPerInch * dpi;
    QImage image = blankImage(pictureSize(layout, quadrat), options.transparent);
    const int dotsPerMetre = qRound(dpi / MillimetresPerInch * 1000);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    paintWriting(painter, layout, paintIn(image.size(), layout, quadrat));
    return image;
}

QByteArray rowPng(const GlyphRow& row, const RowPictureOptions& options) {
    const QImage image = rowImage(row, options);
    if (image.isNull())
        return {};
    const QImage grey = image.hasAlphaChannel() ? QImage() : greyCopy(image);
    return pngData(grey.isNull() ? image : grey);
}

QByteArray rowSvg(const GlyphRow& row, const RowPictureOptions& options) {
    const WrittenLayout layout = layOut(row, options);
    if (layout.isEmpty())
        return {};
    const qreal quadrat = options.signMillimetres / MillimetresPerInch * SvgDpi;
    const QSize size = pictureSize(layout, quadrat);
    QByteArray svg;
    QBuffer buffer(&svg);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setResolution(SvgDpi);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(), size));
    // Qt writes these as they are given, so they are given as XML.
    generator.setTitle(xmlText(row.text()).toHtmlEscaped());
    generator.setDescription(xmlText(writtenUnicode(layout, false)).toHtmlEscaped());
    QPainter painter(&generator);
    if (!options.transparent)
        painter.fillRect(QRect(QPoint(), size), Qt::white);
    WritingPaint paint = paintIn(size, layout, quadrat);
    paint.textLayer = true;
    paint.englishText = xmlText(row.text());
    paintWriting(painter, layout, paint);
    painter.end();
    writeSizeInPixels(svg, size);
    return svg;
}

void saveRowPicture(const GlyphRow& row, const QString& path, const RowPictureOptions& options) {
    const QByteArray picture = pictureOf(row, path, options);
    if (picture.isEmpty())
        throw RuntimeError(ErrorNumber::InvalidProcedureCall,
                           QStringLiteral("%1 (the row has no glyphs to draw)").arg(path));
    saveFile(path, picture);
}
