#pragma once

#include "core/glyphrow.h"
#include "output/glyphpicture.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

// Where everything of a row's picture goes, in pixels at scale 1; shared by the PNG and the SVG so
// that the two look the same.
struct RowLayout {
    struct Glyph {
        const RowGlyph* glyph;
        QImage picture;    // its own picture, or the twice-size one with a device pixel ratio of 2
        QRectF box;        // where the picture goes
        QPointF lettersAt; // the start of its letters on their baseline, when they are shown
    };

    QSizeF size;
    QList<Glyph> glyphs;
    QFont lettersFont;
};

// Throws RuntimeError 481 for a picture that cannot be read. The row must have glyphs.
RowLayout layOutRow(const GlyphRow& row, const RowPictureOptions& options);
