#include "datfile/clsdatfile.h"
#include "datfiletesting.h"
#include "fatalrecorder.h"
#include "permissionsenforced.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QScopeGuard>

using namespace Qt::StringLiterals;

namespace {

using Table = QList<QStringList>;

constexpr qint16 layouts[] = {clsDatFile::fmtDat, clsDatFile::fmtCsv, clsDatFile::fmtCsvHeaders};

clsDatFile boundTo(const QString& path, qint16 fmt, const Table& rows = {}) {
    clsDatFile table = rows.isEmpty() ? clsDatFile() : tableOf(rows);
    table.setFileName(path);
    table.setFmt(fmt);
    return table;
}

QByteArray fieldsLine(int count) {
    QByteArray line;
    for (int i = 0; i < count; ++i)
        line += "f,";
    line.chop(1);
    return line + "\r\n";
}

// From easy to hard: one cell; plain cells; a distinct value per column, so a shifted field shows;
// quotes, commas, blanks, empty cells, a lone LF and text beyond ASCII.
const Table roundTrips[] = {
    {{u"a"_s}},
    {{u"a"_s, u"b"_s}, {u"c"_s, u"d"_s}},
    {{u"r0c0"_s, u"r0c1"_s, u"r0c2"_s}, {u"r1c0"_s, u"r1c1"_s, u"r1c2"_s}},
    {{u"say \"hi\""_s, u"x,y"_s, u"a b"_s, u""_s},
     {u""_s, u"\""_s, u","_s, u"\"\""_s},
     {u"K\u00e4fer \u00df"_s, u"tab\there"_s, u"line\nfeed"_s, u"\" , \""_s}},
};

struct LoadCase {
    qint16 fmt;
    QByteArray bytes;
    qint16 cols;
    Table cells;
};

const LoadCase loadCases[] = {
    {clsDatFile::fmtDat,
     "2,3\r\na,b,c\r\nd,e\r\n",
     3,
     {{u"a"_s, u"b"_s, u"c"_s}, {u""_s, u""_s, u""_s}}},
    {clsDatFile::fmtDat, "0,0", 0, {}},
    {clsDatFile::fmtDat, " 2 , 1 \r\nx\r\n\"y\"", 1, {{u"x"_s}, {u"y"_s}}},
    {clsDatFile::fmtDat, "1,2\r\na,b\r\n" + fieldsLine(81), 2, {{u"a"_s, u"b"_s}}},
    {clsDatFile::fmtDat, "2,2\r\n\"a\" x,b\r\nc,d\r\n", 2, {{u""_s, u""_s}, {u""_s, u""_s}}},
    {clsDatFile::fmtCsv,
     "a,b\r\nc,d\r\ne,f\r\n\r\ng,h\r\ni,j\r\n",
     2,
     {{u"a"_s, u"b"_s}, {u"c"_s, u"d"_s}, {u"e"_s, u"f"_s}}},
    {clsDatFile::fmtCsv, "a,b\r\nc\r\nd,e", 2, {{u"a"_s, u"b"_s}}},
    {clsDatFile::fmtCsv,
     "a,b\nc,d\re,f,g,h\r\nx",
     4,
     {{u"a"_s, u"b"_s, u"c"_s, u"d"_s}, {u"e"_s, u"f"_s, u"g"_s, u"h"_s}}},
    {clsDatFile::fmtCsvHeaders, "h1,h2,h3\r\na,b\r\nc,d", 2, {{u"a"_s, u"b"_s}, {u"c"_s, u"d"_s}}},
};

struct FailingLoad {
    qint16 fmt;
    QByteArray bytes;
    int error;
};

const FailingLoad failingLoads[] = {
    {clsDatFile::fmtDat, "", 62},
    {clsDatFile::fmtDat, "2,2\r\na,b\r\n", 62},
    {clsDatFile::fmtCsv, "", 62},
    {clsDatFile::fmtCsvHeaders, "h1,h2\r\n", 62},
    {clsDatFile::fmtDat, "x,2\r\n", 13},
    {clsDatFile::fmtDat, "2\r\n", 13},
    {clsDatFile::fmtDat, "1,2\n\"a\",\"b\"\n", 13},
    {clsDatFile::fmtDat, "40000,1\r\n", 6},
    {clsDatFile::fmtDat, "-1,2\r\n", 9},
    {clsDatFile::fmtDat, "1,81\r\n" + fieldsLine(81), 9},
    {clsDatFile::fmtCsv, fieldsLine(2) + fieldsLine(81), 9},
    {clsDatFile::fmtCsv, QByteArray(40000, 'a'), 6},
};

// Tables that would not load back the same; description: how the error's description begins.
struct RefusedSave {
    const char* what;
    qint16 fmt;
    Table cells;
    QStringList headers;
    int error; // 0: the table is saved
    QString description = {};
};

const RefusedSave refusedSaves[] = {
    {"CR in a cell",
     clsDatFile::fmtDat,
     {{u"a"_s, u"b"_s}, {u"c"_s, u"d\re"_s}},
     {},
     5,
     u"Invalid procedure call or argument: row 1, column 1"_s},
    {"CR in a header name",
     clsDatFile::fmtCsvHeaders,
     {{u"a"_s, u"b"_s}},
     {u"h"_s, u"\r"_s},
     5,
     u"Invalid procedure call or argument: header line, column 1"_s},
    {"blanks at the edges, lost on loading", clsDatFile::fmtCsv, {{u" a "_s}}, {}, 0},
    {"80 columns", clsDatFile::fmtCsv, {QStringList(80)}, {}, 0},
    {"81 columns",
     clsDatFile::fmtDat,
     {QStringList(81)},
     {},
     9,
     u"Subscript out of range: row 0, column 80"_s},
    {"81 header names",
     clsDatFile::fmtCsvHeaders,
     {QStringList(81)},
     QStringList(81),
     9,
     u"Subscript out of range: header line, column 80"_s},
    {"a line of 32,765 characters", clsDatFile::fmtDat, {{QString(32763, u'a')}}, {}, 0},
    {"a line of 32,766 characters",
     clsDatFile::fmtCsv,
     {{u"a"_s}, {QString(32764, u'a')}},
     {},
     6,
     u"Overflow: row 1, column 0"_s},
    {"a line that passes the limit at its second cell",
     clsDatFile::fmtDat,
     {{QString(20000, u'a'), QString(20000, u'"')}},
     {},
     6,
     u"Overflow: row 0, column 1"_s},
};

} // namespace

