#pragma once

#include "core/converter.h"

#include <QString>

// The row the window shows for text, with the alphabet and pictures of folder (as the program's
// own folder holds them).
inline GlyphRow rowOfText(const QString& folder, const QString& text) {
    return Converter(Alphabet::load(folder)).row(text);
}
