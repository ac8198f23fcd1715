// The PDF and the printed pages: sheets, cards or text pages drawn with QPainter, the same on any
// paged device.

#include "output/document.h"
#include "output/documentpages.h"
#include "output/documentparts.h"
#include "output/pdfunicodemap.h"
#include "output/writingpainter.h"
#include "platform/runtimeerror.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <QBuffer>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QTextLayout>

namespace {

// Fine enough that every length lands where it is measured.
constexpr int pdfResolution = 1200;

constexpr double smallestCardPoints = 5;

// A text in lines no wider than a width, each line drawn by itself, so that a page may end between
// any two of them and none is cut.
class SetText {
public:
    SetText(const QString& text, const QFont& font, QPaintDevice* device, qreal width,
            Qt::Alignment alignment)
        : m_layout(std::make_shared<QTextLayout>(text, font, device)) {
        QTextOption option(alignment);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        m_layout->setTextOption(option);
        m_layout->beginLayout();
        qreal top = 0;
        for (QTextLine line = m_layout->createLine(); line.isValid();
             line = m_layout->createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, top));
            top += line.height();
        }
        m_layout->endLayout();
        m_height = top;
    }

    int lineCount() const { return m_layout->lineCount(); }
    // The characters drawn: each line's but the spaces it ends with, which are not drawn.
    QString drawnText() const {
        QString drawn;
        for (int k = 0; k < lineCount(); ++k) {
            const QTextLine line = m_layout->lineAt(k);
            QStringView text =
                QStringView(m_layout->text()).mid(line.textStart(), line.textLength());
            while (!text.isEmpty() && text.back().isSpace())
                text.chop(1);
            drawn += text;
        }
        return drawn;
    }
    qreal lineHeight(int line) const { return m_layout->lineAt(line).height(); }
    qreal height() const { return m_height; }
    qreal naturalWidth() const {
        qreal widest = 0;
        for (int k = 0; k < lineCount(); ++k)
            widest = std::max(widest, m_layout->lineAt(k).naturalTextWidth());
        return widest;
    }
    // The line with its top at the given point, the left of the text's width at its x.
    void drawLine(QPainter& painter, int line, QPointF at) const {
        const QTextLine text = m_layout->lineAt(line);
        text.draw(&painter, at - QPointF(0, text.y()));
    }
    void draw(QPainter& painter, QPointF at) const {
        for (int k = 0; k < lineCount(); ++k)
            drawLine(painter, k, at + QPointF(0, m_layout->lineAt(k).y()));
    }

private:
    std::shared_ptr<QTextLayout> m_layout;
    qreal m_height = 0;
};

// One part of a text page that is never split between pages, drawn with its top at a height.
struct Block {
    qreal height;
    std::function<void(QPainter&, qreal top)> draw;
};

// A name on its sheet: its parts measured on the device, in the order they go down the page.
struct Sheet {
    DocumentWriting writing;
    std::optional<SetText> unicode;
    SetText english;
    qreal gap;
    qreal height;
};

class PagePainter {
public:
    PagePainter(QPagedPaintDevice& device, const DocumentOptions& options,
                const std::stop_token& stop)
        : m_device(device)
        , m_options(options)
        , m_textOptions(textPageOptions(options))
        , m_measures(m_textOptions)
        , m_stop(stop)
        , m_pixelsPerMillimetre(device.logicalDpiX() / 25.4)
        , m_page(device.pageLayout().paintRectPixels(device.logicalDpiX()).size()) {}

    void paint(const DocumentRows& rows);
    // Whether the row fits its page at the options' glyph size (sheets and text pages).
    bool fits(const GlyphRow& row);
    // The hieroglyphs in the order they were first drawn as the font's glyphs.
    const QList<char32_t>& drawnHieroglyphs() const { return m_drawn; }

private:
    qreal px(double millimetres) const { return millimetres * m_pixelsPerMillimetre; }
    QSizeF pageMillimetres() const { return m_page / px(1); }
    QFont font(const QString& family, double points) const;
    SetText setText(const QString& text, const QFont& font, qreal width,
                    Qt::Alignment alignment = Qt::AlignLeft) const {
        return SetText(text, font, &m_device, width, alignment);
    }
    void noteDrawn(const QString& hieroglyphs);
    void noteDrawn(const WrittenLayout& layout);
    void newPage();
    void drawWriting(const DocumentWriting& writing, QPointF at, QRectF visible = {});

