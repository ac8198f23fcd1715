#pragma once

#include "core/alphabetindex.h"
#include "core/glyphslots.h"
#include "core/usableentry.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// English text to glyphs: the text is read left to right; at each position the first alphabet
// entry, in table order, that equals the text there (case ignored) stands for the next glyph, and
// the scan goes on behind it; a character that no entry matches is dropped.
namespace GlyphMatcher {

// What a conversion found: the glyphs in text order, the characters that no entry matched, and
// where the scan stopped (the end of the text, unless the glyphs ran out before it).
struct Conversion {
    struct Glyph {
        qsizetype entry;    // the alphabet index, or -1 for a numeral sign
        qsizetype position; // where the letters it stands for begin in the text
        qsizetype length;   // how many code units of the text it stands for
        QString reading;    // the letters the entry matched, when they differ from the text's
        qint32 numeral;     // the value of a numeral sign, or 0
        bool wordStart;     // a word separator comes before it
    };
    // Code units the scan dropped, neighbours joined into one run.
    struct Run {
        qsizetype position;
        qsizetype length;
    };
    QList<Glyph> glyphs;
    QList<Run> unmatched;
    qsizetype scanEnd = 0;
};

// How text that no alphabet entry matches is read after all, where the matching rule alone drops
// it.
class Fallback {
public:
    struct Reading {
        qsizetype length = 0;   // code units read; 0 drops one unit as unmatched
        bool separator = false; // it ended a word
        bool missing = false;   // the units read stand for nothing and are listed as unmatched
    };
    virtual ~Fallback() = default;
    // Appends to glyphs what the text at position stands for.
    virtual Reading read(QStringView text, qsizetype position,
                         QList<Conversion::Glyph>& glyphs) const = 0;
};

// Stops at maxGlyphs glyphs: the window shows ten, a document the whole text. Without a fallback,
// the matching rule alone.
Conversion convert(const AlphabetIndex& index, QStringView text, qsizetype maxGlyphs = MaxGlyphs,
                   const Fallback* fallback = nullptr);

// Whether some entry of the alphabet matches the text at position.
bool matchesAt(const AlphabetIndex& index, QStringView text, qsizetype position);

// The alphabet indices of the glyphs that text spells, in text order. The alphabet is column 0 of
// the alphabet table: row 0, the header, never matches.
QList<qsizetype> matchGlyphs(const AlphabetIndex& index, QStringView text);
// The same with an index built for this one call.
QList<qsizetype> matchGlyphs(const QStringList& alphabet, QStringView text);

} // namespace GlyphMatcher
