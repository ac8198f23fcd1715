#pragma once

#include "core/glyphrow.h"
#include "output/writingoptions.h"

#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QMutex>
#include <QPainterPath>
#include <QRawFont>
#include <QSizeF>
#include <QString>
#include <QTransform>

// What a sign looks like, measured once: its outline from the bundled hieroglyph font, or, for an
// entry the font cannot draw, its picture cut to the ink. Lengths are in quadrats: a full-height
// sign (the seated man) is one quadrat tall, so every sign keeps its size relative to the others.
struct SignShape {
    QPainterPath outline; // the ink's top-left at (0, 0); empty when the picture draws the sign
    QImage picture;       // the picture cut to its ink, when there is no outline
    QSizeF size;          // the ink's size
    // The outline as the font's own glyphs, and how their coordinates map to the outline's, for a
    // PDF, which then holds each sign once in its font rather than a path at every use.
    QGlyphRun glyphs;
    QTransform glyphsToOutline;

    bool isOutline() const { return !outline.isEmpty(); }
};

// The shapes of the signs, each measured on first use. Safe to use from several threads.
class SignShapes {
public:
    // The shapes of the program's bundled font (the family Aegyptus).
    static SignShapes& shared();

    explicit SignShapes(const QRawFont& font);

    // The glyph's Unicode signs where the font has them all, else its picture. Throws RuntimeError
    // 481 naming a picture that cannot be read.
    SignShape shape(const RowGlyph& glyph);
    // The seated man (A1) or woman (B1) after a name.
    SignShape determinative(WritingOptions::Determinative kind);

    // The Unicode sign of each determinative.
    static QString determinativeText(WritingOptions::Determinative kind);

private:
    // Whether the font draws every character of the text.
    bool hasOutline(const QString& unicode);
    SignShape outlineOf(const QString& unicode);
    static SignShape pictureOf(const QString& path);

    QMutex m_mutex;
    QRawFont m_font;
    qreal m_quadrat; // the font's full sign height in its pixels
    QHash<QString, SignShape> m_shapes;
};
