#pragma once

#include <array>
#include <QString>

namespace GlyphMatcher {

// One text gives at most this many glyphs; the rest of it is ignored.
inline constexpr qsizetype MaxGlyphs = 10;

} // namespace GlyphMatcher

// The result of a conversion as the window keeps it and the export reads it: slot 0 is unused,
// slot k holds the picture path of the k-th glyph, or is empty once the glyphs run out.
using GlyphSlots = std::array<QString, GlyphMatcher::MaxGlyphs + 1>;
