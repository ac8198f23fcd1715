// The conversion's matching against the plain scan: the first line of the input is the text, every
// further line an alphabet entry (the first of them the header row, never matched). The readings
// beyond the matching rule (separators, plain letters, numerals) only read what the rule drops, so
// the glyphs of entries matched as typed are the plain scan's with them too.

#include "core/glyphmatcher.h"
#include "core/textreading.h"
#include "fuzzsupport.h"
#include "plainglyphscan.h"

namespace {

QString describe(const QList<qsizetype>& glyphs) {
    QStringList indices;
    for (const qsizetype index : glyphs)
        indices.append(QString::number(index));
    return indices.join(u' ');
}

// The glyphs of entries matched as typed, in a conversion with every reading, as far as the plain
// scan goes.
QList<qsizetype> matchedAsTyped(const QStringList& alphabet, const QString& text) {
    const AlphabetIndex index(alphabet);
    const TextReading reading(index, ReadingOptions{});
    QList<qsizetype> glyphs;
    for (const auto& glyph : GlyphMatcher::convert(index, text, text.size() + 1, &reading).glyphs) {
        if (glyph.numeral == 0 && glyph.reading.isEmpty() &&
            glyphs.size() < GlyphMatcher::MaxGlyphs)
            glyphs.append(glyph.entry);
    }
    return glyphs;
}

void compare(const QString& what, const QStringList& alphabet, const QString& text,
             const QList<qsizetype>& glyphs, const QList<qsizetype>& expected) {
    if (glyphs != expected)
        FuzzSupport::finding(QStringLiteral("%1: text [%2] alphabet [%3]: glyphs %4, expected %5")
                                 .arg(what, FuzzSupport::escaped(text),
                                      FuzzSupport::escaped(alphabet.join(u'|')), describe(glyphs),
                                      describe(expected)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QStringList lines = FuzzSupport::textFrom(data, size).split(u'\n');
    const QString& text = lines.first();
    const QStringList alphabet = lines.sliced(1);
    const QList<qsizetype> expected = plainGlyphScan(alphabet, text);
    compare(QStringLiteral("matching"), alphabet, text, GlyphMatcher::matchGlyphs(alphabet, text),
            expected);
    compare(QStringLiteral("with readings"), alphabet, text, matchedAsTyped(alphabet, text),
            expected);
    return 0;
}
