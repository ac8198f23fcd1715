#pragma once

#include <QStringView>

namespace GlyphMatcher {

// Whether an alphabet entry can stand for a glyph: it is not empty, and its picture, named after
// it, stays inside the images folder (no "..", no separator, no drive).
bool isUsableEntry(QStringView entry);

} // namespace GlyphMatcher