    DocumentWriting textWriting(const GlyphRow& row, const DocumentOptions& options) const;
    Sheet sheetOf(const GlyphRow& row) const;
    void paintSheet(const GlyphRow& row);
    void paintCard(const GlyphRow& row, qsizetype index);
    void paintText(const GlyphRow& row);
    QList<Block> writingBlocks(const DocumentWriting& writing);
    void appendLines(QList<Block>& blocks, const SetText& text);

    QPagedPaintDevice& m_device;
    DocumentOptions m_options;
    DocumentOptions m_textOptions;
    CardMeasures m_measures; // of text pages
    std::stop_token m_stop;
    qreal m_pixelsPerMillimetre;
    QSizeF m_page;
    QPainter m_painter;
    bool m_pageUsed = false;
    qreal m_top = 0; // where a text page goes on
    QList<char32_t> m_drawn;
};

QFont PagePainter::font(const QString& family, double points) const {
    QFont font(family);
    font.setPointSizeF(points);
    return font;
}

void PagePainter::noteDrawn(const QString& hieroglyphs) {
    for (const char32_t character : hieroglyphs.toUcs4()) {
        if (!m_drawn.contains(character))
            m_drawn.append(character);
    }
}

void PagePainter::noteDrawn(const WrittenLayout& layout) {
    for (const WrittenLayout::Sign& sign : layout.signs) {
        if (!sign.shape.glyphs.isEmpty())
            noteDrawn(sign.unicode);
    }
}

void PagePainter::newPage() {
    if (m_pageUsed)
        m_device.newPage();
    m_pageUsed = true;
    m_top = 0;
}

void PagePainter::drawWriting(const DocumentWriting& writing, QPointF at, QRectF visible) {
    noteDrawn(writing.layout);
    WritingPaint paint;
    paint.quadrat = px(writing.quadrat);
    paint.origin = at;
    paint.signsAsGlyphs = true;
    paint.visible = visible;
    paintWriting(m_painter, writing.layout, paint);
}

// Sheets: the name as large as the page allows (or as asked), centred, its texts under it.
Sheet PagePainter::sheetOf(const GlyphRow& row) const {
    const SheetMeasures measures = sheetMeasures(m_options);
    std::optional<SetText> unicode;
    const QString hieroglyphs = unicodeLine(row);
    if (m_options.unicodeLine && !hieroglyphs.isEmpty())
        unicode.emplace(setText(hieroglyphs,
                                font(QString::fromLatin1(hieroglyphFamily), measures.unicodePoints),
                                m_page.width(), Qt::AlignHCenter));
    SetText english =
        setText(row.text(), font(QGuiApplication::font().family(), measures.englishPoints),
                m_page.width(), Qt::AlignHCenter);
    const qreal gap = px(measures.gap);
    const qreal texts = english.height() + (unicode ? unicode->height() + gap : 0);
    DocumentWriting writing =
        sheetWriting(row, m_options, pageMillimetres(), (texts + gap) / px(1));
    const qreal height =
        (writing.layout.isEmpty() ? 0 : px(writing.millimetres().height()) + gap) + texts;
    return {std::move(writing), std::move(unicode), std::move(english), gap, height};
}

void PagePainter::paintSheet(const GlyphRow& row) {
    Sheet sheet = sheetOf(row);
    // A long text too small on one page reads better as text pages at the usual size.
    if (m_options.fitToPage && sheet.writing.quadrat < OutputFormats::DefaultGlyph) {
        newPage();
        paintText(row);
        return;
    }
    newPage();
    qreal top = (m_page.height() - sheet.height) / 2;
    if (!sheet.writing.layout.isEmpty()) {
        const qreal width = px(sheet.writing.millimetres().width());
        drawWriting(sheet.writing, QPointF((m_page.width() - width) / 2, top));
        top += px(sheet.writing.millimetres().height()) + sheet.gap;
    }
    if (sheet.unicode) {
        noteDrawn(sheet.unicode->drawnText());
        sheet.unicode->draw(m_painter, QPointF(0, top));
        top += sheet.unicode->height() + sheet.gap;
    }
    sheet.english.draw(m_painter, QPointF(0, top));
}

