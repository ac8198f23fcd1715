#include "cli/rowmaker.h"

#include "core/glyphmatcher.h"

#include <QDir>

namespace {

clsDatFile loadedAlphabet(const QString& applicationFolder) {
    clsDatFile alphabet;
    alphabet.setFileName(applicationFolder + QDir::separator() + QStringLiteral("Alphabet.dat"));
    alphabet.Load();
    return alphabet;
}

} // namespace

RowMaker::RowMaker(const QString& applicationFolder)
    : m_alphabet(loadedAlphabet(applicationFolder))
    , m_index(m_alphabet.Col(0))
    , m_imagesFolder(applicationFolder + QDir::separator() + QStringLiteral("Images") +
                     QDir::separator()) {}

GlyphRow RowMaker::row(const QString& text) const {
    const GlyphMatcher::Conversion conversion = GlyphMatcher::convert(m_index, text);
    const GlyphSlots pictures = GlyphMatcher::glyphFiles(m_index, conversion, m_imagesFolder);
    return GlyphRow(m_alphabet, conversion, text, pictures);
}
