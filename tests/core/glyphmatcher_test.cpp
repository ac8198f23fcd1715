#include "core/converter.h"
#include "core/glyphmatcher.h"
#include "datfiletesting.h"
#include "plainglyphscan.h"
#include "randomtext.h"

#include <gmock/gmock.h>

using namespace Qt::StringLiterals;
using testing::ElementsAre;

namespace {

const QString Header = u"Letters"_s;

struct MatchCase {
    const char* rule;
    QStringList alphabet;
    QString text;
    QStringList glyphs; // the matched entries as stored
};

QStringList entriesOf(const QStringList& alphabet, const QList<qsizetype>& indices) {
    QStringList entries;
    for (const qsizetype index : indices)
        entries.append(alphabet.at(index));
    return entries;
}

const QString DottedI = fromUnits({0x130}); // lower case: i + combining dot above
const QString IWithDot = fromUnits({u'i', 0x307});
const QString DeseretLong = fromUnits({0xD801, 0xDC00}); // lower case: DeseretLongSmall
const QString DeseretLongSmall = fromUnits({0xD801, 0xDC28});
const QString DeseretHigh = fromUnits({0xD801});

const MatchCase matchCases[] = {
    {"table order beats length: s before sh",
     {Header, u"h"_s, u"i"_s, u"s"_s, u"p"_s, u"x"_s, u"y"_s, u"sh"_s},
     u"ship"_s,
     {u"s"_s, u"h"_s, u"i"_s, u"p"_s}},
    {"table order beats length: sh before s",
     {Header, u"h"_s, u"i"_s, u"sh"_s, u"p"_s, u"x"_s, u"y"_s, u"s"_s},
     u"ship"_s,
     {u"sh"_s, u"i"_s, u"p"_s}},
    {"greedy, never backtracks", {Header, u"ab"_s, u"bcd"_s}, u"abcd"_s, {u"ab"_s}},
    {"case ignored, stored case kept",
     {Header, u"Ka"_s},
     u"ka KA kA"_s,
     {u"Ka"_s, u"Ka"_s, u"Ka"_s}},
    {"row 0 never matches", {u"ship"_s, u"s"_s}, u"ship"_s, {u"s"_s}},
    {"unmatched characters dropped", {Header, u"a"_s}, u"x a!A?"_s, {u"a"_s, u"a"_s}},
    {"at most ten glyphs", {Header, u"a"_s}, u"aaaaaaaaaaaa"_s, QStringList(10, u"a"_s)},
    {"entry longer than the rest of the text", {Header, u"abc"_s, u"b"_s}, u"xab"_s, {u"b"_s}},
    {"a long entry",
     {Header, u"abcdefghijklmnopqrstuvwxyz"_s},
     u"-ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s,
     {u"abcdefghijklmnopqrstuvwxyz"_s}},
    {"one-row alphabet", {Header}, u"abc"_s, {}},
    {"empty alphabet", {}, u"abc"_s, {}},
    {"empty text", {Header, u"a"_s}, u""_s, {}},
    {"empty entries skipped", {Header, u""_s, u"a"_s}, u"a"_s, {u"a"_s}},
    {"entries whose picture would leave the folder skipped",
     {Header, u"../a"_s, u"/a"_s, u"a/../../b"_s, u"x..y"_s, u".."_s, u"a"_s, u"b"_s},
     u"../a/../../b x..y"_s,
     {u".."_s, u"a"_s, u".."_s, u".."_s, u"b"_s, u"x..y"_s}},
    {"a lowered piece may be longer than the entry is",
     {Header, IWithDot},
     u"x"_s + DottedI,
     {IWithDot}},
    {"a dotted capital I is not an i with a dot", {Header, DottedI}, IWithDot, {}},
    {"letters outside the BMP",
     {Header, DeseretLongSmall},
     DeseretLong + u"A"_s,
     {DeseretLongSmall}},
    {"a piece may cut a surrogate pair", {Header, DeseretHigh}, DeseretLong, {DeseretHigh}},
    {"an unpaired surrogate after a changed letter lowers to U+FFFD",
     {Header, fromUnits({u'a', 0xFFFD})},
     fromUnits({u'A', 0xDC00, u'a', 0xDC00}),
     {fromUnits({u'a', 0xFFFD})}},
};

void PrintTo(const MatchCase& rule, std::ostream* out) {
    *out << rule.rule;
}

class GlyphMatching : public testing::TestWithParam<MatchCase> {};

TEST_P(GlyphMatching, FastAndPlainScansAgreeOnTheRule) {
    const MatchCase& rule = GetParam();
    EXPECT_EQ(entriesOf(rule.alphabet, GlyphMatcher::matchGlyphs(rule.alphabet, rule.text)),
              rule.glyphs);
    EXPECT_EQ(entriesOf(rule.alphabet, plainGlyphScan(rule.alphabet, rule.text)), rule.glyphs);
}

INSTANTIATE_TEST_SUITE_P(Rules, GlyphMatching, testing::ValuesIn(matchCases),
                         [](const testing::TestParamInfo<MatchCase>& param) {
                             return "Rule" + std::to_string(param.index);
                         });

} // namespace