// Cards: eight a page in a grid, each with its cutting line, the name in its cartouche and the
// English under it, all centred; a long name is drawn smaller, never cut.
void PagePainter::paintCard(const GlyphRow& row, qsizetype index) {
    const CardGrid grid = cardGrid(m_options.paper);
    if (index % CardGrid::perPage == 0)
        newPage();
    const QRectF card = grid.cardAt(index % CardGrid::perPage);
    const QRectF cardPixels(card.topLeft() * px(1), card.size() * px(1));
    m_painter.save();
    m_painter.setPen(QPen(Qt::gray, px(0.2), Qt::DashLine));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(cardPixels);
    m_painter.restore();

    const QRectF inside =
        cardPixels.adjusted(px(cardPadding), px(cardPadding), -px(cardPadding), -px(cardPadding));
    QFont english = font(QGuiApplication::font().family(), cardEnglishPoints);
    const qreal natural = setText(row.text(), english, 1e9).naturalWidth();
    if (natural > inside.width())
        english.setPointSizeF(
            std::max(smallestCardPoints, cardEnglishPoints * inside.width() / natural));
    const SetText name = setText(row.text(), english, inside.width(), Qt::AlignHCenter);
    const qreal gap = px(m_measures.gap);
    const QSizeF room(inside.width(), inside.height() - name.height() - gap);
    const DocumentWriting writing = cardWriting(row, m_options, room / px(1));
    const QSizeF signs = writing.layout.isEmpty() ? QSizeF() : writing.millimetres() * px(1);
    qreal top = inside.top() + (inside.height() - signs.height() - gap - name.height()) / 2;
    if (!writing.layout.isEmpty())
        drawWriting(writing, QPointF(inside.center().x() - signs.width() / 2, top));
    name.draw(m_painter, QPointF(inside.left(), top + signs.height() + gap));
}

// Lines as wide as the page, columns as tall; columns go on to the next page as lines do, so they
// keep the glyph's size however many there are.
DocumentWriting PagePainter::textWriting(const GlyphRow& row,
                                         const DocumentOptions& options) const {
    const QSizeF page = pageMillimetres();
    const bool columns = options.writing.direction == WritingOptions::Direction::Columns;
    return {layOutWriting(row, writtenAs(options, (columns ? page.height() : page.width()) /
                                                      options.glyphMillimetres)),
            options.glyphMillimetres};
}

// Text pages: the written lines, the Unicode line and the English follow each other down the
// page; a name goes to the next page whole when it fits there, else line by line.
QList<Block> PagePainter::writingBlocks(const DocumentWriting& writing) {
    const qreal quadrat = px(writing.quadrat);
    QList<Block> blocks;
    for (const QRectF& band : pageBands(writing.layout, m_page.width() / quadrat)) {
        const qreal height = band.height() * quadrat;
        blocks.append({height, [=, this](QPainter& painter, qreal top) {
                           painter.save();
                           painter.setClipRect(QRectF(0, top, m_page.width(), height));
                           drawWriting(writing, QPointF(0, top) - band.topLeft() * quadrat, band);
                           painter.restore();
                       }});
    }
    blocks.last().height += px(m_measures.gap);
    return blocks;
}

void PagePainter::appendLines(QList<Block>& blocks, const SetText& text) {
    if (text.lineCount() == 0)
        return;
    for (int k = 0; k < text.lineCount(); ++k)
        blocks.append({text.lineHeight(k), [text, k](QPainter& painter, qreal top) {
                           text.drawLine(painter, k, QPointF(0, top));
                       }});
    blocks.last().height += px(m_measures.gap);
}

void PagePainter::paintText(const GlyphRow& row) {
    QList<Block> blocks;
    const DocumentWriting writing = textWriting(row, m_textOptions);
    if (!writing.layout.isEmpty()) {
        noteDrawn(writing.layout); // before the Unicode line, as they are drawn
        blocks = writingBlocks(writing);
    }
    const QString hieroglyphs = unicodeLine(row);
    if (m_options.unicodeLine && !hieroglyphs.isEmpty()) {
        const SetText unicode = setText(
            hieroglyphs, font(QString::fromLatin1(hieroglyphFamily), m_measures.unicodePoints),
            m_page.width());
        noteDrawn(unicode.drawnText());
        appendLines(blocks, unicode);
    }
    appendLines(blocks, setText(row.text(),
                                font(QGuiApplication::font().family(), m_measures.englishPoints),
                                m_page.width()));
    qreal whole = 0;
    for (const Block& block : blocks)
        whole += block.height;
    const qreal cardGap = m_top > 0 ? px(2 * m_measures.glyph / 3) : 0;
    if (!m_pageUsed || (m_top + cardGap + whole > m_page.height() && whole <= m_page.height()))
        newPage();
    else
        m_top += cardGap;
    for (const Block& block : blocks) {
        throwIfStopped(m_stop);
        if (m_top > 0 && m_top + block.height > m_page.height())
            newPage();
        block.draw(m_painter, m_top);
        m_top += block.height;
    }
}