TEST(DatFileFormats, SavedTableLoadsBackInEveryLayout) {
    const ScratchFolder folder;
    for (qint16 fmt : layouts) {
        for (const Table& cells : roundTrips) {
            SCOPED_TRACE(testing::Message() << "layout " << fmt << ", " << cells.size() << " rows");
            clsDatFile saved = boundTo(folder.path(u"t.txt"_s), fmt, cells);
            saved.setHeaders({u"H0"_s, u"H1"_s, u"H2"_s, u"H3"_s});
            saved.Save();
            clsDatFile loaded = boundTo(saved.FileName(), fmt);
            loaded.Load();
            EXPECT_EQ(loaded.Cols(), cells.first().size());
            EXPECT_EQ(cellsOf(loaded), cells);
        }
    }
}

TEST(DatFileFormats, SaveWritesEveryFieldQuotedAndCrLfLineEnds) {
    const Table twoByTwo = {{u"a"_s, u"b"_s}, {u""_s, u"d"_s}};
    const std::pair<qint16, QByteArray> cases[] = {
        {clsDatFile::fmtDat, "2,2\r\n\"a\",\"b\"\r\n\"\",\"d\"\r\n"},
        {clsDatFile::fmtCsv, "\"a\",\"b\"\r\n\"\",\"d\"\r\n"},
        {clsDatFile::fmtCsvHeaders, "\"say \"\"hi\"\"\",\"\"\r\n\"a\",\"b\"\r\n\"\",\"d\"\r\n"},
    };
    const ScratchFolder folder;
    for (const auto& [fmt, bytes] : cases) {
        clsDatFile table = boundTo(folder.path(u"t.txt"_s), fmt, twoByTwo);
        table.setHeaders({u"say \"hi\""_s, u""_s, u"unused"_s});
        table.Save();
        EXPECT_EQ(folder.read(u"t.txt"_s), bytes) << fmt;
    }
}

