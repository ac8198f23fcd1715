#pragma once

#include "output/writtenlayout.h"

#include <QColor>
#include <QPainter>
#include <QPointF>
#include <QRectF>

// Draws a written layout in vector: signs as outlines (pictures only for signs without one), the
// cartouche as one filled shape, the letters as text. Every output of a written text goes
// through here, so they all look the same.
struct WritingPaint {
    qreal quadrat = 48; // the size of a quadrat in the painter's units
    QPointF origin;     // where the layout's top-left corner goes
    QColor ink = Qt::black;
    // Also lays each sign's Unicode text and the English text invisibly over the signs, so a PDF or
    // SVG can be searched and read aloud.
    bool textLayer = false;
    QString englishText; // for the text layer
    // Signs as the font's glyphs rather than paths: a PDF then holds each sign once, in its font.
    bool signsAsGlyphs = false;
    // Only what meets this rectangle (in quadrats) is drawn, as for one page of a long text; a
    // null rectangle draws everything.
    QRectF visible;
    // When positive, the outlines' points on a grid of this step in the painter's units: an SVG
    // then holds short numbers, and a grid finer than print shows changes nothing to the eye.
    qreal outlineGrid = 0;
};

void paintWriting(QPainter& painter, const WrittenLayout& layout, const WritingPaint& paint);
