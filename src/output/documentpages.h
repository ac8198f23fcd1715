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

// A sheet's texts: large under a large name, yet never larger than these.
inline constexpr double sheetEnglishPoints = 28;
inline constexpr double sheetUnicodePoints = 40;
inline constexpr double sheetGap = 4; // millimetres between a sheet's parts

// The sizes of a sheet's texts and the gap between its parts: the sheet's own when it is filled by
// its name, else the text page's, no larger than the sheet's.
struct SheetMeasures {
    double englishPoints;
    double unicodePoints;
    double gap; // millimetres
};

SheetMeasures sheetMeasures(const DocumentOptions& options);

// Text pages at the glyph's size: a sheet fitted to its page writes a long text that way.
DocumentOptions textPageOptions(DocumentOptions options);

// A sheet's name: as large as fits its page's text less the height of the texts under it (and
// the gaps) when fitted, else at the options' glyph, narrowed to the text's width if it must be.
DocumentWriting sheetWriting(const GlyphRow& row, const DocumentOptions& options, QSizeF text,
                             double textsHeight);

// A card's name in its cartouche, as large as fits room (the card's inside less its English) but no
// larger than the glyph asked for, or than cardGlyph when cards are fitted.
DocumentWriting cardWriting(const GlyphRow& row, const DocumentOptions& options, QSizeF room);

// The row written as large as fits room (millimetres) but no larger than largest: on one line, or
// broken between its words where that lets it be larger.
DocumentWriting fittedWriting(const GlyphRow& row, const DocumentOptions& options, QSizeF room,
                              double largest);

// The row's signs in Unicode, a space between its words so that the line breaks between them.
QString unicodeLine(const GlyphRow& row);

// A sheet or card page as the word processors and browsers set it: a table of equal cells, each
// one name centred, so many across and down a page, cut apart on cards.
struct PageCells {
    int columns = 1;
    int rows = 1;  // on a page
    QSizeF cell{}; // millimetres
    bool cutLines = false;
    double padding = 0; // millimetres inside a cell
    double englishPoints = 0;
    double unicodePoints = 0;
    double gap = 0; // millimetres between a cell's parts

    // A table row's height: a page's rows a millimetre short of the page, so that a reader's
    // rounding and borders never push the last onto the next page, with room for the paragraph
    // some readers want after a table.
    double rowHeight() const { return cell.height() - 1.0 / rows; }
};

// The cells of a sheet (one a page, the page's text) or of cards (their grid).
PageCells pageCells(const DocumentOptions& options);

// What a cell holds: the name written for it, and its Unicode line (empty when left out).
struct CellContent {
    DocumentWriting writing{WrittenLayout(), 0};
    QString unicode{};
};

CellContent cellContent(const GlyphRow& row, const DocumentOptions& options);

// The height, in millimetres, of a text set in lines no wider than width (millimetres), with
// room to spare for the font a word processor or browser sets it in.
double textHeight(const QString& text, const QString& family, double points, double width);

// The parts of a written layout that go to a page whole, in quadrats: each line, with the letters
// under it; for columns, as many side by side as fit pageWidth (quadrats).
QList<QRectF> pageBands(const WrittenLayout& layout, qreal pageWidth);

// A long text's writing as pictures for the word processors and browsers, which cannot carry one
// picture on to the next page: the document's writing of the row cut between its lines (between
// columns) into parts each no taller than the page's text; one part for most names.
QList<DocumentWriting> pageParts(const GlyphRow& row, const DocumentOptions& options);

// The row a part of its writing is described by: the first part tells the whole row, the parts
// after it go on from there and are told by nothing.
inline GlyphRow described(const GlyphRow& row, qsizetype part) {
    return part == 0 ? row : GlyphRow();
}
