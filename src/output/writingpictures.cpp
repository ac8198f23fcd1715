// The written rows of the ODT, DOCX and HTML documents as pictures: SVG drawn by QSvgGenerator,
// PNG for the readers that cannot draw SVG.

#include "output/documentparts.h"
#include "output/glyphpicture.h"
#include "output/writingpainter.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QPainter>
#include <QSemaphore>
#include <QSvgGenerator>
#include <QThreadPool>

namespace {

// The PNG stands in for the SVG only where a reader cannot draw SVG: at 96 dpi, in 4 greys and
// packed tight (on a thread of its own), it keeps a batch of thousands of names small, and is never
// larger than a reader likes to load.
constexpr double pngDotsPerMillimetre = 96 / 25.4;
constexpr int pngGreys = 4;
constexpr double largestPngSide = 4096;

// The outlines' points on a grid of a tenth of a millimetre, finer than a pen's line.
constexpr double svgOutlineGrid = svgUnitsPerMillimetre / 10;

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
    WritingPaint paint = paintAt(writing.quadrat * svgUnitsPerMillimetre);
    paint.outlineGrid = svgOutlineGrid;
    paintWriting(painter, writing.layout, paint);
    painter.end();
    return svg;
}

// The grey picture in fewer greys, each pixel taking the nearest: Qt's own conversion searches
// the whole colour table for every pixel.
QImage inFewerGreys(const QImage& grey) {
    QImage indexed(grey.size(), QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int k = 0; k < pngGreys; ++k) {
        const int level = k * 255 / (pngGreys - 1);
        table.append(qRgb(level, level, level));
    }
    indexed.setColorTable(table);
    indexed.setDotsPerMeterX(grey.dotsPerMeterX());
    indexed.setDotsPerMeterY(grey.dotsPerMeterY());
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* from = grey.constScanLine(y);
        uchar* to = indexed.scanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            to[x] = uchar((from[x] * (pngGreys - 1) + 127) / 255);
    }
    return indexed;
}

// Grey on white, a few of the colour picture's bytes: the ink is black and the page white.
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
    return pngData(inFewerGreys(image), false);
}

// The PNG drawn on a thread of Qt's pool while the caller draws the SVG. On its own threads Qt
// fills each path whole, where on others it hands every large fill to the pool and waits, which
// costs more than the fill. Drawn by the caller when the pool has no thread to spare.
class PngOnPool {
public:
    explicit PngOnPool(const DocumentWriting& writing)
        : m_writing(writing) {
        m_started = QThreadPool::globalInstance()->tryStart([this] {
            draw();
            m_done.release();
        });
    }

    // Waits for the drawing, as it reads the caller's writing, even when the caller fails.
    ~PngOnPool() { waitIfStarted(); }
    PngOnPool(const PngOnPool&) = delete;
    PngOnPool& operator=(const PngOnPool&) = delete;

    QByteArray png() {
        if (!waitIfStarted())
            draw();
        if (m_error)
            std::rethrow_exception(m_error);
        return m_png;
    }

private:
    bool waitIfStarted() {
        if (!m_started)
            return false;
        m_done.acquire();
        m_started = false;
        return true;
    }
    void draw() {
        try {
            m_png = pngOf(m_writing);
        } catch (...) {
            m_error = std::current_exception();
        }
    }

    const DocumentWriting& m_writing;
    QByteArray m_png;
    std::exception_ptr m_error;
    QSemaphore m_done;
    bool m_started = false;
};

} // namespace

WritingPictures::WritingPictures(const DocumentOptions& options, bool withPng, std::stop_token stop)
    : m_options(options)
    , m_withPng(withPng)
    , m_stop(std::move(stop)) {}

WritingPictures::Placed WritingPictures::place(const DocumentWriting& writing) {
    throwIfStopped(m_stop);
    if (writing.layout.isEmpty())
        return {};
    std::optional<PngOnPool> png;
    if (m_withPng)
        png.emplace(writing);
    Placed placed{-1, false, writing.millimetres(), svgOf(writing), {}};
    const QByteArray digest = QCryptographicHash::hash(placed.svg, QCryptographicHash::Sha1);
    if (png)
        placed.png = png->png();
    const auto found = m_numbers.constFind(digest);
    if (found != m_numbers.constEnd()) {
        placed.number = *found;
        placed.svg.clear();
        placed.png.clear();
        return placed;
    }
    placed.number = m_numbers.size();
    placed.first = true;
    m_numbers.insert(digest, placed.number);
    return placed;
}
