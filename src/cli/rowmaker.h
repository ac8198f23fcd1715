#pragma once

#include "core/alphabetindex.h"
#include "core/glyphrow.h"
#include "datfile/clsdatfile.h"

#include <QString>

// Texts into rows as the window converts them, with the alphabet and pictures of an application
// folder.
class RowMaker {
public:
    // Loads the folder's Alphabet.dat. Throws RuntimeError, naming the file, when it cannot.
    explicit RowMaker(const QString& applicationFolder);

    const clsDatFile& alphabet() const { return m_alphabet; }
    const AlphabetIndex& index() const { return m_index; }
    // The folder of the glyph pictures, with a trailing separator.
    const QString& imagesFolder() const { return m_imagesFolder; }

    // The row of text: its first glyphs, as many as the window shows.
    GlyphRow row(const QString& text) const;

private:
    clsDatFile m_alphabet;
    AlphabetIndex m_index;
    QString m_imagesFolder;
};
