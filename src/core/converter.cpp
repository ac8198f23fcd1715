#include "core/converter.h"

#include "core/glyphmatcher.h"

GlyphRow Converter::row(const QString& text, qsizetype limit) const {
    const AlphabetIndex& index = mAlphabet.index();
    const GlyphMatcher::Conversion conversion = GlyphMatcher::convert(index, text, limit);
    QStringList pictures;
    for (const GlyphMatcher::Conversion::Glyph& glyph : conversion.glyphs)
        pictures.append(
            Alphabet::picturePath(mAlphabet.imagesFolder(), index.alphabet()[glyph.entry]));
    return GlyphRow(mAlphabet.table(), conversion, text, pictures);
}
