#pragma once

#include "alphabetindex.h"
#include "glyphslots.h"
#include "usableentry.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// English text to glyphs: the text is read left to right; at each position the first alphabet
// entry, in table order, that equals the text there (case ignored) stands for the next glyph, and
// the scan goes on behind it; a character that no entry matches is dropped.
namespace GlyphMatcher {

// The alphabet indices of the glyphs that text spells, in text order. The alphabet is column 0 of
// the alphabet table: row 0, the header, never matches.
QList<qsizetype> matchGlyphs(const AlphabetIndex& index, QStringView text);
// The same with an index built for this one call.
QList<qsizetype> matchGlyphs(const QStringList& alphabet, QStringView text);

// The glyph slots of a conversion: slot k holds the picture of the k-th glyph (imagesFolder, the
// entry as stored, ".gif").
GlyphSlots glyphFiles(const AlphabetIndex& index, QStringView text, const QString& imagesFolder);

} // namespace GlyphMatcher
