// The written layout: signs at their measured sizes, grouped into quadrats, quadrats into lines.
//
// The grouping rule, in quadrats (a full-height sign is one quadrat tall), taking the signs in
// order and never reordering them:
// - a sign taller than tallSign stands alone, and so does the sign after it;
// - a word's first sign always begins a new quadrat;
// - otherwise a sign goes beside the last row of the open quadrat when that row stays within one
//   quadrat's width, else below it when the stack stays within one quadrat's height, else it
//   begins a new quadrat.
// So flat signs stack (water over bread over mouth), small ones pair, tall ones stand alone; a
// quadrat reads top to bottom, each of its rows left to right.

#include "output/writtenlayout.h"

#include <algorithm>
#include <numeric>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QTransform>

namespace {

constexpr qreal tallSign = 0.6;
constexpr qreal signGap = 0.06;     // between the signs of a quadrat
constexpr qreal quadratGap = 0.14;  // between quadrats
constexpr qreal wordGap = 0.4;      // added where a word begins
constexpr qreal lineGap = 0.4;      // between lines or columns
constexpr qreal margin = 0.12;      // all round
constexpr qreal ringPadding = 0.16; // from a cartouche's ring to the signs
constexpr qreal ringWidth = 0.05;
constexpr qreal barWidth = 0.09;
constexpr qreal labelSize = 0.26; // the letters' pixel size
constexpr qreal labelGap = 0.08;
constexpr QSizeF dash(0.22, 0.07); // marks a word broken between lines
constexpr qreal dashRoom = 0.08 + dash.width();
constexpr qreal measurePixels = 100; // the letters are measured at this size, then scaled

using Layout = WrittenLayout;
using Options = WritingOptions;

// A quadrat being filled: its rows of signs and their sizes.
struct Group {
    QList<QList<qsizetype>> rows;
    QList<QSizeF> rowSizes;
    bool wordStart = false;
    bool closed = false;
    QString letters;

    QSizeF size() const {
        QSizeF total(0, signGap * static_cast<qreal>(rowSizes.size() - 1));
        for (const QSizeF& row : rowSizes)
            total = {std::max(total.width(), row.width()), total.height() + row.height()};
        return total;
    }
};

bool isHorizontal(const Options& options) {
    return options.direction != Options::Direction::Columns;
}

// Adds the sign to the open group where the rule lets it, else opens a new group.
void addToGroups(QList<Group>& groups, qsizetype index, QSizeF size, bool wordStart,
                 bool arrangeInGroups) {
    const bool tall = size.height() > tallSign;
    if (arrangeInGroups && !groups.isEmpty() && !wordStart && !tall && !groups.last().closed) {
        Group& open = groups.last();
        const QSizeF stack = open.size();
        QSizeF& last = open.rowSizes.last();
        const qreal besideHeight =
            stack.height() - last.height() + std::max(last.height(), size.height());
        if (last.width() + signGap + size.width() <= 1 && besideHeight <= 1) {
            open.rows.last().append(index);
            last = {last.width() + signGap + size.width(), std::max(last.height(), size.height())};
            return;
        }
        if (stack.height() + signGap + size.height() <= 1) {
            open.rows.append(QList<qsizetype>{index});
            open.rowSizes.append(size);
            return;
        }
    }
    groups.append({{{index}}, {size}, wordStart, tall || !arrangeInGroups, {}});
}

class Builder {
public:
    Builder(const GlyphRow& row, const Options& options, SignShapes& shapes)
        : m_row(row)
        , m_options(options)
        , m_shapes(shapes) {
        m_layout.options = options;
        m_layout.labelFont = QGuiApplication::font();
        m_layout.labelSize = labelSize;
        QFont measured = m_layout.labelFont;
        measured.setPixelSize(static_cast<int>(measurePixels));
        m_metrics.emplace(measured);
    }

    Layout build() {
        collectSigns();
        if (m_layout.signs.isEmpty())
            return m_layout;
        groupSigns();
        measureLabels();
        placeQuadrats();
        for (const QList<qsizetype>& line : breakLines())
            placeLine(line);
        finish();
        return std::move(m_layout);
    }

private:
    void collectSigns() {
        const QList<RowGlyph>& glyphs = m_row.glyphs();
        for (qsizetype k = 0; k < glyphs.size(); ++k)
            m_layout.signs.append(
                {m_shapes.shape(glyphs.at(k)), {}, false, k, glyphs.at(k).unicode});
        if (m_options.determinative != Options::Determinative::None)
            m_layout.signs.append({m_shapes.determinative(m_options.determinative),
                                   {},
                                   false,
                                   -1,
                                   SignShapes::determinativeText(m_options.determinative)});
    }

