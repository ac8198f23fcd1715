#pragma once

#include "output/writingoptions.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// How a row is drawn as a picture.
struct RowPictureOptions {
    bool transparent = false; // transparent background instead of white
    bool letters = false;     // the letters under each glyph
    qreal scale = 1.0;        // 2.0: use the twice-size pictures where the alphabet has them
    WritingOptions writing{}; // how the signs are arranged
};

// A glyph's picture for a screen or picture of the given scale: above 1 its twice-size picture
// (Alphabet::sharpPicturePath, with a device pixel ratio of 2) where the alphabet has one, so it
// stays sharp; else its own. Null for an empty path or one that cannot be read or is refused (see
// glyphpicturefile.h).
QImage glyphPictureFor(const QString& path, qreal scale);

// glyphPictureFor, but a picture that cannot be read or is refused is RuntimeError 481 naming it
// and why.
QImage checkedGlyphPicture(const QString& path, qreal scale);

// A picture as PNG data, at its full resolution; quickly packed (a little larger) when fast.
QByteArray pngData(const QImage& image, bool fast = false);
