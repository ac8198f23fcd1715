#pragma once

#include "core/glyphrow.h"
#include "output/signshapes.h"
#include "output/writingoptions.h"

#include <QFont>
#include <QList>
#include <QPainterPath>
#include <QRectF>
#include <QSizeF>
#include <QString>

// Where every part of a written text goes, in quadrats (a full-height sign is one quadrat tall),
// the top-left corner at (0, 0). Every output draws this one layout (writingpainter.h).
struct WrittenLayout {
    struct Sign {
        SignShape shape;
        QRectF box;            // where its ink goes
        bool mirrored = false; // drawn facing right, as in a right-to-left line
        qsizetype glyph = -1;  // its glyph in the row, -1 for the determinative
        QString unicode;       // its Unicode signs, or empty
    };
    // The signs of one quadrat, indexes into signs: rows of signs side by side, read top to
    // bottom, each row left to right.
    struct Quadrat {
        QList<QList<qsizetype>> rows;
        QRectF box;
    };
    struct Label {
        QString text;
        QRectF box; // the text is centred in it
    };
    struct Line {
        QList<qsizetype> quadrats; // in reading order
        QRectF box;                // the signs' room
        QPainterPath cartouche;    // filled: its ring and tie bar, when there is one
        // A short dash after the line where a word too long for a line goes on in the next one.
        QRectF continued;
    };

    QList<Sign> signs;       // in reading order
    QList<Quadrat> quadrats; // in reading order
    QList<Line> lines;
    QList<Label> labels; // letters under their signs (beside them in columns)
    QFont labelFont;     // the letters' font; its pixel size is set when drawing
    qreal labelSize = 0; // the letters' pixel size, in quadrats
    QSizeF size;
    WritingOptions options;

    bool isEmpty() const { return signs.isEmpty(); }
};

// The glyphs of row written as options say, every sign's shape from shapes. An empty layout for a
// row without glyphs (and no determinative). Throws RuntimeError 481 naming a picture that cannot
// be read.
WrittenLayout layOutWriting(const GlyphRow& row, const WritingOptions& options,
                            SignShapes& shapes = SignShapes::shared());

// The signs as Unicode text in reading order, the determinative included. With controls, the
// quadrats are written with the Egyptian hieroglyph format controls (vertical and horizontal
// joiners, segments where a quadrat needs them) and each cartouche with its enclosure signs.
QString writtenUnicode(const WrittenLayout& layout, bool controls);
