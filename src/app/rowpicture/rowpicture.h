#pragma once

#include "glyphrow.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// How a row is drawn as a picture.
struct RowPictureOptions {
    bool transparent = false; // transparent background instead of white
    bool letters = false;     // the letters under each glyph
    qreal scale = 1.0;        // 2.0: use "<entry>@2x.gif" beside "<entry>.gif" where it exists
};

// A glyph's picture for a screen or picture of the given scale: above 1 its twice-size picture
// ("sh@2x.gif" beside "sh.gif", with a device pixel ratio of 2) where the alphabet has one, so it
// stays sharp; else its own. Null for an empty path or one that cannot be read or is refused (see
// glyphpicturefile.h).
QImage glyphPictureFor(const QString& path, qreal scale);

// glyphPictureFor, but a picture that cannot be read or is refused is RuntimeError 481 naming it
// and why.
QImage checkedGlyphPicture(const QString& path, qreal scale);

// The glyph pictures side by side at their natural size (times scale), in row order, a few pixels
// apart and from the edge, on white or transparent, optionally with each glyph's letters under it.
// A null image for a row without glyphs. A picture that cannot be read is RuntimeError 481, naming
// it.
QImage rowImage(const GlyphRow& row, const RowPictureOptions& options = {});

// rowImage as PNG data; empty for a row without glyphs.
QByteArray rowPng(const GlyphRow& row, const RowPictureOptions& options = {});

// The same picture as an SVG document (UTF-8), drawn in pixels at scale 1: the pictures embedded as
// PNG, at twice the resolution where scale asks for it and there is one. The row's Unicode text and
// its English text are real text, laid invisibly over the pictures as a scanned page carries its
// words, and the title and description, so the picture can be searched and read aloud. Empty for a
// row without glyphs.
QByteArray rowSvg(const GlyphRow& row, const RowPictureOptions& options = {});

// Writes the picture to path, PNG or SVG as its suffix says (in any case). Nothing half-written is
// left behind. Throws RuntimeError naming the file: 5 for another suffix or a row without glyphs,
// and the file errors of fileerrors.h when it cannot be written.
void saveRowPicture(const GlyphRow& row, const QString& path,
                    const RowPictureOptions& options = {});