    void groupSigns() {
        const bool inGroups = m_options.arrangement == Options::Arrangement::Groups;
        for (qsizetype k = 0; k < m_layout.signs.size(); ++k) {
            const Layout::Sign& sign = m_layout.signs.at(k);
            const bool wordStart = sign.glyph < 0 || m_row.glyphs().at(sign.glyph).wordStart;
            addToGroups(m_groups, k, sign.shape.size, wordStart, inGroups);
            if (sign.glyph >= 0)
                m_groups.last().letters += m_row.glyphs().at(sign.glyph).letters;
        }
        if (m_options.determinative != Options::Determinative::None)
            m_groups.last().wordStart = false; // it belongs to the name before it
    }

    // Each quadrat with its signs placed inside it, its top-left at (0, 0) for now.
    void placeQuadrats() {
        for (const Group& group : m_groups) {
            const QSizeF size = group.size();
            Layout::Quadrat quadrat{group.rows, QRectF(QPointF(), size)};
            qreal top = 0;
            for (qsizetype r = 0; r < group.rows.size(); ++r) {
                const QSizeF row = group.rowSizes.at(r);
                qreal left = (size.width() - row.width()) / 2;
                for (const qsizetype index : group.rows.at(r)) {
                    Layout::Sign& sign = m_layout.signs[index];
                    const QSizeF own = sign.shape.size;
                    sign.box = QRectF(QPointF(left, top + (row.height() - own.height()) / 2), own);
                    left += own.width() + signGap;
                }
                top += row.height() + signGap;
            }
            m_layout.quadrats.append(quadrat);
        }
    }

    qreal labelWidth(qsizetype quadrat) const { return m_labelWidths.at(quadrat); }

    // Measured once: text shaping is the slowest part of the layout.
    void measureLabels() {
        for (const Group& group : std::as_const(m_groups)) {
            const bool shown = m_options.letters && !group.letters.isEmpty();
            m_labelWidths.append(shown ? m_metrics->horizontalAdvance(group.letters) /
                                             measurePixels * labelSize
                                       : 0);
        }
    }

    // The room a quadrat takes along the line, its letters included where they go under it.
    qreal extent(qsizetype quadrat) const {
        const QSizeF size = m_layout.quadrats.at(quadrat).box.size();
        if (!isHorizontal(m_options))
            return size.height();
        return std::max(size.width(), labelWidth(quadrat) + labelGap);
    }

    qreal leadingGap(qsizetype quadrat, bool lineStart) const {
        if (lineStart)
            return 0;
        return quadratGap + (m_groups.at(quadrat).wordStart ? wordGap : 0);
    }

    qreal frameRoom() const {
        return m_options.cartouche ? 2 * (ringPadding + ringWidth) + barWidth : 0;
    }

    // The quadrats in lines: a line ends between words where the next would pass the line's
    // length; only a word longer than a whole line is broken between its quadrats.
    QList<QList<qsizetype>> breakLines() const {
        const qreal room =
            m_options.lineLength > 0 ? m_options.lineLength - frameRoom() - 2 * margin : 0;
        const auto passes = [room](qreal length) { return room > 0 && length > room; };
        QList<QList<qsizetype>> lines(1);
        qreal used = 0;
        for (qsizetype first = 0; first < m_layout.quadrats.size();) {
            const qsizetype end = endOfWord(first);
            if (!lines.last().isEmpty() && passes(used + wordExtent(first, end, false))) {
                lines.append(QList<qsizetype>());
                used = 0;
            }
            for (qsizetype q = first; q < end; ++q) {
                qreal step = leadingGap(q, lines.last().isEmpty()) + extent(q);
                // Room for the dash in case the word must break after this quadrat.
                const qreal dashAfter = q + 1 < end ? dashRoom : 0;
                if (!lines.last().isEmpty() && passes(used + step + dashAfter)) {
                    lines.append(QList<qsizetype>());
                    used = 0;
                    step = extent(q);
                }
                used += step;
                lines.last().append(q);
            }
            first = end;
        }
        return lines;
    }

    qsizetype endOfWord(qsizetype first) const {
        qsizetype end = first + 1;
        while (end < m_groups.size() && !m_groups.at(end).wordStart)
            ++end;
        return end;
    }

    qreal wordExtent(qsizetype first, qsizetype end, bool lineStart) const {
        qreal total = 0;
        for (qsizetype k = first; k < end; ++k)
            total += leadingGap(k, lineStart && k == first) + extent(k);
        return total;
    }

