#include "output/writingpainter.h"

#include "output/documentparts.h"

#include <cmath>
#include <QCoreApplication>
#include <QFont>
#include <QThread>

namespace {

// Maps quadrats to the painter's units.
class Scale {
public:
    explicit Scale(const WritingPaint& paint)
        : m_origin(paint.origin)
        , m_quadrat(paint.quadrat) {}

    QRectF rect(const QRectF& quadrats) const {
        return {m_origin + quadrats.topLeft() * m_quadrat, quadrats.size() * m_quadrat};
    }
    qreal length(qreal quadrats) const { return quadrats * m_quadrat; }
    QTransform transform() const {
        return QTransform::fromTranslate(m_origin.x(), m_origin.y()).scale(m_quadrat, m_quadrat);
    }

private:
    QPointF m_origin;
    qreal m_quadrat;
};

// The path with its points on the paint's grid, if it has one.
QPainterPath onGrid(QPainterPath path, const WritingPaint& paint) {
    const qreal step = paint.outlineGrid;
    if (step <= 0)
        return path;
    for (int k = 0; k < path.elementCount(); ++k) {
        const QPainterPath::Element point = path.elementAt(k);
        path.setElementPositionAt(k, std::round(point.x / step) * step,
                                  std::round(point.y / step) * step);
    }
    return path;
}

// Qt's font engines belong to the application's thread: drawn elsewhere, glyphs of the shared font
// hang the text shaping that follows, so another thread draws the signs as paths.
bool onFontsThread() {
    return QThread::currentThread() == QCoreApplication::instance()->thread();
}

// The sign's box as the painter's transform, facing right when mirrored.
QTransform signTransform(const WrittenLayout::Sign& sign, const Scale& scale) {
    const QRectF box = scale.rect(sign.box);
    QTransform transform = QTransform::fromTranslate(box.left(), box.top());
    if (sign.mirrored)
        transform = QTransform(-1, 0, 0, 1, box.width(), 0) * transform;
    return transform;
}

void paintSign(QPainter& painter, const WrittenLayout::Sign& sign, const Scale& scale,
               const WritingPaint& paint) {
    painter.save();
    painter.setTransform(signTransform(sign, scale), true);
    const QTransform toPainter = QTransform::fromScale(scale.length(1), scale.length(1));
    if (paint.signsAsGlyphs && onFontsThread() && !sign.shape.glyphs.isEmpty()) {
        painter.setTransform(sign.shape.glyphsToOutline * toPainter, true);
        painter.setPen(paint.ink);
        painter.drawGlyphRun(QPointF(), sign.shape.glyphs);
    } else if (sign.shape.isOutline()) {
        painter.fillPath(onGrid(toPainter.map(sign.shape.outline), paint), paint.ink);
    } else {
        painter.drawImage(QRectF(QPointF(), scale.rect(sign.box).size()), sign.shape.picture);
    }
    painter.restore();
}

QFont sizedFont(QFont font, qreal pixels) {
    font.setPixelSize(std::max(1, qRound(pixels)));
    return font;
}

bool isVisible(const QRectF& box, const WritingPaint& paint) {
    return paint.visible.isNull() || paint.visible.intersects(box);
}

void paintLabels(QPainter& painter, const WrittenLayout& layout, const Scale& scale,
                 const WritingPaint& paint) {
    if (layout.labels.isEmpty())
        return;
    painter.setFont(sizedFont(layout.labelFont, scale.length(layout.labelSize)));
    painter.setPen(paint.ink);
    for (const WrittenLayout::Label& label : layout.labels) {
        if (isVisible(label.box, paint))
            painter.drawText(scale.rect(label.box), Qt::AlignCenter | Qt::TextDontClip, label.text);
    }
}

// The text under the drawing, invisible, where a reader of the file finds it.
void paintTextLayer(QPainter& painter, const WrittenLayout& layout, const Scale& scale,
                    const QString& english) {
    painter.setPen(QColor(0, 0, 0, 0));
    for (const WrittenLayout::Sign& sign : layout.signs) {
        if (sign.unicode.isEmpty())
            continue;
        const QRectF box = scale.rect(sign.box);
        painter.setFont(sizedFont(QFont(QString::fromLatin1(hieroglyphFamily)), box.height()));
        painter.drawText(box.bottomLeft(), sign.unicode);
    }
    if (english.isEmpty())
        return;
    const QRectF all = scale.rect(QRectF(QPointF(), layout.size));
    painter.setFont(sizedFont(layout.labelFont, scale.length(layout.labelSize)));
    painter.drawText(all, Qt::AlignCenter | Qt::TextDontClip, english);
}

} // namespace

void paintWriting(QPainter& painter, const WrittenLayout& layout, const WritingPaint& paint) {
    const Scale scale(paint);
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                           QPainter::TextAntialiasing);
    painter.setPen(Qt::NoPen);
    for (const WrittenLayout::Line& line : layout.lines) {
        if (!line.cartouche.isEmpty() && isVisible(line.cartouche.boundingRect(), paint))
            painter.fillPath(onGrid(scale.transform().map(line.cartouche), paint), paint.ink);
        if (!line.continued.isNull() && isVisible(line.continued, paint))
            painter.fillRect(scale.rect(line.continued), paint.ink);
    }
    for (const WrittenLayout::Sign& sign : layout.signs) {
        if (isVisible(sign.box, paint))
            paintSign(painter, sign, scale, paint);
    }
    paintLabels(painter, layout, scale, paint);
    if (paint.textLayer)
        paintTextLayer(painter, layout, scale, paint.englishText);
    painter.restore();
}