TEST(GlyphFiles, FilledSlotsFormAPrefixOfElevenAfterTheUnusedSlotZero) {
    const QString folder = u"/opt/scarabo/Images/"_s;
    const Converter converter(Alphabet(
        std::make_shared<clsDatFile>(tableOf({{Header}, {u"a"_s}, {u"Ka"_s}, {u"c"_s}})), folder));
    EXPECT_THAT(converter.row(u"AkAC"_s).glyphFiles(),
                ElementsAre(u""_s, folder + u"a.gif"_s, folder + u"Ka.gif"_s, folder + u"c.gif"_s,
                            u""_s, u""_s, u""_s, u""_s, u""_s, u""_s, u""_s));
    EXPECT_EQ(converter.row(u"xyz"_s).glyphFiles(), GlyphSlots{});
}

TEST(GlyphMatcher, PositionsPastSixteenBitsStillMatch) {
    const QString text = QString(40000, u'x') + u"ab"_s;
    const QStringList alphabet{Header, u"a"_s, u"b"_s};
    EXPECT_THAT(GlyphMatcher::matchGlyphs(alphabet, text), ElementsAre(1, 2));
}

// An entry is skipped exactly when its picture, the entry with ".gif" behind it, would lie outside
// the images folder once its path is cleaned.
TEST(GlyphMatcher, UsableEntries) {
#ifdef Q_OS_WIN
    constexpr bool windows = true;
#else
    constexpr bool windows = false;
#endif
    const std::pair<QString, bool> cases[] = {
        {u""_s, false},
        {u"a"_s, true},
        {u"."_s, true},
        {u"a.b"_s, true},
        {u"x..y"_s, true},
        {u".."_s, true}, // the picture "...gif"
        {u"a/.."_s, true},
        {u"a/b"_s, true},
        {u"a/../b"_s, true},
        {u"./a"_s, true},
        {u"../a"_s, false},
        {u"a/../../b"_s, false},
        {u"a//../../b"_s, false},
        {u"/a"_s, false},
        {u"/"_s, false},
        {u"a:"_s, !windows},
        {u"C:"_s, !windows},
        {u"z:x"_s, !windows},
        {u"1:"_s, true},
        {u":"_s, true},
        {u"ab:c"_s, true},
        {u"a\\b"_s, true},
        {u"..\\a"_s, !windows},
        {u"\\a"_s, !windows},
        {u"\\\\host\\share"_s, !windows},
        {u"\u00e9"_s, true},
    };
    for (const auto& [entry, usable] : cases) {
        EXPECT_EQ(GlyphMatcher::isUsableEntry(entry), usable) << entry.toStdString();
        EXPECT_EQ(plainIsUsableEntry(entry), usable) << entry.toStdString();
    }
}
