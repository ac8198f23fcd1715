#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// English text to glyphs: the text is read left to right; at each position the first alphabet
// entry, in table order, that equals the text there (case ignored) stands for the next glyph, and
// the scan goes on behind it; a character that no entry matches is dropped.
namespace GlyphMatcher {

// One text gives at most this many glyphs; the rest of it is ignored.
inline constexpr qsizetype MaxGlyphs = 10;

// Whether an alphabet entry can stand for a glyph: it is not empty, and its picture, named after
// it, lies inside the images folder once its path is cleaned (no absolute path, no drive, no ".."
// that climbs above the folder).
bool isUsableEntry(QStringView entry);

// The alphabet indices of the glyphs that text spells, in text order. The alphabet is column 0 of
// the alphabet table: row 0, the header, never matches.
QList<qsizetype> matchGlyphs(const QStringList& alphabet, QStringView text);

// The glyph slots of a conversion: MaxGlyphs + 1 paths; slot 0 is unused, slot k holds the picture
// of the k-th glyph (imagesFolder, the entry as stored, ".gif") or is empty once the glyphs run
// out.
QStringList glyphFiles(const QStringList& alphabet, QStringView text, const QString& imagesFolder);

} // namespace GlyphMatcher
