#pragma once

#include "core/glyphrow.h"
#include "output/glyphpicture.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// The row written as options say (writtenlayout.h), drawn by the one painter of every output
// (writingpainter.h): a sign options.signMillimetres tall at options.dpi times options.scale, a
// little room around the signs, on white or on nothing at all. A null image for a row without
// glyphs. A picture that cannot be read is RuntimeError 481, naming it; a picture past 64
// megapixels is RuntimeError 7.
QImage rowImage(const GlyphRow& row, const RowPictureOptions& options = {});

// rowImage as PNG data, its resolution recorded; empty for a row without glyphs.
QByteArray rowPng(const GlyphRow& row, const RowPictureOptions& options = {});

// The same picture as an SVG document (UTF-8), its size in millimetres: the signs as paths (a
// picture only for a sign without an outline in the font), the English text as its title and the
// Unicode signs as its description, and both as invisible text over the signs, as a scanned page
// carries its words, so that the picture can be searched and read aloud. Empty for a row without
// glyphs.
QByteArray rowSvg(const GlyphRow& row, const RowPictureOptions& options = {});

// Writes the picture to path, PNG or SVG as its suffix says (in any case). Nothing half-written is
// left behind. Throws RuntimeError naming the file: 5 for another suffix or a row without glyphs,
// and the file errors of fileerrors.h when it cannot be written.
void saveRowPicture(const GlyphRow& row, const QString& path,
                    const RowPictureOptions& options = {});
