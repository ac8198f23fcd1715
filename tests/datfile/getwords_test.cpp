#include "datfile/getwords.h"
#include "datfiletesting.h"
#include "plaingetwords.h"

#include <gtest/gtest.h>
#include <QStringEncoder>

using namespace Qt::StringLiterals;

namespace {

struct SplitCase {
    QString line;
    QStringList fields; // fields 1..k; none when the line yields no fields
};

const SplitCase splitCases[] = {
    // Unquoted fields: blanks at the edges go, inner blanks, tabs and quotes stay.
    {u"a"_s, {u"a"_s}},
    {u"a, b ,c"_s, {u"a"_s, u"b"_s, u"c"_s}},
    {u"a,,b"_s, {u"a"_s, u""_s, u"b"_s}},
    {u",a"_s, {u""_s, u"a"_s}},
    {u"  a b  "_s, {u"a b"_s}},
    {u"\ta,b\t"_s, {u"\ta"_s, u"b\t"_s}},
    {u"ab\"c,d\""_s, {u"ab\"c"_s, u"d\""_s}},
    // Quoted fields: commas kept, "" is one quote, blanks at the edges go.
    {u"\"x,y\",z"_s, {u"x,y"_s, u"z"_s}},
    {u"\"a\"\"b\""_s, {u"a\"b"_s}},
    {u"\"\"\"a\",\"a\"\"\""_s, {u"\"a"_s, u"a\""_s}},
    {u"\"\"\"\",\"\""_s, {u"\""_s, u""_s}},
    {u"  \" a \"  ,b"_s, {u"a"_s, u"b"_s}},
    // A quote after a closing quote and blanks continues the field without the new quote.
    {u"\"ab\" \"c\""_s, {u"ab\" c"_s}},
    // A lone LF inside the line ends an open field, belongs to a quoted one, or starts a field.
    {u"a\nb"_s, {u"a"_s, u"b"_s}},
    {u"\"a\"\nb"_s, {u"a"_s, u"b"_s}},
    {u"\"a\nb\""_s, {u"a\nb"_s}},
    {u"a,\n"_s, {u"a"_s, u"\n"_s}},
    // No fields at all.
    {u""_s, {}},
    {u"   "_s, {}},
    {u"a,b,"_s, {}},
    {u"a,b,  "_s, {}},
    {u"\"abc"_s, {}},
    {u"a,\"b,c"_s, {}},
    {u"\"a\"b,c"_s, {}},
    {u"\"a\" b"_s, {}},
    {u"a\n"_s, {}},
};

// Unquoted fields are scanned eight bytes (four characters) at a time. Each line is tried behind
// every count of leading characters up to two whole words, so that each quote, comma, blank and LF
// falls on both sides of a word boundary, in the bytes of a file and in text alike.
const QString straddlingLines[] = {
    u"a,b"_s,
    u"abcdefg,h"_s,
    u"abcdefgh,ijklmnopq,r"_s,
    u"abcdefghijklmnopqrstuvwxyz"_s,
    u" a , b ,c  ,  d"_s,
    u"a,,b,,,c"_s,
    u"ab\"cdefg\"h,i\"j"_s,
    u"\"abc,def\" , \"g\"\"h\",ijklmnop"_s,
    u"abcdefg\nhijklmno\np"_s,
    u"abc,\"de\nf\",ghijk,"_s,
    u"\u00e4\u00e4\u00e4\u00e4,\u00df\u00df\u00df,x"_s,
    u"a\U00013000b,\U00013000\U00013000\U00013000,c"_s,
};

QString repeatedFields(int count) {
    QStringList fields;
    for (int i = 1; i <= count; ++i)
        fields.append(QString::number(i));
    return fields.join(u',');
}

} // namespace

TEST(GetWords, SplitsEachLineAsTheTableSays) {
    for (const SplitCase& c : splitCases) {
        SCOPED_TRACE(c.line.toStdString());
        EXPECT_EQ(GetWords(c.line), QStringList{QString()} + c.fields);
    }
}

TEST(GetWords, MarksAcrossWordBoundariesSplitAsThePlainSplitterDoes) {
    QStringEncoder toSystem(QStringConverter::System);
    for (const QString& pattern : straddlingLines) {
        for (const QChar lead : {u'x', u' '}) {
            for (int shift = 0; shift <= 16; ++shift) {
                const QString line = QString(shift, lead) + pattern;
                SCOPED_TRACE(line.toStdString());
                const QStringList expected = plainGetWords(line);
                EXPECT_EQ(GetWords(line), expected);
                const QByteArray bytes = toSystem(line);
                EXPECT_EQ(QStringList{QString()} + splitFields(bytes).toStringList(), expected);
            }
        }
    }
}

TEST(GetWords, HoldsEightyFieldsAndFailsOnTheEightyFirst) {
    const QStringList eighty = GetWords(repeatedFields(80));
    ASSERT_EQ(eighty.size(), 81);
    EXPECT_EQ(eighty.first(), QString());
    EXPECT_EQ(eighty.last(), u"80"_s);
    EXPECT_EQ(errorNumberOf([] { GetWords(repeatedFields(81)); }), 9);
    EXPECT_EQ(errorNumberOf([] { GetWords(repeatedFields(80) + u','); }), 0);
    EXPECT_EQ(errorNumberOf([] { GetWords(repeatedFields(80) + u",x"_s); }), 9);
}

TEST(GetWords, FailsWithOverflowBeyond32765Characters) {
    EXPECT_EQ(GetWords(QString(32765, u'a')).size(), 2);
    EXPECT_EQ(errorNumberOf([] { GetWords(QString(32766, u'a')); }), 6);
}
