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
     u"R+D+ =\u20ac="_s,
     {u"R: D21, mouth"_s, u"D: D46, hand"_s},
     u"No glyph for \u201c+\u201d, \u201c=\u201d, \u201c\u20ac\u201d."_s},
    {"word separators are never missing",
     u"Ed-Al O'K, \u201cA.\u201d!"_s,
     {u"E: M17, reed"_s, u"d: D46, hand"_s, u"A: G1, vulture"_s, u"l: E23, lion"_s,
      u"O: G43, quail chick"_s, u"K: V31, basket"_s, u"A: G1, vulture"_s},
     u""_s},
    {"a letter with marks, read as its plain letters",
     u"Jos\u00e9 \u00df"_s,
     {u"J: I10, cobra"_s, u"o: G43, quail chick"_s, u"s: S29, folded cloth"_s,
      u"\u00e9, read as e: M17, reed"_s, u"\u00df, read as s: S29, folded cloth"_s,
      u"\u00df, read as s: S29, folded cloth"_s},
     u""_s},
    {"a numeral's caption says its value; zero and numbers past nine million have none",
     u"12 0 10000000"_s,
     {u"10: V20, hobble"_s, u"1: Z1, stroke"_s, u"1: Z1, stroke"_s},
     u"No glyph for \u201c0\u201d, \u201c1\u201d."_s},
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

QStringList signsOf(const GlyphRow& row) {
    QStringList codes;
    for (const RowGlyph& glyph : row.glyphs())
        codes.append(glyph.sign);
    return codes;
}

// Readings that spell a text as another: the Gardiner codes of the whole text.
TEST(GlyphRow, ReadingsSpellLikeThePlainText) {
    const auto signs = [](const QString& text, ReadingOptions options = {}) {
        const Converter converter(Alphabet(std::make_shared<clsDatFile>(shippedAlphabet()), u"/"_s),
                                  options);
        return signsOf(converter.row(text, Converter::WholeText));
    };
    const std::pair<QString, QString> same[] = {
        {u"Jos\u00e9"_s, u"Jose"_s},
        {u"JOS\u00c9"_s, u"Jose"_s},
        {u"Jose\u0301"_s, u"Jose"_s},
        {u"Zo\u00eb"_s, u"Zoe"_s},
        {u"Stra\u00dfe"_s, u"Strasse"_s},
        {u"\u00c6sa \u0141ukasz"_s, u"Aesa Lukasz"_s},
        {u"\u00deora \u00d8ystein"_s, u"Thora Oystein"_s},
        {u"Mary-Jane O'Neil"_s, u"Mary Jane O Neil"_s},
    };
    for (const auto& [text, plain] : same)
        EXPECT_EQ(signs(text), signs(plain)) << text.toStdString();
    QStringList year{u"M12"_s};
    for (const QString& code : {u"V1"_s, u"V20"_s})
        year.append(QStringList(9, code));
    EXPECT_EQ(signs(u"1990"_s), year);
    EXPECT_EQ(signs(u"1990"_s, {.numerals = false}), QStringList());
    EXPECT_EQ(signs(u"2000304"_s), (QStringList{u"C11"_s, u"C11"_s, u"V1"_s, u"V1"_s, u"V1"_s,
                                                u"Z1"_s, u"Z1"_s, u"Z1"_s, u"Z1"_s}));
}

// Spelling by sound rewrites the letters by the shipped rules before matching; the captions keep
// the letters as typed and the labels say what was read.
TEST(GlyphRow, SpellingBySoundFollowsTheRulesWhereTheyApply) {
    Converter bySound(Alphabet(std::make_shared<clsDatFile>(shippedAlphabet()), u"/"_s));
    bySound.setSoundSpelling(std::make_shared<const SoundSpelling>(
        SoundSpelling::load(QStringLiteral(SCARABO_DATA_DIR "/Sounds.dat"))));
    const auto signs = [&bySound](const QString& text) {
        return signsOf(bySound.row(text, Converter::WholeText));
    };
    const std::pair<QString, QString> same[] = {
        {u"Philip"_s, u"Filip"_s},           {u"Max"_s, u"Maks"_s},
        {u"Cecily"_s, u"Sesily"_s},          {u"Xena Cox"_s, u"Zena Koks"_s},
        {u"Knox Wright"_s, u"Noks Right"_s}, {u"Jack Quinn"_s, u"Jak Kwinn"_s},
    };
    for (const auto& [text, sound] : same)
        EXPECT_EQ(signs(text), signs(sound)) << text.toStdString();
    const GlyphRow max = bySound.row(u"Max"_s);
    QStringList labels;
    for (const RowGlyph& glyph : max.glyphs())
        labels.append(glyph.label());
    EXPECT_EQ(labels,
              (QStringList{u"M: G17, owl"_s, u"a: G1, vulture"_s, u"x, read as k: V31, basket"_s,
                           u"x, read as s: S29, folded cloth"_s}));
    const GlyphRow asTyped = rowOf(shippedAlphabet(), u"Philip"_s);
    EXPECT_EQ(asTyped.glyphs().first().letters, u"P"_s);
    EXPECT_NE(signsOf(asTyped), signs(u"Philip"_s));
}

// The alphabet's own entries win over every reading.
TEST(GlyphRow, AnEntryForTheLetterWinsOverItsReading) {
    const clsDatFile table = tableOf({{u"Letters"_s, u"Gardiner"_s},
                                      {u"\u00e9"_s, u"X"_s},
                                      {u"e"_s, u"E"_s},
                                      {u"-"_s, u"H"_s},
                                      {u"7"_s, u"S"_s}});
    EXPECT_EQ(signsOf(rowOf(table, u"\u00e9e-7"_s)), (QStringList{u"X"_s, u"E"_s, u"H"_s, u"S"_s}));
}

// Where the words begin, for the layout's gaps.
TEST(GlyphRow, GlyphsAfterASeparatorStartAWord) {
    const GlyphRow row = rowOf(shippedAlphabet(), u" Ed-Al  O'K."_s);
    QList<bool> starts;
    for (const RowGlyph& glyph : row.glyphs())
        starts.append(glyph.wordStart);
    EXPECT_EQ(starts, (QList<bool>{false, false, true, false, true, true}));
}

// A row with the wrong number of fields stops the table's reading there: it is named with its
// line, so a damaged file is not used silently.
TEST(Alphabet, DamageNamesTheRowWhereReadingStopped) {
    const std::pair<QByteArray, QString> files[] = {
        {"3,2\r\n\"Letters\",\"Sign\"\r\n\"a\",\"vulture\"\r\n\"b\",\"foot\"\r\n", u""_s},
        {"4,2\r\n\"Letters\",\"Sign\"\r\n\"a\",\"vulture\",\"x\"\r\n\"b\",\"foot\"\r\n\"c\",\"d\"",
         u"Alphabet.dat, line 3: 3 fields where the table has 2; the 3 rows from there on were not "
         "read."_s},
        {"3,2\r\n\"Letters\",\"Sign\"\r\n\r\n\"b\",\"foot\"\r\n",
         u"Alphabet.dat, line 3: 0 fields where the table has 2; the 2 rows from there on were not "
         "read."_s},
    };
    for (const auto& [bytes, damage] : files) {
        const ScratchFolder folder;
        clsDatFile table;
        table.setFileName(folder.write(u"Alphabet.dat"_s, bytes));
        table.Load();
        EXPECT_EQ(Alphabet::damage(table), damage) << bytes.toStdString();
    }
}

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
