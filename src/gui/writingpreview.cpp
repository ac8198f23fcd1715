#include "gui/writingpreview.h"

#include "output/writingpainter.h"
#include "platform/runtimeerror.h"

#include <algorithm>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPainter>
#include <QStringList>

namespace {

// Room left between the writing and the frame, in pixels.
constexpr int padding = 6;

QString determinativeLabel(WritingOptions::Determinative kind) {
    return kind == WritingOptions::Determinative::Woman
               ? QCoreApplication::translate("WritingPreview", "B1, seated woman")
               : QCoreApplication::translate("WritingPreview", "A1, seated man");
}

// The label of every sign in reading order, the determinative too.
QString signLabels(const WrittenLayout& layout, const GlyphRow& row) {
    QStringList labels;
    for (const WrittenLayout::Sign& sign : layout.signs) {
        labels.append(sign.glyph >= 0 ? row.glyphs().at(sign.glyph).label()
                                      : determinativeLabel(layout.options.determinative));
    }
    return labels.join(QStringLiteral("; "));
}

// A picture to a screen reader, not the frame (a window's role) that a QFrame is.
QAccessibleInterface* accessiblePreview(const QString& className, QObject* object) {
    if (className != QLatin1String(WritingPreview::staticMetaObject.className()))
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
}

} // namespace

WritingPreview::WritingPreview(QWidget* parent)
    : QFrame(parent) {
    [[maybe_unused]] static const bool accessibleAsPicture = [] {
        QAccessible::installFactory(accessiblePreview);
        return true;
    }();
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
}

void WritingPreview::showWriting(const GlyphRow& row, const WritingOptions& options) {
    setToolTip(QString());
    try {
        m_layout = layOutWriting(row, options);
    } catch (const RuntimeError& error) {
        m_layout = WrittenLayout();
        setToolTip(error.description());
    }
    setAccessibleName(m_layout.isEmpty() ? QString() : row.text());
    setAccessibleDescription(signLabels(m_layout, row));
    update();
}

// Centred, as large as the room allows, never larger than LargestQuadrat.
void WritingPreview::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    const QSizeF size = m_layout.size;
    if (m_layout.isEmpty() || size.isEmpty())
        return;
    const QRectF room = contentsRect().adjusted(padding, padding, -padding, -padding);
    WritingPaint paint;
    paint.quadrat =
        std::min({room.width() / size.width(), room.height() / size.height(), LargestQuadrat});
    paint.origin = room.center() - QPointF(size.width(), size.height()) * paint.quadrat / 2;
    paint.ink =
        palette().color(isEnabled() ? QPalette::Normal : QPalette::Disabled, QPalette::Text);
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    paintWriting(painter, m_layout, paint);
}
