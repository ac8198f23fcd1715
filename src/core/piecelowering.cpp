#include "core/piecelowering.h"

#include <QChar>

namespace {

constexpr char32_t DottedCapitalI = 0x130;
constexpr char16_t CombiningDotAbove = 0x307;
constexpr char16_t ReplacementCharacter = 0xFFFD;

LoweredUnits unitsOf(char32_t lowered, char32_t original) {
    LoweredUnits result;
    result.changed = lowered != original;
    if (QChar::requiresSurrogates(lowered)) {
        result.units = {QChar::highSurrogate(lowered), QChar::lowSurrogate(lowered)};
        result.size = 2;
    } else {
        result.units[0] = static_cast<char16_t>(lowered);
        result.size = 1;
    }
    return result;
}

} // namespace

LoweredUnits lowerBeyondAscii(char32_t codePoint) {
    // The one code point whose full lower case is longer than its simple one.
    if (codePoint == DottedCapitalI)
        return LoweredUnits{{u'i', CombiningDotAbove}, 2, true};
    return unitsOf(QChar::toLower(codePoint), codePoint);
}

PieceLowering::PieceLowering(QStringView text, qsizetype start)
    : m_text(text)
    , m_start(start)
    , m_next(start) {}

LoweredUnits PieceLowering::nextFromSurrogate() {
    const QChar unit = m_text[m_next];
    const bool paired =
        unit.isHighSurrogate() && m_next + 1 < m_text.size() && m_text[m_next + 1].isLowSurrogate();
    if (paired)
        return take(lowerCodePoint(QChar::surrogateToUcs4(unit, m_text[m_next + 1])), 2);
    // Unchanged until some code point has changed, U+FFFD after that.
    const char16_t lowered = m_changed ? ReplacementCharacter : unit.unicode();
    return take(LoweredUnits{{lowered, 0}, 1, false}, 1);
}
