#pragma once

#include "glyphrow.h"

#include <functional>
#include <memory>
#include <QImage>
#include <QObject>
#include <QPoint>

class QMimeData;

// What Copy and a drag of the row offer, so every target takes its best flavour: the Unicode text
// (plain text), HTML with each glyph's picture inline and its letters as the alternative text,
// followed by the Unicode text, and the row's picture (PNG and the platform's image types).
std::unique_ptr<QMimeData> rowMimeData(const GlyphRow& row, const QImage& picture);
// Copy as Picture: the picture alone.
std::unique_ptr<QMimeData> pictureMimeData(const QImage& picture);

// Edit, Copy: the row in every flavour above. Edit, Copy as Picture: the picture alone. scale is
// the screen's device pixel ratio, so the picture is drawn from the sharp pictures where it needs
// them.
void copyRow(const GlyphRow& row, qreal scale);
void copyRowPicture(const GlyphRow& row, qreal scale);

// Starts a drag of the row from the widgets it watches (the glyph band and boxes) once the mouse
// has moved far enough with the left button down.
class RowDragSource : public QObject {
public:
    using MimeSource = std::function<std::unique_ptr<QMimeData>()>;

    RowDragSource(MimeSource mimeSource, QObject* parent);
    void watch(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MimeSource m_mimeSource;
    QPoint m_pressedAt;
    bool m_pressed = false;
};
