#include "datfile/datlinereader.h"
#include "datfiletesting.h"

#include <gtest/gtest.h>
#include <QStringEncoder>

using namespace Qt::StringLiterals;

namespace {

struct LineCase {
    QByteArray bytes;
    QStringList lines;
};

const LineCase lineCases[] = {
    {"", {}},
    {"a\r\nb\r\n", {u"a"_s, u"b"_s}},
    {"a\r\nb", {u"a"_s, u"b"_s}},
    {"a\rb\r", {u"a"_s, u"b"_s}},
    {"a\nb\r\nc\n", {u"a\nb"_s, u"c\n"_s}},
    {"\r\n\r\n", {u""_s, u""_s}},
    {"a\r\r\nb", {u"a"_s, u""_s, u"b"_s}},
    {"\n\r\n", {u"\n"_s}},
};

QStringList allLines(DatLineReader& reader) {
    QStringList lines;
    while (!reader.atEnd())
        lines.append(reader.readLine());
    return lines;
}

} // namespace

TEST(DatLineReader, EndsLinesAtCrLfOrLoneCrButNotAtLoneLf) {
    const ScratchFolder folder;
    for (const LineCase& c : lineCases) {
        SCOPED_TRACE(c.bytes.toStdString());
        DatLineReader reader(folder.write(u"lines.txt"_s, c.bytes));
        EXPECT_EQ(allLines(reader), c.lines);
        EXPECT_EQ(errorNumberOf([&reader] { reader.readLine(); }), 62);
    }
}

TEST(DatLineReader, DecodesTheSystemCodePage) {
    const ScratchFolder folder;
    const QString text = u"Käfer,\u00df"_s;
    QStringEncoder encoder(QStringConverter::System);
    DatLineReader reader(folder.write(u"text.txt"_s, encoder(text)));
    EXPECT_EQ(reader.readLine(), text);
}
