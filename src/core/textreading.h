#pragma once

#include "core/alphabetindex.h"
#include "core/glyphmatcher.h"

// What a conversion does with text that no alphabet entry matches.
struct ReadingOptions {
    bool numerals = true; // a run of digits as Egyptian numerals
};

// The readings beyond the matching rule: word separators (blanks, hyphens, apostrophes,
// punctuation) end a word and are never missing, a letter with marks is spelled with its plain
// letters, and a run of digits becomes its numeral signs.
class TextReading : public GlyphMatcher::Fallback {
public:
    TextReading(const AlphabetIndex& index, ReadingOptions options)
        : m_index(index)
        , m_options(options) {}

    Reading read(QStringView text, qsizetype position,
                 QList<GlyphMatcher::Conversion::Glyph>& glyphs) const override;

private:
    Reading readPlainLetters(QStringView letter, qsizetype position,
                             QList<GlyphMatcher::Conversion::Glyph>& glyphs) const;
    Reading readNumber(QStringView text, qsizetype position,
                       QList<GlyphMatcher::Conversion::Glyph>& glyphs) const;
    // The run of digits at position, up to a digit that an entry matches.
    qsizetype digitsAt(QStringView text, qsizetype position) const;

    const AlphabetIndex& m_index;
    ReadingOptions m_options;
};
