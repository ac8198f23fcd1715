#include "core/textreading.h"

#include "core/egyptiannumerals.h"
#include "core/letterfolding.h"

#include <algorithm>
#include <QList>

namespace {

using Glyph = GlyphMatcher::Conversion::Glyph;

bool isSeparator(char32_t codePoint) {
    return QChar::isSpace(codePoint) || QChar::isPunct(codePoint);
}

bool isDigit(QChar unit) {
    return unit >= u'0' && unit <= u'9';
}

// The code point at position, a surrogate pair whole.
QStringView characterAt(QStringView text, qsizetype position) {
    const bool pair = text[position].isHighSurrogate() && position + 1 < text.size() &&
                      text[position + 1].isLowSurrogate();
    return text.sliced(position, pair ? 2 : 1);
}

} // namespace

// Only what no entry matches is read otherwise: an entry for the low half of a pair, or for a
// digit inside a number, still wins there.
TextReading::Reading TextReading::read(QStringView text, qsizetype position,
                                       QList<Glyph>& glyphs) const {
    const QStringView character = characterAt(text, position);
    if (character.size() == 2 && GlyphMatcher::matchesAt(m_index, text, position + 1))
        return {};
    const char32_t codePoint = character.toUcs4().value(0);
    if (isSeparator(codePoint))
        return {character.size(), true};
    if (LetterFolding::isMark(codePoint))
        return {character.size(), false};
    if (m_options.numerals && isDigit(character.front()))
        return readNumber(text, position, glyphs);
    return readPlainLetters(character, position, glyphs);
}

qsizetype TextReading::digitsAt(QStringView text, qsizetype position) const {
    qsizetype end = position + 1;
    while (end < text.size() && isDigit(text[end]) && !GlyphMatcher::matchesAt(m_index, text, end))
        ++end;
    return end - position;
}

// The plain letters must all match, or the letter stays missing.
TextReading::Reading TextReading::readPlainLetters(QStringView letter, qsizetype position,
                                                   QList<Glyph>& glyphs) const {
    const QString plain = LetterFolding::plainLetters(letter.toUcs4().value(0));
    if (plain.isEmpty())
        return {};
    const GlyphMatcher::Conversion spelled =
        GlyphMatcher::convert(m_index, plain, GlyphMatcher::MaxGlyphs);
    if (spelled.glyphs.isEmpty() || !spelled.unmatched.isEmpty() || spelled.scanEnd < plain.size())
        return {};
    for (const Glyph& glyph : spelled.glyphs)
        glyphs.append({glyph.entry, position, letter.size(),
                       plain.sliced(glyph.position, glyph.length), 0, false});
    return {letter.size(), false};
}

// Leading zeros add nothing; a number the signs cannot write, or zero, stays missing.
TextReading::Reading TextReading::readNumber(QStringView text, qsizetype position,
                                             QList<Glyph>& glyphs) const {
    const QStringView digits = text.sliced(position, digitsAt(text, position));
    qint64 number = 0;
    for (const QChar digit : digits)
        number = std::min<qint64>(number * 10 + (digit.unicode() - u'0'),
                                  qint64(EgyptianNumerals::Largest) + 1);
    if (number == 0 || number > EgyptianNumerals::Largest)
        return {digits.size(), false, true};
    for (const qint32 unit : EgyptianNumerals::unitsOf(static_cast<qint32>(number)))
        glyphs.append({-1, position, digits.size(), {}, unit, false});
    return {digits.size(), false};
}
