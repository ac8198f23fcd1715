#include "core/converter.h"

#include "core/egyptiannumerals.h"
#include "core/glyphmatcher.h"
#include "core/textreading.h"

namespace {

using Conversion = GlyphMatcher::Conversion;

// A conversion of the respelled text, placed back on the text as typed: each glyph stands for the
// letters its sounds came from, and says what it read where that differs from them.
Conversion placedOnTyped(Conversion conversion, const SoundSpelling::Respelled& respelled,
                         const QString& typed) {
    const auto start = [&respelled](qsizetype position) { return respelled.from.at(position); };
    const auto end = [&respelled](qsizetype position, qsizetype length) {
        return respelled.to.at(position + std::max<qsizetype>(length, 1) - 1);
    };
    for (Conversion::Glyph& glyph : conversion.glyphs) {
        const qsizetype from = start(glyph.position);
        const qsizetype to = end(glyph.position, glyph.length);
        const QString read = respelled.text.sliced(glyph.position, glyph.length);
        if (glyph.numeral == 0 && glyph.reading.isEmpty() &&
            read.compare(QStringView(typed).sliced(from, to - from), Qt::CaseInsensitive) != 0)
            glyph.reading = read;
        glyph.position = from;
        glyph.length = to - from;
    }
    for (Conversion::Run& run : conversion.unmatched) {
        const qsizetype from = start(run.position);
        run.length = end(run.position, run.length) - from;
        run.position = from;
    }
    conversion.scanEnd = start(conversion.scanEnd);
    return conversion;
}

} // namespace

GlyphRow Converter::row(const QString& text, qsizetype limit) const {
    const AlphabetIndex& index = m_alphabet.index();
    const TextReading reading(index, m_options);
    Conversion conversion;
    if (m_sound) {
        const SoundSpelling::Respelled respelled = m_sound->respell(text);
        conversion = placedOnTyped(GlyphMatcher::convert(index, respelled.text, limit, &reading),
                                   respelled, text);
    } else {
        conversion = GlyphMatcher::convert(index, text, limit, &reading);
    }
    QStringList pictures;
    for (const Conversion::Glyph& glyph : conversion.glyphs) {
        pictures.append(
            glyph.numeral != 0
                ? EgyptianNumerals::picturePath(m_alphabet.imagesFolder(), glyph.numeral)
                : Alphabet::picturePath(m_alphabet.imagesFolder(), index.alphabet()[glyph.entry]));
    }
    return GlyphRow(m_alphabet.table(), conversion, text, pictures);
}
