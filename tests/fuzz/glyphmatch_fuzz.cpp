// The conversion's matching against the plain scan: the first line of the input is the text, every
// further line an alphabet entry (the first of them the header row, never matched).

#include "core/glyphmatcher.h"
#include "fuzzsupport.h"
#include "plainglyphscan.h"

namespace {

QString describe(const QList<qsizetype>& glyphs) {
    QStringList indices;
    for (const qsizetype index : glyphs)
        indices.append(QString::number(index));
    return indices.join(u' ');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QStringList lines = FuzzSupport::textFrom(data, size).split(u'\n');
    const QString& text = lines.first();
    const QStringList alphabet = lines.sliced(1);
    const QList<qsizetype> glyphs = GlyphMatcher::matchGlyphs(alphabet, text);
    const QList<qsizetype> expected = plainGlyphScan(alphabet, text);
    if (glyphs != expected)
        FuzzSupport::finding(QStringLiteral("text [%1] alphabet [%2]: glyphs %3, expected %4")
                                 .arg(FuzzSupport::escaped(text),
                                      FuzzSupport::escaped(alphabet.join(u'|')), describe(glyphs),
                                      describe(expected)));
    return 0;
}
