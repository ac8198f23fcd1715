#include "output/writtenlayout.h"
#include "rowoftext.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Options = WritingOptions;

namespace {

const QString dataFolder = QStringLiteral(SCARABO_DATA_DIR);

WrittenLayout layout(const QString& text, Options options = {}) {
    return layOutWriting(rowOfText(dataFolder, text), options);
}

// The quadrats by the letters of their signs: "|" between quadrats, "/" between the rows of one,
// "+" between signs side by side; "*" is the determinative.
QString grouping(const QString& text, const Options& options) {
    const GlyphRow row = rowOfText(dataFolder, text);
    const WrittenLayout written = layOutWriting(row, options);
    QStringList quadrats;
    for (const WrittenLayout::Quadrat& quadrat : written.quadrats) {
        QStringList rows;
        for (const QList<qsizetype>& signs : quadrat.rows) {
            QStringList letters;
            for (const qsizetype sign : signs) {
                const qsizetype glyph = written.signs.at(sign).glyph;
                letters.append(glyph < 0 ? u"*"_s : row.glyphs().at(glyph).letters);
            }
            rows.append(letters.join(u'+'));
        }
        quadrats.append(rows.join(u'/'));
    }
    return quadrats.join(u'|');
}

struct GroupingCase {
    const char* text;
    Options options;
    const char* expected;
};

const GroupingCase groupingCases[] = {
    {"ntr", {}, "n/t/r"},          // flat signs stack
    {"ntrntr", {}, "n/t/r|n/t/r"}, // three flat signs fill a quadrat
    {"pp", {}, "p+p"},             // small signs pair
    {"ara", {}, "a|r|a"},          // a tall sign stands alone
    {"nt rn", {}, "n/t|r/n"},      // a word ends a quadrat
    {"ntr", {.arrangement = Options::Arrangement::Row}, "n|t|r"},
    {"nt", {.determinative = Options::Determinative::Man}, "n/t|*"},
};

class Grouping : public testing::TestWithParam<GroupingCase> {};

TEST_P(Grouping, FollowsTheRuleAndKeepsTheOrder) {
    const GroupingCase& c = GetParam();
    EXPECT_EQ(grouping(QString::fromUtf8(c.text), c.options), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Signs, Grouping, testing::ValuesIn(groupingCases));

TEST(WrittenLayout, KeepsTheSignsTrueProportionsAndGroupsCompactly) {
    const WrittenLayout written = layout(u"at"_s, {.arrangement = Options::Arrangement::Row});
    const QSizeF vulture = written.signs.at(0).box.size();
    const QSizeF bread = written.signs.at(1).box.size();
    EXPECT_NEAR(vulture.height(), 1.0, 0.05);
    EXPECT_LT(bread.height(), vulture.height() / 3);

    const qreal grouped = layout(u"ntrntr"_s).size.width();
    const qreal inRow =
        layout(u"ntrntr"_s, {.arrangement = Options::Arrangement::Row}).size.width();
    EXPECT_LE(grouped, 0.6 * inRow);
}

TEST(WrittenLayout, RightToLeftIsTheMirrorImage) {
    const Options leftToRight{.cartouche = true};
    Options rightToLeft = leftToRight;
    rightToLeft.direction = Options::Direction::RightToLeft;
    const WrittenLayout ltr = layout(u"Cleopatra"_s, leftToRight);
    const WrittenLayout rtl = layout(u"Cleopatra"_s, rightToLeft);
    ASSERT_EQ(ltr.size, rtl.size);
    ASSERT_EQ(ltr.signs.size(), rtl.signs.size());
    for (qsizetype k = 0; k < ltr.signs.size(); ++k) {
        const QRectF box = ltr.signs.at(k).box;
        EXPECT_EQ(rtl.signs.at(k).box,
                  QRectF(ltr.size.width() - box.right(), box.top(), box.width(), box.height()));
        EXPECT_TRUE(rtl.signs.at(k).mirrored);
    }
    const QRectF ring = ltr.lines.first().cartouche.boundingRect();
    EXPECT_NEAR(rtl.lines.first().cartouche.boundingRect().left(), ltr.size.width() - ring.right(),
                1e-9);
}

TEST(WrittenLayout, ColumnsAreTallerThanWide) {
    const WrittenLayout written =
        layout(u"Cleopatra"_s, {.direction = Options::Direction::Columns, .cartouche = true});
    EXPECT_GT(written.size.height(), written.size.width());
}

// Lines end between words; each name keeps its own cartouche, none is split. Only a word longer
// than a line breaks, and the line it breaks is marked with a dash that stays within the line.
TEST(WrittenLayout, BreaksLinesBetweenWords) {
    const GlyphRow row =
        Converter(Alphabet::load(dataFolder)).row(u"Christopher Columbus"_s, Converter::WholeText);
    const QStringList words{u"Christopher"_s, u"Columbus"_s};
    for (const qreal length : {8.0, 3.0}) {
        SCOPED_TRACE(length);
        const WrittenLayout written = layOutWriting(row, {.cartouche = true, .lineLength = length});
        QStringList lines;
        for (const WrittenLayout::Line& line : written.lines) {
            QString letters;
            qsizetype last = 0;
            for (const qsizetype quadrat : line.quadrats)
                for (const QList<qsizetype>& signs : written.quadrats.at(quadrat).rows)
                    for (const qsizetype sign : signs) {
                        last = written.signs.at(sign).glyph;
                        letters += row.glyphs().at(last).letters;
                    }
            lines.append(letters);
            const bool endsWord =
                last + 1 == row.glyphs().size() || row.glyphs().at(last + 1).wordStart;
            EXPECT_EQ(line.continued.isNull(), endsWord) << letters.toStdString();
            EXPECT_LE((line.cartouche.boundingRect() | line.continued).width(), length);
        }
        EXPECT_EQ(lines.join(QString()), words.join(QString()));
        if (length == 8) {
            EXPECT_EQ(lines, words);
        }
    }
}

struct UnicodeCase {
    const char* text;
    Options options;
    bool controls;
    const char32_t* expected;
};

const UnicodeCase unicodeCases[] = {
    {"ntr", {}, false, U"\U00013216\U000133CF\U0001308B"},
    {"ntr", {}, true, U"\U00013216\U00013430\U000133CF\U00013430\U0001308B"},
    {"pp", {}, true, U"\U000132AA\U00013431\U000132AA"},
    {"nt", {.cartouche = true}, true, U"\U00013379\U00013216\U00013430\U000133CF\U0001337A"},
    {"p", {.determinative = Options::Determinative::Woman}, false, U"\U000132AA\U00013050"},
};

class Unicode : public testing::TestWithParam<UnicodeCase> {};

TEST_P(Unicode, WritesTheSignsInReadingOrder) {
    const UnicodeCase& c = GetParam();
    EXPECT_EQ(writtenUnicode(layout(QString::fromUtf8(c.text), c.options), c.controls),
              QString::fromUcs4(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Texts, Unicode, testing::ValuesIn(unicodeCases));

} // namespace
