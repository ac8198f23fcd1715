// The written rows of the ODT, DOCX and HTML documents as pictures: SVG drawn by QSvgGenerator,
// PNG for the readers that cannot draw SVG.

#include "output/documentparts.h"
#include "output/glyphpicture.h"
#include "output/writingpainter.h"

#include <algorithm>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

namespace {

// The PNG is sharp on paper at 192 dpi, and never larger than a reader likes to load.
constexpr double pngDotsPerMillimetre = 192 / 25.4;
constexpr double largestPngSide = 4096;

WritingPaint paintAt(qreal quadrat) {
    WritingPaint paint;
    paint.quadrat = quadrat;
    return paint;
}

QByteArray svgOf(const DocumentWriting& writing) {
    QByteArray svg;
    QBuffer buffer(&svg);
    const QSizeF size = writing.millimetres() * svgUnitsPerMillimetre;
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setResolution(qRound(25.4 * svgUnitsPerMillimetre));
    generator.setSize(size.toSize());
    generator.setViewBox(QRectF(QPointF(), size));
    QPainter painter(&generator);
    paintWriting(painter, writing.layout, paintAt(writing.quadrat * svgUnitsPerMillimetre));
    painter.end();
    return svg;
}

// Grey on white, a quarter of the colour picture's bytes: the ink is black and the page white.
QByteArray pngOf(const DocumentWriting& writing) {
    const QSizeF millimetres = writing.millimetres();
    const double dots = std::min(
        pngDotsPerMillimetre, largestPngSide / std::max(millimetres.width(), millimetres.height()));
    QImage image((millimetres * dots).toSize().expandedTo(QSize(1, 1)), QImage::Format_Grayscale8);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(dots * 1000));
    image.setDotsPerMeterY(qRound(dots * 1000));
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    paintWriting(painter, writing.layout, paintAt(writing.quadrat * dots));
    painter.end();
    return pngData(image, true);
}

} // namespace

WritingPictures::WritingPictures(const DocumentOptions& options, bool withPng, std::stop_token stop)
    : m_options(options)
    , m_withPng(withPng)
    , m_stop(std::move(stop)) {}

WritingPictures::Placed WritingPictures::place(const GlyphRow& row) {
    throwIfStopped(m_stop);
    return place(DocumentWriting(row, m_options, documentTextSize(m_options.paper)));
}

WritingPictures::Placed WritingPictures::place(const DocumentWriting& writing) {
    throwIfStopped(m_stop);
    if (writing.layout.isEmpty())
        return {-1, false, QSizeF()};
    QByteArray svg = svgOf(writing);
    const auto found = m_numbers.constFind(svg);
    if (found != m_numbers.constEnd())
        return {*found, false, writing.millimetres()};
    const qsizetype number = m_svgs.size();
    m_numbers.insert(svg, number);
    m_svgs.append(std::move(svg));
    if (m_withPng)
        m_pngs.append(pngOf(writing));
    return {number, true, writing.millimetres()};
}
