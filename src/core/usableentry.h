#pragma once

#include <QStringView>

namespace GlyphMatcher {

// Whether an alphabet entry can stand for a glyph: it is not empty, and its picture, named after
// it, lies inside the images folder once its path is cleaned (no absolute path, no drive, no ".."
// that climbs above the folder).
bool isUsableEntry(QStringView entry);

} // namespace GlyphMatcher
