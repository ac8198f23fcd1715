#include "core/converter.h"

#include "core/glyphmatcher.h"

GlyphRow Converter::row(const QString& text, qsizetype limit) const {
    const AlphabetIndex& index = m_alphabet.index();
    const GlyphMatcher::Conversion conversion = GlyphMatcher::convert(index, text, limit);
    QStringList pictures;
    for (const GlyphMatcher::Conversion::Glyph& glyph : conversion.glyphs)
        pictures.append(
            Alphabet::picturePath(m_alphabet.imagesFolder(), index.alphabet()[glyph.entry]));
    return GlyphRow(m_alphabet.table(), conversion, text, pictures);
}