    void placeLine(const QList<qsizetype>& quadrats) {
        Layout::Line line{quadrats, {}, {}, {}};
        const qreal frame = m_options.cartouche ? ringPadding + ringWidth : 0;
        const bool horizontal = isHorizontal(m_options);
        // The line's depth across its reading: at least one quadrat.
        qreal depth = 1;
        for (const qsizetype q : quadrats) {
            const QSizeF size = m_layout.quadrats.at(q).box.size();
            depth = std::max(depth, horizontal ? size.height() : size.width());
        }
        const QPointF start = horizontal ? QPointF(margin + frame, m_next + frame)
                                         : QPointF(m_next + frame, margin + frame);
        qreal along = 0;
        for (qsizetype k = 0; k < quadrats.size(); ++k) {
            const qsizetype q = quadrats.at(k);
            along += leadingGap(q, k == 0);
            const QSizeF size = m_layout.quadrats.at(q).box.size();
            const qreal room = extent(q);
            const QPointF at = horizontal ? start + QPointF(along + (room - size.width()) / 2,
                                                            (depth - size.height()) / 2)
                                          : start + QPointF((depth - size.width()) / 2, along);
            moveQuadrat(q, at);
            along += room;
        }
        line.box =
            horizontal ? QRectF(start, QSizeF(along, depth)) : QRectF(start, QSizeF(depth, along));
        if (m_options.cartouche)
            line.cartouche = cartoucheAround(line.box, horizontal);
        // Outside the cartouche, which closes each line.
        if (breaksWord(quadrats.constLast()))
            line.continued = dashAfter(line.box | line.cartouche.boundingRect(), horizontal);
        qreal end = horizontal ? line.box.bottom() + frame : line.box.right() + frame;
        end = std::max(end, addLabels(line, horizontal, end));
        m_layout.lines.append(line);
        m_next = end + lineGap;
    }

    bool breaksWord(qsizetype lastQuadrat) const {
        return lastQuadrat + 1 < m_groups.size() && !m_groups.at(lastQuadrat + 1).wordStart;
    }

    static QRectF dashAfter(const QRectF& signs, bool horizontal) {
        const qreal gap = dashRoom - dash.width();
        if (horizontal)
            return QRectF(QPointF(signs.right() + gap, signs.center().y() - dash.height() / 2),
                          dash);
        return QRectF(QPointF(signs.center().x() - dash.height() / 2, signs.bottom() + gap),
                      dash.transposed());
    }

    void moveQuadrat(qsizetype quadrat, QPointF to) {
        Layout::Quadrat& placed = m_layout.quadrats[quadrat];
        const QPointF by = to - placed.box.topLeft();
        placed.box.translate(by);
        for (const QList<qsizetype>& row : placed.rows) {
            for (const qsizetype sign : row)
                m_layout.signs[sign].box.translate(by);
        }
    }

    // Under each quadrat of a line (beside it in columns); returns where the letters end.
    qreal addLabels(const Layout::Line& line, bool horizontal, qreal after) {
        if (!m_options.letters)
            return after;
        const qreal height = m_metrics->height() / measurePixels * labelSize;
        const qreal top = after + labelGap;
        qreal end = after;
        for (const qsizetype q : line.quadrats) {
            const qreal width = labelWidth(q);
            if (width <= 0)
                continue;
            const QRectF box = m_layout.quadrats.at(q).box;
            const QRectF label = horizontal
                                     ? QRectF(box.center().x() - width / 2, top, width, height)
                                     : QRectF(top, box.center().y() - height / 2, width, height);
            m_layout.labels.append({m_groups.at(q).letters, label});
            end = std::max(end, horizontal ? label.bottom() : label.right());
        }
        return end;
    }

    // An oval ring round the signs, with the tie bar across its end where the reading ends. The
    // ring is drawn for a line read left to right, then turned for a column: its outer and inner
    // edges, filled even-odd, with the bar against it, not overlapping it.
    static QPainterPath cartoucheAround(const QRectF& signs, bool horizontal) {
        const qreal reach = ringPadding + ringWidth / 2;
        const QRectF centre = signs.adjusted(-reach, -reach, reach, reach);
        const QSizeF along = horizontal ? centre.size() : centre.size().transposed();
        const qreal start = std::min(along.width(), along.height()) / 2;
        const qreal end = start / 2; // flatter at the end, so the bar lies along it
        const qreal half = ringWidth / 2;
        const QRectF line(QPointF(), along);
        QPainterPath shape =
            ringPath(line.adjusted(-half, -half, half, half), start + half, end + half);
        shape.addPath(ringPath(line.adjusted(half, half, -half, -half), start - half,
                               std::max<qreal>(0, end - half)));
        shape.addRect(QRectF(along.width() + half, -half, barWidth, along.height() + ringWidth));
        const QTransform place = horizontal ? QTransform::fromTranslate(centre.left(), centre.top())
                                            : QTransform(0, 1, 1, 0, centre.left(), centre.top());
        return place.map(shape);
    }

