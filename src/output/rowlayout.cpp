#include "output/rowlayout.h"

#include "platform/runtimeerror.h"

#include <algorithm>
#include <cmath>
#include <QFontMetricsF>
#include <QGuiApplication>

namespace {

// The room between the pictures and around them, so a transparent background shows as such.
constexpr qreal spacing = 4;
// The extra room where a word ends, so the words of a name read apart.
constexpr qreal wordGap = 12;
constexpr int lettersPixelSize = 12;

QFont lettersFont() {
    QFont font = QGuiApplication::font();
    font.setPixelSize(lettersPixelSize);
    return font;
}

} // namespace

RowLayout layOutRow(const GlyphRow& row, const RowPictureOptions& options) {
    RowLayout layout;
    layout.lettersFont = lettersFont();
    qreal left = spacing;
    qreal rowHeight = 0;
    for (const RowGlyph& glyph : row.glyphs()) {
        QImage picture = checkedGlyphPicture(glyph.picture, options.scale);
        if (glyph.wordStart)
            left += wordGap;
        const QRectF box(QPointF(left, spacing), picture.deviceIndependentSize());
        layout.glyphs.append({&glyph, std::move(picture), box, {}});
        left = box.right() + spacing;
        rowHeight = std::max(rowHeight, box.height());
    }
    qreal bottom = spacing + rowHeight;
    if (options.letters) {
        const QFontMetricsF metrics(layout.lettersFont);
        // On whole pixels, so the letters are drawn crisp.
        const qreal baseline = std::ceil(bottom + spacing + metrics.ascent());
        for (RowLayout::Glyph& placed : layout.glyphs) {
            const qreal width = metrics.horizontalAdvance(placed.glyph->letters);
            placed.lettersAt = {std::round(placed.box.center().x() - width / 2), baseline};
        }
        bottom = std::ceil(baseline + metrics.descent());
    }
    layout.size = {left, bottom + spacing};
    return layout;
}