bool PagePainter::fits(const GlyphRow& row) {
    if (m_options.page == PageKind::Sheet) {
        const Sheet sheet = sheetOf(row);
        return sheet.height <= m_page.height() &&
               sheet.writing.quadrat >= m_options.glyphMillimetres - 1e-9;
    }
    const DocumentWriting writing = textWriting(row, m_options);
    const qreal quadrat = px(writing.quadrat);
    for (const QRectF& band : pageBands(writing.layout, m_page.width() / quadrat)) {
        if (band.width() * quadrat > m_page.width() || band.height() * quadrat > m_page.height())
            return false;
    }
    return true;
}

void PagePainter::paint(const DocumentRows& rows) {
    m_painter.begin(&m_device);
    m_painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                             QPainter::LosslessImageRendering);
    m_painter.setPen(Qt::black);
    for (qsizetype k = 0; k < rows.size(); ++k) {
        throwIfStopped(m_stop);
        const GlyphRow row = rows.at(k);
        switch (m_options.page) {
        case PageKind::Sheet:
            paintSheet(row);
            break;
        case PageKind::Cards:
            paintCard(row, k);
            break;
        case PageKind::Text:
            paintText(row);
            break;
        }
    }
    m_painter.end();
}

QString sizeTooLarge(double glyph, double largest) {
    return QStringLiteral("a glyph of %1 mm does not fit on the page; the largest that fits is "
                          "%2 mm")
        .arg(glyph)
        .arg(QString::number(largest, 'f', 1));
}

} // namespace

double largestFittingGlyph(const DocumentRows& rows, const DocumentOptions& options) {
    if (options.page == PageKind::Cards || options.fitToPage)
        return options.glyphMillimetres;
    QBuffer nowhere;
    QPdfWriter writer(&nowhere);
    writer.setResolution(pdfResolution);
    writer.setPageLayout(documentPageLayout(options.paper));
    const auto fitsAt = [&](const GlyphRow& row, double glyph) {
        DocumentOptions sized = options;
        sized.glyphMillimetres = glyph;
        return PagePainter(writer, sized, {}).fits(row);
    };
    double largest = options.glyphMillimetres;
    for (qsizetype k = 0; k < rows.size(); ++k) {
        const GlyphRow row = rows.at(k);
        if (fitsAt(row, largest))
            continue;
        // Halving the range to a tenth of a millimetre, the precision the size is given in.
        double low = OutputFormats::SmallestGlyph;
        while (largest - low > 0.05) {
            const double middle = (low + largest) / 2;
            (fitsAt(row, middle) ? low : largest) = middle;
        }
        largest = std::floor(low * 10) / 10;
    }
    return largest;
}

void checkFitsOnPage(const DocumentRows& rows, const DocumentOptions& options) {
    const double largest = largestFittingGlyph(rows, options);
    if (largest < options.glyphMillimetres)
        throw RuntimeError(ErrorNumber::Overflow, sizeTooLarge(options.glyphMillimetres, largest));
}

void printDocument(const DocumentRows& rows, QPagedPaintDevice& device,
                   const DocumentOptions& options) {
    checkFitsOnPage(rows, options);
    PagePainter(device, options, {}).paint(rows);
}

QByteArray pdfDocument(const DocumentRows& rows, const DocumentOptions& options,
                       const std::stop_token& stop) {
    QByteArray pdf;
    QList<char32_t> drawn;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(pdfResolution);
        writer.setPageLayout(documentPageLayout(options.paper));
        writer.setCreator(QGuiApplication::applicationDisplayName());
        if (!rows.isEmpty())
            writer.setTitle(rows.at(0).text());
        PagePainter painter(writer, options, stop);
        painter.paint(rows);
        drawn = painter.drawnHieroglyphs();
    }
    return withUnicodeMap(pdf, hieroglyphFamily, drawn);
}
