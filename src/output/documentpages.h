#pragma once

#include "output/documentparts.h"

#include <QRectF>
#include <QSizeF>

// Cards on a page: equal cards filling the page's text area, two across and four down, so that a
// class's names are cut apart along the lines between them.
struct CardGrid {
    static constexpr int columns = 2;
    static constexpr int rows = 4;
    static constexpr int perPage = columns * rows;

    QSizeF card; // millimetres

    // The card's place in the text area, millimetres from its top-left corner.
    QRectF cardAt(qsizetype indexOnPage) const;
};

CardGrid cardGrid(QPageSize::PageSizeId paper);

// Inside a card: its padding, the English name's size, and the largest glyph a short name gets
// when no size is asked for.
inline constexpr double cardPadding = 5; // millimetres
inline constexpr double cardEnglishPoints = 12;
inline constexpr double cardGlyph = 16; // millimetres

// A card's name is always in its cartouche.
DocumentOptions cardOptions(DocumentOptions options);

// The row written as large as fits room (millimetres) but no larger than largest: on one line, or
// broken between its words where that lets it be larger.
DocumentWriting fittedWriting(const GlyphRow& row, const DocumentOptions& options, QSizeF room,
                              double largest);

// The row's signs in Unicode, a space between its words so that the line breaks between them.
QString unicodeLine(const GlyphRow& row);

// The parts of a written layout that go to a page whole, in quadrats: each line, with the letters
// under it; for columns, as many side by side as fit pageWidth (quadrats).
QList<QRectF> pageBands(const WrittenLayout& layout, qreal pageWidth);