    // A rounded rectangle whose left corners have the radius start and right corners end.
    static QPainterPath ringPath(const QRectF& box, qreal start, qreal end) {
        QPainterPath ring(QPointF(box.left() + start, box.top()));
        ring.arcTo(QRectF(box.right() - 2 * end, box.top(), 2 * end, 2 * end), 90, -90);
        ring.arcTo(QRectF(box.right() - 2 * end, box.bottom() - 2 * end, 2 * end, 2 * end), 0, -90);
        ring.arcTo(QRectF(box.left(), box.bottom() - 2 * start, 2 * start, 2 * start), 270, -90);
        ring.arcTo(QRectF(box.left(), box.top(), 2 * start, 2 * start), 180, -90);
        ring.closeSubpath();
        return ring;
    }

    void finish() {
        QRectF all;
        for (const Layout::Sign& sign : std::as_const(m_layout.signs))
            all |= sign.box;
        for (const Layout::Label& label : std::as_const(m_layout.labels))
            all |= label.box;
        for (const Layout::Line& line : std::as_const(m_layout.lines))
            all |= line.cartouche.boundingRect() | line.continued;
        m_layout.size = QSizeF(all.right() + margin, all.bottom() + margin);
        if (m_options.direction == Options::Direction::RightToLeft)
            mirror();
    }

    // Right to left is the mirror image of left to right: every sign faces the line's start.
    void mirror() {
        const qreal width = m_layout.size.width();
        const auto flip = [width](QRectF& box) { box.moveLeft(width - box.right()); };
        for (Layout::Sign& sign : m_layout.signs) {
            flip(sign.box);
            sign.mirrored = true;
        }
        for (Layout::Quadrat& quadrat : m_layout.quadrats)
            flip(quadrat.box);
        const QTransform mirrored(-1, 0, 0, 1, width, 0);
        for (Layout::Line& line : m_layout.lines) {
            flip(line.box);
            if (!line.continued.isNull())
                flip(line.continued);
            line.cartouche = mirrored.map(line.cartouche);
        }
        for (Layout::Label& label : m_layout.labels)
            flip(label.box);
    }

    const GlyphRow& m_row;
    const Options& m_options;
    SignShapes& m_shapes;
    Layout m_layout;
    QList<Group> m_groups;
    QList<qreal> m_labelWidths; // of each quadrat's letters
    std::optional<QFontMetricsF> m_metrics;
    qreal m_next = margin; // where the next line or column begins across the reading
};

const QString verticalJoiner = QString::fromUcs4(U"\U00013430");
const QString horizontalJoiner = QString::fromUcs4(U"\U00013431");
const QString beginSegment = QString::fromUcs4(U"\U00013437");
const QString endSegment = QString::fromUcs4(U"\U00013438");
const QString cartoucheStart = QString::fromUcs4(U"\U00013379");
const QString cartoucheEnd = QString::fromUcs4(U"\U0001337A");

QString segment(const QString& text, qsizetype parts, bool nested) {
    return parts > 1 && nested ? beginSegment + text + endSegment : text;
}

QString signWithControls(const QString& unicode, bool nested) {
    const QList<uint> characters = unicode.toUcs4();
    QStringList parts;
    for (const uint c : characters)
        parts.append(QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1));
    return segment(parts.join(horizontalJoiner), parts.size(), nested);
}

QString quadratWithControls(const WrittenLayout& layout, const WrittenLayout::Quadrat& quadrat) {
    const bool stacked = quadrat.rows.size() > 1;
    QStringList rows;
    for (const QList<qsizetype>& row : quadrat.rows) {
        QStringList signs;
        for (const qsizetype index : row) {
            if (!layout.signs.at(index).unicode.isEmpty())
                signs.append(
                    signWithControls(layout.signs.at(index).unicode, row.size() > 1 || stacked));
        }
        if (!signs.isEmpty())
            rows.append(segment(signs.join(horizontalJoiner), signs.size(), stacked));
    }
    return rows.join(verticalJoiner);
}

} // namespace

WrittenLayout layOutWriting(const GlyphRow& row, const WritingOptions& options,
                            SignShapes& shapes) {
    return Builder(row, options, shapes).build();
}

QString writtenUnicode(const WrittenLayout& layout, bool controls) {
    QString text;
    for (const WrittenLayout::Line& line : layout.lines) {
        QString written;
        for (const qsizetype q : line.quadrats) {
            if (!controls) {
                for (const QList<qsizetype>& row : layout.quadrats.at(q).rows) {
                    for (const qsizetype index : row)
                        written += layout.signs.at(index).unicode;
                }
                continue;
            }
            written += quadratWithControls(layout, layout.quadrats.at(q));
        }
        text += controls && layout.options.cartouche ? cartoucheStart + written + cartoucheEnd
                                                     : written;
    }
    return text;
}
