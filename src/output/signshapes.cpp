#include "output/signshapes.h"

#include "output/documentparts.h"
#include "output/glyphpicture.h"

#include <QFont>
#include <QMutexLocker>
#include <QTransform>

namespace {

// Fine enough that outlines keep their detail; they are scaled to quadrats anyway.
constexpr int fontPixels = 1000;
// A glyph picture fits its sign into a square of this many pixels (of its one-times size), so
// that square is one quadrat.
constexpr qreal pictureQuadratPixels = 44;
// Below this lightness (and above this opacity) a picture's pixel is ink.
constexpr int inkLightness = 250;
constexpr int inkAlpha = 5;

const QString seatedMan = QString::fromUcs4(U"\U00013000");
const QString seatedWoman = QString::fromUcs4(U"\U00013050");

QRawFont bundledFont() {
    QFont font(QString::fromLatin1(hieroglyphFamily));
    font.setPixelSize(fontPixels);
    return QRawFont::fromFont(font);
}

// The text's glyphs side by side on the baseline, from the origin.
QGlyphRun glyphRunOf(const QRawFont& font, const QString& text) {
    const QList<quint32> glyphs = font.glyphIndexesForString(text);
    const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
    QList<QPointF> positions;
    QPointF pen;
    for (const QPointF& advance : advances) {
        positions.append(pen);
        pen += advance;
    }
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    return run;
}

QPainterPath outlineOfRun(const QGlyphRun& run) {
    QPainterPath path;
    const QList<quint32> glyphs = run.glyphIndexes();
    for (qsizetype k = 0; k < glyphs.size(); ++k)
        path.addPath(run.rawFont().pathForGlyph(glyphs.at(k)).translated(run.positions().at(k)));
    return path;
}

QPainterPath outlineOfText(const QRawFont& font, const QString& text) {
    return outlineOfRun(glyphRunOf(font, text));
}

bool isInk(QRgb pixel) {
    return qAlpha(pixel) > inkAlpha && qGray(pixel) < inkLightness;
}

// The smallest rectangle holding every ink pixel; empty for a blank picture.
QRect inkRect(const QImage& image) {
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    QRect ink;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            if (isInk(line[x]))
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

} // namespace

SignShapes& SignShapes::shared() {
    static SignShapes shapes(bundledFont());
    return shapes;
}

SignShapes::SignShapes(const QRawFont& font)
    : m_font(font)
    , m_quadrat(outlineOfText(font, seatedMan).boundingRect().height()) {
    if (m_quadrat <= 0)
        m_quadrat = font.ascent() + font.descent();
}

bool SignShapes::hasOutline(const QString& unicode) {
    if (unicode.isEmpty() || !m_font.isValid())
        return false;
    const QList<uint> characters = unicode.toUcs4();
    return std::all_of(characters.begin(), characters.end(),
                       [this](uint c) { return m_font.supportsCharacter(c); });
}

SignShape SignShapes::shape(const RowGlyph& glyph) {
    // A sign is found by its Unicode text first, its picture only when the font cannot draw it.
    QMutexLocker lock(&m_mutex);
    for (const QString& key : {glyph.unicode, glyph.picture}) {
        if (const auto found = m_shapes.constFind(key); found != m_shapes.cend())
            return *found;
    }
    const bool outline = hasOutline(glyph.unicode);
    SignShape shape = outline ? outlineOf(glyph.unicode) : pictureOf(glyph.picture);
    m_shapes.insert(outline ? glyph.unicode : glyph.picture, shape);
    return shape;
}

SignShape SignShapes::determinative(WritingOptions::Determinative kind) {
    RowGlyph glyph;
    glyph.unicode = determinativeText(kind);
    return shape(glyph);
}

QString SignShapes::determinativeText(WritingOptions::Determinative kind) {
    switch (kind) {
    case WritingOptions::Determinative::Man:
        return seatedMan;
    case WritingOptions::Determinative::Woman:
        return seatedWoman;
    case WritingOptions::Determinative::None:
        break;
    }
    return {};
}

SignShape SignShapes::outlineOf(const QString& unicode) {
    SignShape shape;
    shape.glyphs = glyphRunOf(m_font, unicode);
    const QPainterPath path = outlineOfRun(shape.glyphs);
    const QRectF ink = path.boundingRect();
    shape.glyphsToOutline.scale(1 / m_quadrat, 1 / m_quadrat);
    shape.glyphsToOutline.translate(-ink.left(), -ink.top());
    shape.outline = shape.glyphsToOutline.map(path);
    shape.size = ink.size() / m_quadrat;
    return shape;
}

SignShape SignShapes::pictureOf(const QString& path) {
    const QImage picture = checkedGlyphPicture(path, 2.0);
    QRect ink = inkRect(picture);
    if (ink.isEmpty())
        ink = picture.rect();
    SignShape shape;
    shape.picture = picture.copy(ink);
    shape.size = QSizeF(ink.size()) / picture.devicePixelRatio() / pictureQuadratPixels;
    return shape;
}
