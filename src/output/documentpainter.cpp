// The PDF and the printed pages: the cards drawn with QPainter, page after page.

#include "output/document.h"
#include "output/documentparts.h"
#include "output/pdfunicodemap.h"

#include <functional>
#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

namespace {

// Fine enough that every length lands where it is measured.
constexpr int pdfResolution = 1200;

// One part of a card that is never split between pages, drawn with its top at the given height.
struct Block {
    qreal height;
    std::function<void(QPainter&, qreal top)> draw;
};

class CardPainter {
public:
    CardPainter(QPagedPaintDevice& device, const DocumentOptions& options,
                const std::stop_token& stop)
        : m_device(device)
        , m_measures(options)
        , m_pictures(options, stop)
        , m_letters(options.letters)
        , m_stop(stop)
        , m_pixelsPerMillimetre(device.logicalDpiX() / 25.4)
        , m_page(device.pageLayout().paintRectPixels(device.logicalDpiX()).size()) {}

    QList<Block> blocksOf(const GlyphRow& row);
    void paint(const QList<GlyphRow>& rows);

private:
    qreal px(double millimetres) const { return millimetres * m_pixelsPerMillimetre; }
    QFont font(const QString& family, double points) const;
    Block lineBlock(const QList<RowGlyph>& line);
    Block textBlock(const QString& text, const QFont& font, int wrap);
    void drawCartouche(QPainter& painter, const QRectF& frame) const;

    QPagedPaintDevice& m_device;
    CardMeasures m_measures;
    DocumentPictures m_pictures;
    bool m_letters;
    std::stop_token m_stop;
    qreal m_pixelsPerMillimetre;
    QSizeF m_page;
};

QFont CardPainter::font(const QString& family, double points) const {
    QFont font(family);
    font.setPointSizeF(points);
    return font;
}

Block CardPainter::lineBlock(const QList<RowGlyph>& line) {
    const qreal glyph = px(m_measures.glyph);
    const qreal pitch = glyph + px(m_measures.gap);
    const qreal inset = px(m_measures.inset);
    const QFont letters = font(QGuiApplication::font().family(), m_measures.lettersPoints);
    const QFontMetricsF metrics(letters, &m_device);
    const qreal lettersHeight = m_letters ? px(m_measures.gap) + metrics.height() : 0;
    const QRectF frame(0, 0,
                       2 * inset + static_cast<qreal>(line.size()) * pitch - px(m_measures.gap) +
                           px(m_measures.bar),
                       2 * inset + glyph + lettersHeight);
    QList<QImage> pictures;
    for (const RowGlyph& each : line)
        pictures.append(m_pictures.image(each.picture));
    return {
        frame.height() + px(m_measures.gap), [=, this](QPainter& painter, qreal top) {
            for (qsizetype k = 0; k < line.size(); ++k) {
                const QRectF box(inset + static_cast<qreal>(k) * pitch, top + inset, glyph, glyph);
                const QSizeF size =
                    QSizeF(pictures.at(k).size()).scaled(box.size(), Qt::KeepAspectRatio);
                const QRectF target(box.center() - QPointF(size.width(), size.height()) / 2, size);
                painter.drawImage(target, pictures.at(k));
                if (m_letters) {
                    painter.setFont(letters);
                    painter.drawText(
                        QRectF(box.left() - pitch / 2, box.bottom(), glyph + pitch, lettersHeight),
                        Qt::AlignHCenter | Qt::AlignBottom, line.at(k).letters);
                }
            }
            if (m_measures.cartouche)
                drawCartouche(painter, frame.translated(0, top));
        }};
}

// A rounded frame with a bar across its end, as royal names are written.
void CardPainter::drawCartouche(QPainter& painter, const QRectF& frame) const {
    const qreal pen = px(m_measures.frame);
    const QRectF ring = frame.adjusted(pen / 2, pen / 2, -pen * 1.5, -pen / 2);
    const qreal radius = std::min(ring.height() / 2, px(m_measures.glyph) / 2);
    painter.save();
    painter.setPen(QPen(Qt::black, pen));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(ring, radius, radius);
    painter.setPen(QPen(Qt::black, pen * 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(ring.right() + pen, ring.top()),
                     QPointF(ring.right() + pen, ring.bottom()));
    painter.restore();
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
    QList<Block> blocks;
    for (const QList<RowGlyph>& line : glyphLines(row, m_measures, m_page.width() / px(1)))
        blocks.append(lineBlock(line));
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
void CardPainter::paint(const QList<GlyphRow>& rows) {
    QPainter painter(&m_device);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                           QPainter::LosslessImageRendering);
    painter.setPen(Qt::black);
    const qreal cardGap = px(2 * m_measures.glyph / 3);
    qreal top = 0;
    for (const GlyphRow& row : rows) {
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

// The hieroglyphs in the order the cards draw them first.
QList<char32_t> firstDrawnHieroglyphs(const QList<GlyphRow>& rows) {
    QList<char32_t> characters;
    for (const GlyphRow& row : rows) {
        for (const char32_t character : row.unicodeText().toUcs4()) {
            if (!characters.contains(character))
                characters.append(character);
        }
    }
    return characters;
}

} // namespace

void printDocument(const QList<GlyphRow>& rows, QPagedPaintDevice& device,
                   const DocumentOptions& options) {
    CardPainter(device, options, {}).paint(rows);
}

QByteArray pdfDocument(const QList<GlyphRow>& rows, const DocumentOptions& options,
                       const std::stop_token& stop) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(pdfResolution);
        writer.setPageLayout(documentPageLayout());
        writer.setCreator(QGuiApplication::applicationDisplayName());
        if (!rows.isEmpty())
            writer.setTitle(rows.constFirst().text());
        CardPainter(writer, options, stop).paint(rows);
    }
    return withUnicodeMap(pdf, hieroglyphFamily, firstDrawnHieroglyphs(rows));
}
