#include "output/documentpages.h"

#include <algorithm>
#include <QGuiApplication>
#include <QTextLayout>

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

SheetMeasures sheetMeasures(const DocumentOptions& options) {
    if (options.fitToPage)
        return {sheetEnglishPoints, sheetUnicodePoints, sheetGap};
    const CardMeasures measures(options);
    return {std::min(measures.englishPoints, sheetEnglishPoints),
            std::min(measures.unicodePoints, sheetUnicodePoints), measures.gap};
}

DocumentOptions textPageOptions(DocumentOptions options) {
    if (options.fitToPage)
        options.glyphMillimetres = OutputFormats::DefaultGlyph;
    options.fitToPage = false;
    return options;
}

DocumentWriting sheetWriting(const GlyphRow& row, const DocumentOptions& options, QSizeF text,
                             double textsHeight) {
    if (!options.fitToPage)
        return {row, options, text};
    return fittedWriting(row, options, QSizeF(text.width(), text.height() - textsHeight),
                         OutputFormats::LargestGlyph);
}

DocumentWriting cardWriting(const GlyphRow& row, const DocumentOptions& options, QSizeF room) {
    return fittedWriting(row, cardOptions(options), room,
                         options.fitToPage ? cardGlyph : options.glyphMillimetres);
}

PageCells pageCells(const DocumentOptions& options) {
    if (options.page == PageKind::Cards)
        return {CardGrid::columns,
                CardGrid::rows,
                cardGrid(options.paper).card,
                true,
                cardPadding,
                cardEnglishPoints,
                0,
                CardMeasures(textPageOptions(options)).gap};
    const SheetMeasures measures = sheetMeasures(options);
    return {1,
            1,
            documentTextSize(options.paper),
            false,
            0,
            measures.englishPoints,
            measures.unicodePoints,
            measures.gap};
}

CellContent cellContent(const GlyphRow& row, const DocumentOptions& options) {
    const PageCells cells = pageCells(options);
    const QString family = QGuiApplication::font().family();
    const double padding = cells.padding;
    const QSizeF inside = cells.cell.shrunkBy(QMarginsF(padding, padding, padding, padding));
    double texts = textHeight(row.text(), family, cells.englishPoints, inside.width()) + cells.gap;
    if (options.page == PageKind::Cards)
        return {cardWriting(row, options, QSizeF(inside.width(), inside.height() - texts)), {}};
    const QString unicode = options.unicodeLine ? unicodeLine(row) : QString();
    if (!unicode.isEmpty())
        texts += textHeight(unicode, QString::fromLatin1(hieroglyphFamily), cells.unicodePoints,
                            inside.width()) +
                 cells.gap;
    return {sheetWriting(row, options, inside, texts), unicode};
}

double textHeight(const QString& text, const QString& family, double points, double width) {
    // Set in hundredths of a millimetre, whatever the screen's resolution; a reader's font may be
    // a little wider and taller than this one, so the lines are narrower and taller than they are.
    constexpr double units = 100;
    constexpr double readersFont = 1.15;
    QFont font(family);
    font.setPixelSize(qRound(points * 25.4 / 72 * units));
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width * units / readersFont);
        height += line.height() * readersFont;
    }
    layout.endLayout();
    return height / units;
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

namespace {

// What of the layout lies in band, moved to the top-left corner: enough to draw it (its quadrats,
// which only the Unicode text reads, are left out).
WrittenLayout partOf(const WrittenLayout& layout, const QRectF& band) {
    WrittenLayout part;
    part.options = layout.options;
    part.labelFont = layout.labelFont;
    part.labelSize = layout.labelSize;
    part.size = band.size();
    const QPointF by = -band.topLeft();
    const auto inBand = [&band](const QRectF& box) { return band.contains(box.center()); };
    for (const WrittenLayout::Sign& sign : layout.signs) {
        if (inBand(sign.box))
            part.signs.append(
                {sign.shape, sign.box.translated(by), sign.mirrored, sign.glyph, sign.unicode});
    }
    for (const WrittenLayout::Line& line : layout.lines) {
        if (inBand(line.box))
            part.lines.append({{},
                               line.box.translated(by),
                               line.cartouche.translated(by),
                               line.continued.isNull() ? QRectF() : line.continued.translated(by)});
    }
    for (const WrittenLayout::Label& label : layout.labels) {
        if (inBand(label.box))
            part.labels.append({label.text, label.box.translated(by)});
    }
    return part;
}

} // namespace

QList<DocumentWriting> pageParts(const GlyphRow& row, const DocumentOptions& options) {
    const QSizeF text = documentTextSize(options.paper);
    DocumentWriting whole(row, options, text);
    const qreal pageHeight = text.height() / whole.quadrat;
    if (whole.layout.isEmpty() || whole.layout.size.height() <= pageHeight)
        return {std::move(whole)};
    QList<QRectF> parts;
    for (const QRectF& band : pageBands(whole.layout, text.width() / whole.quadrat)) {
        if (!parts.isEmpty() && (parts.last() | band).height() <= pageHeight)
            parts.last() |= band;
        else
            parts.append(band);
    }
    QList<DocumentWriting> writings;
    for (const QRectF& part : parts)
        writings.append({partOf(whole.layout, part), whole.quadrat});
    return writings;
}
