#pragma once

#include <array>
#include <QStringView>

// The lower case of one code point in UTF-16: one or two code units.
struct LoweredUnits {
    std::array<char16_t, 2> units{};
    qsizetype size = 0;
    // Whether lowering changed the code point; QString::toLower treats what follows differently
    // then.
    bool changed = false;
};

// lowerCodePoint from U+0080 on.
LoweredUnits lowerBeyondAscii(char32_t codePoint);

// The lower case of one code point, exactly as QString::toLower gives it for that code point alone.
inline LoweredUnits lowerCodePoint(char32_t codePoint) {
    if (codePoint >= 0x80)
        return lowerBeyondAscii(codePoint);
    const bool upper = codePoint >= U'A' && codePoint <= U'Z';
    const auto lowered = static_cast<char16_t>(upper ? codePoint + (U'a' - U'A') : codePoint);
    return LoweredUnits{{lowered, 0}, 1, upper};
}

// Lower-cases, in one pass, every piece of a text that starts at one position, each piece exactly
// as QString::toLower lowers it on its own, so that all pieces from that position share the work.
// "On its own" means as a named string: Qt 6.4 lowers a temporary differently once a U+0130 has
// made it longer (unpaired high surrogates at its end become U+FFFD there).
//
// QString::toLower works a code point at a time, with two quirks that make a lowered piece differ
// from a slice of the lowered whole text: high surrogates at the very end of a piece stay as they
// are, and once some code point of the piece has changed, every later unpaired surrogate becomes
// U+FFFD.
class PieceLowering {
public:
    PieceLowering(QStringView text, qsizetype start);

    // How many code units of the text the lowered code points so far stand for.
    qsizetype consumed() const { return m_next - m_start; }
    bool atTextEnd() const { return m_next == m_text.size(); }

    // Whether the lowered code points so far are, unchanged, the start of the lowered pieces that
    // are consumed() + 0 ... consumed() + highSurrogatesAhead().size() units long. Not so right
    // after an unpaired high surrogate: any piece that ends with it keeps it unchanged, and the
    // position where its run of high surrogates began has answered for those pieces already.
    bool atPieceEnd() const { return m_next == m_start || !m_text[m_next - 1].isHighSurrogate(); }

    // The run of high surrogates that starts at the next code unit: a piece that ends inside the
    // run ends in these units unchanged.
    QStringView highSurrogatesAhead() const {
        qsizetype end = m_next;
        while (end < m_text.size() && m_text[end].isHighSurrogate())
            ++end;
        return m_text.sliced(m_next, end - m_next);
    }

    // Lowers the next code point. Not at the end of the text.
    LoweredUnits next() {
        const QChar unit = m_text[m_next];
        return unit.isSurrogate() ? nextFromSurrogate() : take(lowerCodePoint(unit.unicode()), 1);
    }

private:
    LoweredUnits nextFromSurrogate();
    LoweredUnits take(const LoweredUnits& lowered, qsizetype units) {
        m_next += units;
        m_changed = m_changed || lowered.changed;
        return lowered;
    }

    QStringView m_text;
    qsizetype m_start;
    qsizetype m_next;
    bool m_changed = false;
};
