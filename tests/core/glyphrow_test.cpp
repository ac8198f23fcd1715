#include "core/converter.h"
#include "datfile/clsdatfile.h"
#include "datfiletesting.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The shipped alphabet: its header names the columns Gardiner and Sign.
const clsDatFile& shippedAlphabet() {
    static const clsDatFile table = [] {
        clsDatFile loaded;
        loaded.setFileName(QStringLiteral(SCARABO_DATA_DIR "/Alphabet.dat"));
        loaded.Load();
        return loaded;
    }();
    return table;
}

GlyphRow rowOf(const clsDatFile& alphabet, const QString& text) {
    return Converter(Alphabet(std::make_shared<clsDatFile>(alphabet), u"/"_s)).row(text);
}

struct RowCase {
    const char* what;
    QString text;
    QStringList labels;
    QString note;
};

const RowCase rowCases[] = {
    {"letters as typed, with the sign",
     u"Ship"_s,
     {u"Sh: N37, pool"_s, u"i: M17, reed"_s, u"p: Q3, stool"_s},
     u""_s},
    {"left over after ten glyphs, blanks not counted as missing",
     u"Christopher Columbus"_s,
     {u"Ch: V13, tethering rope"_s, u"r: D21, mouth"_s, u"i: M17, reed"_s,
      u"s: S29, folded cloth"_s, u"t: X1, bread"_s, u"o: G43, quail chick"_s, u"p: Q3, stool"_s,
      u"h: O4, shelter"_s, u"e: M17, reed"_s, u"r: D21, mouth"_s},
     u"Only 10 glyphs fit: 9 more characters were left out, from \u201cColumbus\u201d."_s},
    {"an excerpt cut after a blank ends at the word",
     u"Christopher Columbu a fines sailor"_s,
     {u"Ch: V13, tethering rope"_s, u"r: D21, mouth"_s, u"i: M17, reed"_s,
      u"s: S29, folded cloth"_s, u"t: X1, bread"_s, u"o: G43, quail chick"_s, u"p: Q3, stool"_s,
      u"h: O4, shelter"_s, u"e: M17, reed"_s, u"r: D21, mouth"_s},
     u"Only 10 glyphs fit: 23 more characters were left out, from \u201cColumbu a fines\u2026\u201d."_s},
    {"each missing character once",
     u"R2-D2 2024!"_s,
     {u"R: D21, mouth"_s, u"D: D46, hand"_s},
     u"No glyph for \u201c2\u201d, \u201c-\u201d, \u201c0\u201d, \u201c4\u201d, \u201c!\u201d."_s},
    {"another script, a pair kept whole",
     u"\u0391\u03b8 \U0001F600"_s,
     {},
     u"No glyph for \u201c\u0391\u201d, \u201c\u03b8\u201d, \u201c\U0001F600\u201d."_s},
};

class Rows : public testing::TestWithParam<RowCase> {};

TEST_P(Rows, SayWhichLettersMadeEachGlyphAndWhatWasLeftOut) {
    const RowCase& c = GetParam();
    const GlyphRow row = rowOf(shippedAlphabet(), c.text);
    QStringList labels;
    for (const RowGlyph& glyph : row.glyphs())
        labels.append(glyph.label());
    EXPECT_EQ(labels, c.labels);
    EXPECT_EQ(row.leftOutNote(), c.note);
}

INSTANTIATE_TEST_SUITE_P(Texts, Rows, testing::ValuesIn(rowCases),
                         [](const auto& param) { return "Case" + std::to_string(param.index); });

// A table that names no sign columns labels its glyphs with their letters alone.
TEST(GlyphRow, WithoutSignColumnsTheLabelIsTheLetters) {
    const GlyphRow row = rowOf(tableOf({{u"Letters"_s}, {u"a"_s}}), u"A"_s);
    ASSERT_EQ(row.glyphs().size(), 1);
    EXPECT_EQ(row.glyphs().at(0).label(), u"A"_s);
}

// The Unicode column is read strictly: a malformed cell, or one naming U+0000 or a non-character,
// gives its glyph no text, never a wrong one.
TEST(GlyphRow, UnicodeTextComesOnlyFromWellFormedCodePoints) {
    const std::pair<QString, QString> cells[] = {
        {u"U+13219"_s, u"\U00013219"_s},
        {u"U+133A1 U+132F4"_s, u"\U000133A1\U000132F4"_s},
        {u"U+0041"_s, u"A"_s},
        {u"u+0041"_s, u""_s},
        {u""_s, u""_s},
        {u"13219"_s, u""_s},
        {u"U+D800"_s, u""_s},
        {u"U+110000"_s, u""_s},
        {u"U+1321G"_s, u""_s},
        {u"U+13219 x"_s, u""_s},
        {u"U+0000013219"_s, u""_s},
        {u"U+0000"_s, u""_s},
        {u"U+13219 U+0000"_s, u""_s},
        {u"U+FDD0"_s, u""_s},
        {u"U+FDEF"_s, u""_s},
        {u"U+FFFE"_s, u""_s},
        {u"U+1FFFF"_s, u""_s},
        {u"U+10FFFF"_s, u""_s},
        {u"U+FDCF"_s, u"\uFDCF"_s},
        {u"U+FFFD"_s, u"\uFFFD"_s},
    };
    for (const auto& [cell, text] : cells) {
        const clsDatFile table = tableOf({{u"Letters"_s, u"Unicode"_s}, {u"a"_s, cell}});
        EXPECT_EQ(rowOf(table, u"a"_s).unicodeText(), text) << cell.toStdString();
    }
    EXPECT_EQ(rowOf(shippedAlphabet(), u"ship"_s).unicodeText(),
              u"\U00013219\U000131CB\U000132AA"_s);
}

} // namespace