TEST(DatFileFormats, LoadStopsAtTheFirstRowOfAnotherWidth) {
    const ScratchFolder folder;
    for (const LoadCase& c : loadCases) {
        SCOPED_TRACE(c.bytes.toStdString());
        clsDatFile table = boundTo(folder.write(u"t.txt"_s, c.bytes), c.fmt);
        table.Load();
        EXPECT_EQ(table.Rows(), c.cells.size());
        EXPECT_EQ(table.Cols(), c.cols);
        EXPECT_EQ(cellsOf(table), c.cells);
    }
}

TEST(DatFileFormats, LoadFailsWithTheErrorOfTheFault) {
    const ScratchFolder folder;
    for (const FailingLoad& c : failingLoads) {
        SCOPED_TRACE(c.bytes.left(40).toStdString());
        clsDatFile table = boundTo(folder.write(u"t.txt"_s, c.bytes), c.fmt);
        EXPECT_EQ(errorNumberOf([&table] { table.Load(); }), c.error);
    }
}

TEST(DatFileFormats, FailedLoadLeavesTheTableAsFarAsItCame) {
    const ScratchFolder folder;
    clsDatFile table = boundTo(folder.write(u"t.dat"_s, "3,1\r\nx\r\ny\r\n"), clsDatFile::fmtDat);
    EXPECT_EQ(errorNumberOf([&table] { table.Load(); }), 62);
    EXPECT_EQ(cellsOf(table), Table({{u"x"_s}, {u"y"_s}, {u""_s}}));
}

TEST(DatFileFormats, CsvWhoseFirstDataLineHasNoFieldsStops) {
    const ScratchFolder folder;
    const FatalRecorder recorder;
    clsDatFile table = boundTo(folder.write(u"t.csv"_s, "\r\na,b\r\n"), clsDatFile::fmtCsv);
    EXPECT_THROW(table.Load(), FatalStopped);
    EXPECT_EQ(recorder.lastMessage(), u"clsDatFile.Cols out of bounds ( 0)"_s);
}

TEST(DatFileFormats, LoadKeepsFileNameAndHeaderNames) {
    const ScratchFolder folder;
    const QString path = folder.write(u"in.csv"_s, "x,y\r\n1,2\r\n");
    clsDatFile table = boundTo(path, clsDatFile::fmtCsvHeaders);
    table.setHeaders({u"A"_s, u"B"_s});
    table.Load();
    EXPECT_EQ(table.FileName(), path);
    table.setFileName(folder.path(u"out.csv"_s));
    table.Save();
    EXPECT_EQ(folder.read(u"out.csv"_s), "\"A\",\"B\"\r\n\"1\",\"2\"\r\n");
}

TEST(DatFileFormats, FileErrorsNameThePath) {
    const ScratchFolder folder;
    const QString unreadable = folder.write(u"unreadable.dat"_s, "1,1\r\nx\r\n");
    ASSERT_TRUE(QFile::setPermissions(unreadable, {}));
    struct Case {
        QString path;
        bool save;
        int number;
    };
    const Case cases[] = {
        {folder.path(u"missing.dat"_s), false, 53},
        {folder.path(u"no folder/t.dat"_s), false, 76},
        {folder.root(), false, 75},
        {unreadable, false, 75},
        {folder.path(u"no folder/t.dat"_s), true, 76},
        {folder.root(), true, 75},
    };
    const PermissionsEnforced enforced;
    for (const Case& c : cases) {
        clsDatFile table = boundTo(c.path, clsDatFile::fmtDat, {{u"a"_s}});
        try {
            c.save ? table.Save() : table.Load();
            ADD_FAILURE() << "no error for " << c.path.toStdString();
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), c.number) << error.what();
            EXPECT_TRUE(error.description().contains(c.path)) << error.what();
        }
    }
}

