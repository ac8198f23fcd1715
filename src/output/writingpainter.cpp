#include "output/writingpainter.h"

#include "output/documentparts.h"

#include <QFont>

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

// The sign's box as the painter's transform, facing right when mirrored.
QTransform signTransform(const WrittenLayout::Sign& sign, const Scale& scale) {
    const QRectF box = scale.rect(sign.box);
    QTransform transform = QTransform::fromTranslate(box.left(), box.top());
    if (sign.mirrored)
        transform = QTransform(-1, 0, 0, 1, box.width(), 0) * transform;
    return transform;
}

void paintSign(QPainter& painter, const WrittenLayout::Sign& sign, const Scale& scale,
               const QColor& ink) {
    painter.save();
    painter.setTransform(signTransform(sign, scale), true);
    const QRectF box(QPointF(), scale.rect(sign.box).size());
    if (sign.shape.isOutline())
        painter.fillPath(
            QTransform::fromScale(scale.length(1), scale.length(1)).map(sign.shape.outline), ink);
    else
        painter.drawImage(box, sign.shape.picture);
    painter.restore();
}

QFont sizedFont(QFont font, qreal pixels) {
    font.setPixelSize(std::max(1, qRound(pixels)));
    return font;
}

void paintLabels(QPainter& painter, const WrittenLayout& layout, const Scale& scale,
                 const QColor& ink) {
    if (layout.labels.isEmpty())
        return;
    painter.setFont(sizedFont(layout.labelFont, scale.length(layout.labelSize)));
    painter.setPen(ink);
    for (const WrittenLayout::Label& label : layout.labels)
        painter.drawText(scale.rect(label.box), Qt::AlignCenter | Qt::TextDontClip, label.text);
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
    if (!layout.cartouches.isEmpty())
        painter.fillPath(scale.transform().map(layout.cartouches), paint.ink);
    for (const WrittenLayout::Sign& sign : layout.signs)
        paintSign(painter, sign, scale, paint.ink);
    paintLabels(painter, layout, scale, paint.ink);
    if (paint.textLayer)
        paintTextLayer(painter, layout, scale, paint.englishText);
    painter.restore();
}
