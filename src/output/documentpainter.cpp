// The PDF and the printed pages: the cards drawn with QPainter, page after page.

#include "output/document.h"
#include "output/documentparts.h"
#include "output/pdfunicodemap.h"
#include "output/writingpainter.h"

#include <functional>
#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace {

// Fine enough that every length lands where it is measured.
constexpr int pdfResolution = 1200;

// One part of a card that is never split between pages, drawn with its top at the given height.
struct Block {
    qreal height;
    std::function<void(QPainter&, qreal top)> draw;
};

// Where a written layout goes to the next page: nowhere when it fits on one, else between its lines
// (in quadrats, from its top), so a line and the letters under it stay together. Columns go as one.
QList<qreal> pageCuts(const WrittenLayout& layout, qreal pageQuadrats) {
    QList<qreal> cuts{0};
    if (layout.size.height() > pageQuadrats &&
        layout.options.direction != WritingOptions::Direction::Columns) {
        for (qsizetype k = 1; k < layout.lines.size(); ++k) {
            const WrittenLayout::Line& line = layout.lines.at(k);
            cuts.append(line.cartouche.isEmpty() ? line.box.top()
                                                 : line.cartouche.boundingRect().top());
        }
    }
    cuts.append(layout.size.height());
    return cuts;
}

class CardPainter {
public:
    CardPainter(QPagedPaintDevice& device, const DocumentOptions& options,
                const std::stop_token& stop)
        : m_device(device)
        , m_options(options)
        , m_measures(options)
        , m_stop(stop)
        , m_pixelsPerMillimetre(device.logicalDpiX() / 25.4)
        , m_page(device.pageLayout().paintRectPixels(device.logicalDpiX()).size()) {}

    void paint(const DocumentRows& rows);
    // The hieroglyphs in the order they were first drawn as the font's glyphs.
    const QList<char32_t>& drawnHieroglyphs() const { return m_drawn; }

private:
    void noteDrawn(const QString& hieroglyphs);
    qreal px(double millimetres) const { return millimetres * m_pixelsPerMillimetre; }
    QFont font(const QString& family, double points) const;
    QList<Block> blocksOf(const GlyphRow& row);
    QList<Block> writingBlocks(const GlyphRow& row);
    Block textBlock(const QString& text, const QFont& font, int wrap);

    QPagedPaintDevice& m_device;
    DocumentOptions m_options;
    CardMeasures m_measures;
    std::stop_token m_stop;
    qreal m_pixelsPerMillimetre;
    QSizeF m_page;
    QList<char32_t> m_drawn;
};

void CardPainter::noteDrawn(const QString& hieroglyphs) {
    for (const char32_t character : hieroglyphs.toUcs4()) {
        if (!m_drawn.contains(character))
            m_drawn.append(character);
    }
}

QFont CardPainter::font(const QString& family, double points) const {
    QFont font(family);
    font.setPointSizeF(points);
    return font;
}

// The written signs, a block from each cut to the next, each clipped to its own lines.
QList<Block> CardPainter::writingBlocks(const GlyphRow& row) {
    const DocumentWriting writing(row, m_options, m_page / px(1));
    if (writing.layout.isEmpty())
        return {};
    for (const WrittenLayout::Sign& sign : writing.layout.signs) {
        if (!sign.shape.glyphs.isEmpty())
            noteDrawn(sign.unicode);
    }
    const qreal quadrat = px(writing.quadrat);
    const QList<qreal> cuts = pageCuts(writing.layout, m_page.height() / quadrat);
    QList<Block> blocks;
    for (qsizetype k = 1; k < cuts.size(); ++k) {
        const qreal from = cuts.at(k - 1) * quadrat;
        const qreal height = cuts.at(k) * quadrat - from;
        blocks.append({height + px(m_measures.gap), [=, this](QPainter& painter, qreal top) {
                           WritingPaint paint;
                           paint.quadrat = quadrat;
                           paint.origin = QPointF(0, top - from);
                           paint.signsAsGlyphs = true;
                           paint.visible = QRectF(0, from / quadrat, writing.layout.size.width(),
                                                  height / quadrat);
                           painter.save();
                           painter.setClipRect(QRectF(0, top, m_page.width(), height));
                           paintWriting(painter, writing.layout, paint);
                           painter.restore();
                       }});
    }
    return blocks;
}

Block CardPainter::textBlock(const QString& text, const QFont& font, int wrap) {
    const int flags = Qt::AlignLeft | Qt::AlignTop | wrap;
    const QRectF room(0, 0, m_page.width(), m_page.height());
    const qreal height = QFontMetricsF(font, &m_device).boundingRect(room, flags, text).height();
    return {height + px(m_measures.gap), [=](QPainter& painter, qreal top) {
                painter.setFont(font);
                painter.drawText(room.translated(0, top), flags, text);
            }};
}

QList<Block> CardPainter::blocksOf(const GlyphRow& row) {
    QList<Block> blocks = writingBlocks(row);
    noteDrawn(row.unicodeText());
    if (!row.unicodeText().isEmpty())
        blocks.append(
            textBlock(row.unicodeText(),
                      font(QString::fromLatin1(hieroglyphFamily), m_measures.unicodePoints),
                      Qt::TextWrapAnywhere));
    blocks.append(textBlock(row.text(),
                            font(QGuiApplication::font().family(), m_measures.englishPoints),
                            Qt::TextWordWrap));
    return blocks;
}

// Cards follow each other down the page; a part that does not fit goes to the next page.
void CardPainter::paint(const DocumentRows& rows) {
    QPainter painter(&m_device);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                           QPainter::LosslessImageRendering);
    painter.setPen(Qt::black);
    const qreal cardGap = px(2 * m_measures.glyph / 3);
    qreal top = 0;
    for (qsizetype k = 0; k < rows.size(); ++k) {
        const GlyphRow row = rows.at(k);
        throwIfStopped(m_stop);
        if (top > 0)
            top += cardGap;
        for (const Block& block : blocksOf(row)) {
            throwIfStopped(m_stop);
            if (top > 0 && top + block.height > m_page.height()) {
                m_device.newPage();
                top = 0;
            }
            block.draw(painter, top);
            top += block.height;
        }
    }
}

} // namespace

void printDocument(const DocumentRows& rows, QPagedPaintDevice& device,
                   const DocumentOptions& options) {
    CardPainter(device, options, {}).paint(rows);
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
        CardPainter painter(writer, options, stop);
        painter.paint(rows);
        drawn = painter.drawnHieroglyphs();
    }
    return withUnicodeMap(pdf, hieroglyphFamily, drawn);
}
