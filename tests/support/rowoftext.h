#pragma once

#include "core/glyphmatcher.h"
#include "core/glyphrow.h"
#include "datfile/clsdatfile.h"

#include <QDir>
#include <QString>

// The row the window shows for text, with the alphabet and pictures of folder (as the program's
// own folder holds them).
inline GlyphRow rowOfText(const QString& folder, const QString& text) {
    clsDatFile alphabet;
    alphabet.setFileName(QDir(folder).filePath(QStringLiteral("Alphabet.dat")));
    alphabet.Load();
    const AlphabetIndex index(alphabet.Col(0));
    const GlyphMatcher::Conversion conversion = GlyphMatcher::convert(index, text);
    const QString images = QDir(folder).filePath(QStringLiteral("Images")) + u'/';
    return GlyphRow(alphabet, conversion, text,
                    GlyphMatcher::glyphFiles(index, conversion, images));
}
