#include "core/converter.h"

#include "core/egyptiannumerals.h"
#include "core/glyphmatcher.h"
#include "core/textreading.h"

GlyphRow Converter::row(const QString& text, qsizetype limit) const {
    const AlphabetIndex& index = m_alphabet.index();
    const TextReading reading(index, m_options);
    const GlyphMatcher::Conversion conversion = GlyphMatcher::convert(index, text, limit, &reading);
    QStringList pictures;
    for (const GlyphMatcher::Conversion::Glyph& glyph : conversion.glyphs) {
        pictures.append(
            glyph.numeral != 0
                ? EgyptianNumerals::picturePath(m_alphabet.imagesFolder(), glyph.numeral)
                : Alphabet::picturePath(m_alphabet.imagesFolder(), index.alphabet()[glyph.entry]));
    }
    return GlyphRow(m_alphabet.table(), conversion, text, pictures);
}
