#pragma once

#include "output/outputformats.h"
#include "output/writingoptions.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// How a row is drawn as a picture.
struct RowPictureOptions {
    bool transparent = false; // nothing behind the signs: no background, no tile
    bool letters = false;     // the letters under the signs (rather than writing.letters)
    qreal scale = 1.0;        // the PNG's pixels per pixel, 2.0 for a high-resolution screen
    WritingOptions writing{}; // how the signs are arranged
    // The height of a full-height sign, and the PNG's resolution: 12.7 mm at 96 dpi is a sign of
    // 48 pixels. The SVG keeps the size in millimetres.
    double signMillimetres = OutputFormats::DefaultGlyph;
    int dpi = OutputFormats::DefaultDpi;
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
