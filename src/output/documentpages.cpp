#include "output/documentpages.h"

#include <algorithm>

namespace {

bool inColumns(const WrittenLayout& layout) {
    return layout.options.direction == WritingOptions::Direction::Columns;
}

// The quadrat at which the layout fills room, in millimetres.
double quadratFilling(const WrittenLayout& layout, QSizeF room) {
    return std::min(room.width() / layout.size.width(), room.height() / layout.size.height());
}

// A name on a card or sheet is broken between its words only.
bool breaksAWord(const WrittenLayout& layout) {
    return std::ranges::any_of(
        layout.lines, [](const WrittenLayout::Line& line) { return !line.continued.isNull(); });
}

} // namespace

QString unicodeLine(const GlyphRow& row) {
    QString text;
    for (const RowGlyph& glyph : row.glyphs()) {
        if (glyph.wordStart && !text.isEmpty() && !glyph.unicode.isEmpty())
            text += u' ';
        text += glyph.unicode;
    }
    return text;
}

QRectF CardGrid::cardAt(qsizetype indexOnPage) const {
    const qsizetype column = indexOnPage % columns;
    const qsizetype row = indexOnPage / columns % rows;
    return {QPointF(static_cast<double>(column) * card.width(),
                    static_cast<double>(row) * card.height()),
            card};
}

CardGrid cardGrid(QPageSize::PageSizeId paper) {
    const QSizeF text = documentTextSize(paper);
    return {QSizeF(text.width() / CardGrid::columns, text.height() / CardGrid::rows)};
}

DocumentOptions cardOptions(DocumentOptions options) {
    options.cartouche = true;
    return options;
}

DocumentWriting fittedWriting(const GlyphRow& row, const DocumentOptions& options, QSizeF room,
                              double largest) {
    WrittenLayout best = layOutWriting(row, writtenAs(options, 0));
    if (best.isEmpty())
        return {std::move(best), largest};
    double bestQuadrat = quadratFilling(best, room);
    // Two or three lines of a long name may make it larger; more seldom do.
    const qreal length = inColumns(best) ? best.size.height() : best.size.width();
    for (const int lines : {2, 3}) {
        WrittenLayout broken = layOutWriting(row, writtenAs(options, length / lines + 0.5));
        const double quadrat = quadratFilling(broken, room);
        if (quadrat > bestQuadrat && !breaksAWord(broken)) {
            best = std::move(broken);
            bestQuadrat = quadrat;
        }
    }
    return {std::move(best), std::min(bestQuadrat, largest)};
}

QList<QRectF> pageBands(const WrittenLayout& layout, qreal pageWidth) {
    const auto start = [&layout](const WrittenLayout::Line& line) {
        const QRectF frame = line.box | line.cartouche.boundingRect();
        return inColumns(layout) ? frame.left() : frame.top();
    };
    // Where each band but the first begins: at each line, or at each column that would pass the
    // page's width.
    QList<qreal> cuts{0};
    for (qsizetype k = 1; k < layout.lines.size(); ++k) {
        const qreal at = start(layout.lines.at(k));
        if (!inColumns(layout))
            cuts.append(at);
        else if (layout.lines.at(k).box.right() - cuts.constLast() > pageWidth)
            cuts.append(at);
    }
    const QSizeF size = layout.size;
    cuts.append(inColumns(layout) ? size.width() : size.height());
    QList<QRectF> bands;
    for (qsizetype k = 1; k < cuts.size(); ++k) {
        const qreal from = cuts.at(k - 1);
        const qreal length = cuts.at(k) - from;
        bands.append(inColumns(layout) ? QRectF(from, 0, length, size.height())
                                       : QRectF(0, from, size.width(), length));
    }
    return bands;
}