TEST(DatFileFormats, SaveCsvChecksHeaderNamesBeforeTouchingTheFile) {
    const ScratchFolder folder;
    const QByteArray old = "old contents\r\n";
    for (const QStringList& headers : {QStringList(), QStringList{u"only one"_s}}) {
        clsDatFile table =
            boundTo(folder.write(u"t.csv"_s, old), clsDatFile::fmtCsvHeaders, {{u"a"_s, u"b"_s}});
        table.setHeaders(headers);
        EXPECT_EQ(errorNumberOf([&table] { table.Save(); }), 9);
        EXPECT_EQ(folder.read(u"t.csv"_s), old);
    }
}

TEST(DatFileFormats, SaveRefusesATableThatWouldNotLoadBackAndKeepsTheOldFile) {
    const ScratchFolder folder;
    const QByteArray old = "old contents\r\n";
    const FatalRecorder recorder;
    for (const RefusedSave& c : refusedSaves) {
        SCOPED_TRACE(c.what);
        clsDatFile table = boundTo(folder.write(u"t.txt"_s, old), c.fmt, c.cells);
        table.setHeaders(c.headers);
        try {
            table.Save();
            EXPECT_EQ(c.error, 0) << "saved";
            clsDatFile loaded = boundTo(table.FileName(), c.fmt);
            loaded.Load();
            Table trimmed = c.cells;
            for (QStringList& row : trimmed)
                for (QString& cell : row)
                    cell = cell.trimmed();
            EXPECT_EQ(cellsOf(loaded), trimmed);
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), c.error) << error.what();
            EXPECT_TRUE(error.description().startsWith(c.description)) << error.what();
            EXPECT_EQ(folder.read(u"t.txt"_s), old);
        } catch (const FatalStopped& stop) {
            ADD_FAILURE() << "the saved file does not load: " << stop.what();
        }
    }
}

// The folder is made read-only and, when the test runs as root, the test thread gives up root's
// right to ignore that, so the save truly cannot create a temporary file there. The file itself is
// then written in place when it may be written.
TEST(DatFileFormats, SaveIntoAFolderThatTakesNoNewFileWritesTheFileInPlace) {
    const QByteArray old = "1,1\r\n\"old\"\r\n";
    const QByteArray saved = "2,2\r\n\"new\",\"longer\"\r\n\"table\",\"here\"\r\n";
    const struct {
        const char* what;
        bool exists;
        QFile::Permissions file;
        int error;
        QByteArray contents;
    } cases[] = {
        {"a writable file", true, QFile::ReadOwner | QFile::WriteOwner, 0, saved},
        {"a read-only file", true, QFile::ReadOwner, 75, old},
        {"no file yet", false, {}, 75, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ScratchFolder folder;
        const QString path = folder.path(u"t.dat"_s);
        if (c.exists) {
            folder.write(u"t.dat"_s, old);
            ASSERT_TRUE(QFile::setPermissions(path, c.file));
        }
        const clsDatFile table =
            boundTo(path, clsDatFile::fmtDat, {{u"new"_s, u"longer"_s}, {u"table"_s, u"here"_s}});
        const QFile::Permissions writable = QFile::permissions(folder.root());
        ASSERT_TRUE(QFile::setPermissions(folder.root(), QFile::ReadOwner | QFile::ExeOwner));
        const auto restore = qScopeGuard([&] { QFile::setPermissions(folder.root(), writable); });
        const PermissionsEnforced enforced;
        if (QFile probe(folder.path(u"probe"_s)); probe.open(QIODevice::WriteOnly))
            GTEST_SKIP() << "this machine does not enforce folder permissions";

        EXPECT_EQ(errorNumberOf([&table] { table.Save(); }), c.error);
        EXPECT_EQ(folder.read(u"t.dat"_s), c.contents);
        EXPECT_EQ(QDir(folder.root()).entryList(QDir::Files | QDir::Hidden),
                  c.exists ? QStringList(u"t.dat"_s) : QStringList());
    }
}
