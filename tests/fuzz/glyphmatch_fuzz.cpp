// The conversion's matching against the plain scan: the first line of the input is the text, every
// further line an alphabet entry (the first of them the header row, never matched). The readings
// beyond the matching rule (separators, plain letters, numerals) only read what the rule drops, so
// the glyphs of entries matched as typed are the plain scan's with them too.

#include "core/converter.h"
#include "core/glyphmatcher.h"
#include "core/textreading.h"
#include "datfile/clsdatfile.h"
#include "fuzzsupport.h"
#include "plainglyphscan.h"

#include <memory>

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
    for (const auto& glyph :
         GlyphMatcher::convert(index, text, Converter::WholeText, &reading).glyphs) {
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

std::shared_ptr<clsDatFile> tableOf(const QList<QStringList>& rows) {
    auto table = std::make_shared<clsDatFile>();
    table->setRows(static_cast<qint16>(rows.size()));
    table->setCols(static_cast<qint16>(rows.first().size()));
    table->Clear();
    for (qint16 row = 0; row < table->Rows(); ++row)
        for (qint16 column = 0; column < table->Cols(); ++column)
            table->setData(row, column, rows[row][column]);
    return table;
}

// Spelling by sound places every glyph back on letters of the text as typed: each glyph stands
// for some of them, in order, and the scan ends inside the text.
void checkSoundSpelling(const QStringList& alphabet, const QString& text) {
    QList<QStringList> rows;
    for (const QString& entry : alphabet)
        rows.append({entry});
    Converter converter(Alphabet(tableOf(rows), QStringLiteral("/")));
    converter.setSoundSpelling(std::make_shared<const SoundSpelling>(*tableOf(
        {{QStringLiteral("Letters"), QStringLiteral("Spelled as"), QStringLiteral("Where")},
         {QStringLiteral("ph"), QStringLiteral("f"), QStringLiteral("anywhere")},
         {QStringLiteral("x"), QStringLiteral("ks"), QStringLiteral("anywhere")},
         {QStringLiteral("kn"), QString(), QStringLiteral("start")},
         {QStringLiteral("c"), QStringLiteral("s"), QStringLiteral("before:eiy")}})));
    const GlyphRow row = converter.row(text, Converter::WholeText);
    for (const RowGlyph& glyph : row.glyphs()) {
        if (glyph.letters.isEmpty())
            FuzzSupport::finding(QStringLiteral("by sound: text [%1]: a glyph of no letters")
                                     .arg(FuzzSupport::escaped(text)));
    }
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
    if (!alphabet.isEmpty() && alphabet.size() < 1000)
        checkSoundSpelling(alphabet, text);
    return 0;
}
