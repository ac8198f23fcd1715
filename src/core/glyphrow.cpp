#include "core/glyphrow.h"

#include "core/alphabet.h"
#include "core/egyptiannumerals.h"
#include "datfile/clsdatfile.h"

#include <algorithm>
#include <QCoreApplication>
#include <QRegularExpression>
#include <QSet>

namespace {

QString translated(const char* text) {
    return QCoreApplication::translate("GlyphRow", text);
}

// The characters of the dropped runs, a surrogate pair dropped whole kept as one character, each
// once; a set keeps a long text of many different characters from costing its square.
QStringList distinctCharacters(QStringView text, const QList<GlyphMatcher::Conversion::Run>& runs) {
    QStringList characters;
    QSet<QString> seen;
    for (const GlyphMatcher::Conversion::Run& run : runs) {
        const qsizetype end = run.position + run.length;
        for (qsizetype i = run.position; i < end;) {
            const bool pair =
                text[i].isHighSurrogate() && i + 1 < end && text[i + 1].isLowSurrogate();
            const QString character = text.sliced(i, pair ? 2 : 1).toString();
            i += character.size();
            if (!character.front().isSpace() && !seen.contains(character)) {
                seen.insert(character);
                characters.append(character);
            }
        }
    }
    return characters;
}

// The start of a long text, cut at a whole character.
// Blanks at either end of the excerpt would only show as gaps inside its quotes.
QString excerpt(QStringView text) {
    constexpr qsizetype shown = 16;
    text = text.trimmed();
    if (text.size() <= shown)
        return text.toString();
    const qsizetype cut = text[shown - 1].isHighSurrogate() ? shown - 1 : shown;
    return text.first(cut).trimmed().toString() + u'\u2026';
}

// "U+13219" or several such, blank-separated, as text; empty when any part is malformed or names
// no character to show (U+0000, which cuts C strings short, or a non-character), so a bad cell
// never shows a wrong character.
QString unicodeOf(const QString& codePoints) {
    static const QRegularExpression codePoint(QStringLiteral("^U\\+([0-9A-Fa-f]{4,6})$"));
    QString text;
    for (const QString& part : codePoints.split(u' ', Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = codePoint.match(part);
        const char32_t value = match.hasMatch() ? match.captured(1).toUInt(nullptr, 16) : 0;
        if (!match.hasMatch() || value == 0 || value > 0x10FFFF ||
            (value >= 0xD800 && value <= 0xDFFF) || QChar::isNonCharacter(value))
            return {};
        text += QString::fromUcs4(&value, 1);
    }
    return text;
}

QString quoted(const QString& text) {
    return u'\u201c' + text + u'\u201d';
}

} // namespace

QString RowGlyph::label() const {
    QStringList about;
    for (const QString& part : {sign, signName}) {
        if (!part.isEmpty())
            about.append(part);
    }
    const QString read =
        reading.isEmpty() ? letters : translated("%1, read as %2").arg(letters, reading);
    return about.isEmpty() ? read : read + QStringLiteral(": ") + about.join(u", ");
}

GlyphRow::GlyphRow(const clsDatFile& alphabet, const GlyphMatcher::Conversion& conversion,
                   QString text, const QStringList& pictures)
    : m_text(std::move(text))
    , m_scanEnd(conversion.scanEnd)
    , m_unmatched(distinctCharacters(m_text, conversion.unmatched)) {
    const Alphabet::SignColumns columns = Alphabet::signColumns(alphabet);
    m_hasUnicodeColumn = columns.unicode >= 0;
    const auto cell = [&alphabet](qsizetype entry, qint16 column) {
        return column < 0 ? QString() : alphabet.Data(static_cast<qint16>(entry), column).trimmed();
    };
    qsizetype k = 0;
    for (const GlyphMatcher::Conversion::Glyph& glyph : conversion.glyphs) {
        if (glyph.numeral != 0) { // its caption says the value of the sign
            const EgyptianNumerals::Sign sign = EgyptianNumerals::signOf(glyph.numeral);
            m_glyphs.append({QString::number(glyph.numeral),
                             pictures.value(k++),
                             sign.gardiner,
                             sign.name,
                             QString::fromUcs4(&sign.codePoint, 1),
                             {},
                             glyph.wordStart});
            continue;
        }
        m_glyphs.append({m_text.sliced(glyph.position, glyph.length), pictures.value(k++),
                         cell(glyph.entry, columns.gardiner), cell(glyph.entry, columns.name),
                         unicodeOf(cell(glyph.entry, columns.unicode)), glyph.reading,
                         glyph.wordStart});
    }
}

QString GlyphRow::unicodeText() const {
    QString text;
    for (const RowGlyph& glyph : m_glyphs)
        text += glyph.unicode;
    return text;
}

GlyphSlots GlyphRow::slotsOf(QString (*part)(const RowGlyph&)) const {
    GlyphSlots slots;
    for (qsizetype k = 0; k < std::min<qsizetype>(m_glyphs.size(), GlyphMatcher::MaxGlyphs); ++k)
        slots.at(k + 1) = part(m_glyphs.at(k));
    return slots;
}

GlyphSlots GlyphRow::labels() const {
    return slotsOf([](const RowGlyph& glyph) { return glyph.label(); });
}

GlyphSlots GlyphRow::glyphFiles() const {
    return slotsOf([](const RowGlyph& glyph) { return glyph.picture; });
}

QString GlyphRow::leftOutNote() const {
    QStringList parts;
    const QStringView rest = leftOver();
    if (!rest.isEmpty()) {
        const qsizetype characters = rest.toUcs4().size();
        const char* const sentence =
            characters == 1 ? "Only %1 glyphs fit: %2 more character was left out, %3."
                            : "Only %1 glyphs fit: %2 more characters were left out, from %3.";
        parts.append(
            translated(sentence).arg(m_glyphs.size()).arg(characters).arg(quoted(excerpt(rest))));
    }
    if (!m_unmatched.isEmpty()) {
        QStringList each;
        for (const QString& character : m_unmatched)
            each.append(quoted(character));
        parts.append(translated("No glyph for %1.").arg(each.join(QStringLiteral(", "))));
    }
    return parts.join(u' ');
}
