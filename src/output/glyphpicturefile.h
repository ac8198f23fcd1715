#pragma once

#include <QImage>
#include <QString>

// The most pixels a glyph picture may have (4096 x 4096): a few bytes of a compressed picture can
// claim millions of pixels, which would take seconds and gigabytes to decode and draw.
inline constexpr qint64 maxGlyphPixels = qint64{4096} * 4096;

// A glyph picture read from its file, or why it was not read. Only a regular file is read (never a
// folder, a device or a pipe) whose real path, links resolved, lies inside its pictures folder:
// the nearest folder named Images on its path (the program keeps its pictures in Images/), else
// the folder it is named in; a path with ".." is refused. Its size is taken from its header and
// checked against maxGlyphPixels before it is decoded.
struct GlyphPictureFile {
    QImage image;    // null when refused or unreadable
    QString refusal; // why, when image is null
};

GlyphPictureFile readGlyphPictureFile(const QString& path);
