#pragma once

#include "core/glyphrow.h"
#include "output/glyphpicture.h"

#include <functional>
#include <memory>
#include <QObject>
#include <QPoint>

class QMimeData;

// What Copy and a drag of the row offer, so every target takes its best flavour: the Unicode text
// (plain text), HTML with each glyph's picture inline and its letters as the alternative text,
// followed by the Unicode text, and the row's picture (PNG and the platform's image types) drawn
// as picture says: its scale the screen's device pixel ratio, so the picture is drawn from the
// sharp pictures where it needs them, and written as the window shows it. The row must have
// glyphs.
std::unique_ptr<QMimeData> rowMimeData(const GlyphRow& row, const RowPictureOptions& picture);

// Edit, Copy: the row in every flavour above. Edit, Copy as Picture: the picture alone.
void copyRow(const GlyphRow& row, const RowPictureOptions& picture);
void copyRowPicture(const GlyphRow& row, const RowPictureOptions& picture);

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
