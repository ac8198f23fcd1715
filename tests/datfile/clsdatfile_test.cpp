#include "datfile/clsdatfile.h"
#include "datfiletesting.h"
#include "fatalrecorder.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QLoggingCategory>

using namespace Qt::StringLiterals;

namespace {

const QList<QStringList> threeByTwo = {{u"a0"_s, u"b0"_s}, {u"a1"_s, u"b1"_s}, {u"a2"_s, u"b2"_s}};

// Collects the table's trace lines; with enable, switches its logging category on meanwhile.
class TraceCapture {
public:
    explicit TraceCapture(bool enable) {
        if (enable)
            QLoggingCategory::setFilterRules(u"scarabo.datfile.debug=true"_s);
        s_lines = &m_lines;
        m_previous = qInstallMessageHandler(record);
    }
    ~TraceCapture() {
        qInstallMessageHandler(m_previous);
        QLoggingCategory::setFilterRules({});
        s_lines = nullptr;
    }
    const QStringList& lines() const { return m_lines; }

private:
    static void record(QtMsgType, const QMessageLogContext& context, const QString& message) {
        if (QLatin1String(context.category) == QLatin1String("scarabo.datfile"))
            s_lines->append(message);
    }

    static inline QStringList* s_lines = nullptr;
    QtMessageHandler m_previous;
    QStringList m_lines;
};

} // namespace

TEST(clsDatFile, NewInstanceIsEmpty) {
    const clsDatFile table;
    EXPECT_EQ(table.Rows(), 0);
    EXPECT_EQ(table.Cols(), 0);
    EXPECT_EQ(table.FileName(), QString());
    EXPECT_EQ(table.FileType(), u"dat"_s);
    EXPECT_FALSE(table.Exists());
    EXPECT_EQ(table.Data(0, 0), QString());
    EXPECT_EQ(table.Col(0), QStringList());
}

TEST(clsDatFile, FileTypeFollowsTheFormatCode) {
    const std::pair<qint16, QString> cases[] = {{clsDatFile::fmtDat, u"dat"_s},
                                                {clsDatFile::fmtCsv, u"csv"_s},
                                                {clsDatFile::fmtCsvHeaders, u"csv"_s},
                                                {7, u"dat"_s},
                                                {-1, u"dat"_s}};
    for (const auto& [fmt, type] : cases) {
        clsDatFile table;
        table.setFmt(fmt);
        EXPECT_EQ(table.FileType(), type) << fmt;
    }
}

TEST(clsDatFile, CountBelowOneStopsWithItsMessage) {
    struct Case {
        void (clsDatFile::*setter)(qint16);
        qint16 n;
        QString message;
    };
    const Case cases[] = {
        {&clsDatFile::setRows, 0, u"clsDatFile.Rows out of bounds ( 0)"_s},
        {&clsDatFile::setRows, -3, u"clsDatFile.Rows out of bounds (-3)"_s},
        {&clsDatFile::setCols, -1, u"clsDatFile.Cols out of bounds (-1)"_s},
        {&clsDatFile::setCols, -32768, u"clsDatFile.Cols out of bounds (-32768)"_s},
    };
    for (const Case& c : cases) {
        const FatalRecorder recorder;
        clsDatFile table = tableOf(threeByTwo);
        EXPECT_THROW((table.*c.setter)(c.n), FatalStopped);
        EXPECT_EQ(recorder.lastMessage(), c.message);
        EXPECT_EQ(cellsOf(table), threeByTwo);
    }
}

TEST(clsDatFile, LoadWithoutFileNameStopsInEveryLayout) {
    for (qint16 fmt : {clsDatFile::fmtDat, clsDatFile::fmtCsv, clsDatFile::fmtCsvHeaders}) {
        const FatalRecorder recorder;
        clsDatFile table;
        table.setFmt(fmt);
        EXPECT_THROW(table.Load(), FatalStopped);
        EXPECT_EQ(recorder.lastMessage(), u"clsDatFile.Load: Filename not set"_s);
    }
}

TEST(clsDatFile, CellsOutsideTheCountsReadEmptyAndIgnoreWrites) {
    const std::pair<qint16, qint16> outside[] = {{3, 0}, {-1, 0}, {0, 2}, {0, -1}};
    clsDatFile table = tableOf(threeByTwo);
    for (const auto& [row, col] : outside) {
        table.setData(row, col, u"x"_s);
        EXPECT_EQ(table.Data(row, col), QString()) << row << ',' << col;
    }
    EXPECT_EQ(cellsOf(table), threeByTwo);
}

TEST(clsDatFile, ColAnswersOneStringPerRow) {
    const clsDatFile table = tableOf(threeByTwo);
    EXPECT_EQ(table.Col(0), QStringList({u"a0"_s, u"a1"_s, u"a2"_s}));
    EXPECT_EQ(table.Col(1), QStringList({u"b0"_s, u"b1"_s, u"b2"_s}));
    EXPECT_EQ(table.Col(2), QStringList(3));
    EXPECT_EQ(table.Col(-1), QStringList(3));
}

TEST(clsDatFile, MoveRowUpSwapsWithTheRowAboveInEveryColumn) {
    const std::pair<qint16, QList<int>> cases[] = {
        {0, {0, 1, 2}}, {3, {0, 1, 2}}, {-1, {0, 1, 2}}, {1, {1, 0, 2}}, {2, {0, 2, 1}}};
    for (const auto& [row, order] : cases) {
        clsDatFile table = tableOf(threeByTwo);
        table.MoveRowUp(row);
        QList<QStringList> expected;
        for (int from : order)
            expected.append(threeByTwo[from]);
        EXPECT_EQ(cellsOf(table), expected) << row;
    }
}

// Counts raised without Clear: a move that reaches a cell past the storage fails before it changes
// anything, so no stored cell is lost; one that stays inside the storage moves as usual.
TEST(clsDatFile, MoveRowUpAtTheStorageEdgeMovesIntactOrFailsChangingNothing) {
    const struct {
        qint16 rows, cols, row;
        int error;
        QList<int> order;
    } cases[] = {
        {4, 2, 2, 0, {0, 2, 1}},
        {4, 2, 3, 9, {0, 1, 2}},
        {3, 3, 1, 9, {0, 1, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows << " x " << c.cols << ", row " << c.row);
        clsDatFile table = tableOf(threeByTwo);
        table.setRows(c.rows);
        table.setCols(c.cols);
        EXPECT_EQ(errorNumberOf([&] { table.MoveRowUp(c.row); }), c.error);
        table.setRows(3);
        table.setCols(2);
        QList<QStringList> expected;
        for (int from : c.order)
            expected.append(threeByTwo[from]);
        EXPECT_EQ(cellsOf(table), expected);
    }
}

TEST(clsDatFile, ClearEmptiesEveryCellAndKeepsTheRest) {
    clsDatFile table = tableOf(threeByTwo);
    table.setFileName(u"keep.dat"_s);
    table.setFmt(clsDatFile::fmtCsv);
    table.Clear();
    EXPECT_EQ(cellsOf(table), QList<QStringList>(3, QStringList(2)));
    EXPECT_EQ(table.FileName(), u"keep.dat"_s);
    EXPECT_EQ(table.FileType(), u"csv"_s);
}

TEST(clsDatFile, RaisedCountsWithoutClearReachCellsThatReadEmptyAndIgnoreWrites) {
    clsDatFile table = tableOf(threeByTwo);
    table.setRows(4);
    table.setCols(3);
    table.setData(3, 0, u"x"_s);
    table.setData(0, 2, u"x"_s);
    EXPECT_EQ(cellsOf(table), QList<QStringList>({{u"a0"_s, u"b0"_s, {}},
                                                  {u"a1"_s, u"b1"_s, {}},
                                                  {u"a2"_s, u"b2"_s, {}},
                                                  {{}, {}, {}}}));
}

TEST(clsDatFile, LargestTableHoldsOnlyTheCellsWritten) {
    clsDatFile table;
    table.setRows(32767);
    table.setCols(32767);
    table.Clear();
    table.setData(32766, 32766, u"corner"_s);
    EXPECT_EQ(table.Data(32766, 32766), u"corner"_s);
    EXPECT_EQ(table.Data(0, 0), QString());
    EXPECT_EQ(table.Col(32766).size(), 32767);
}

TEST(clsDatFile, ExistsMatchesNormalFilesOnly) {
    const ScratchFolder folder;
    folder.write(u"Alpha.dat"_s, "1,1\r\n");
    folder.write(u"a[1].dat"_s, "");
    folder.write(u".hidden.dat"_s, "");
    ASSERT_TRUE(QDir(folder.root()).mkdir(u"sub.dat"_s));
    const std::pair<QString, bool> cases[] = {
        {folder.path(u"Alpha.dat"_s), true},
        {folder.path(u"*.dat"_s), true},
        {folder.path(u"?lpha.dat"_s), true},
        {folder.path(u"a[1].dat"_s), true},
        {folder.path(u"*.csv"_s), false},
        {folder.path(u"Beta.dat"_s), false},
        {folder.path(u"alpha.dat"_s), false},
        {folder.path(u".hidden.dat"_s), false},
        {folder.path(u"sub.dat"_s), false},
        {folder.path(u"sub.*"_s), false},
        {folder.root(), false},
        {QString(), false},
    };
    for (const auto& [name, exists] : cases) {
        clsDatFile table;
        table.setFileName(name);
        EXPECT_EQ(table.Exists(), exists) << name.toStdString();
    }
}

TEST(clsDatFile, TraceIsOffByDefault) {
    const TraceCapture trace(false);
    clsDatFile table;
    table.setFmt(7);
    table.FileType();
    EXPECT_EQ(trace.lines(), QStringList());
}

TEST(clsDatFile, UnknownFormatFailsChangingNothingAndTraces) {
    const ScratchFolder folder;
    const TraceCapture trace(true);
    clsDatFile table = tableOf(threeByTwo);
    table.setFileName(folder.write(u"t.dat"_s, "1,1\r\nx\r\n"));
    table.setFmt(5);
    EXPECT_EQ(errorNumberOf([&table] { table.Load(); }), 5);
    EXPECT_EQ(cellsOf(table), threeByTwo);
    table.setFileName(folder.path(u"new.dat"_s));
    EXPECT_EQ(errorNumberOf([&table] { table.Save(); }), 5);
    table.FileType();
    EXPECT_FALSE(QFile::exists(table.FileName()));
    EXPECT_EQ(trace.lines(),
              QStringList({u"clsDatFile.Load: Fn=%1 Invalid fmt 5"_s.arg(folder.path(u"t.dat"_s)),
                           u"clsDatFile.Save: Fn=%1 Invalid fmt 5"_s.arg(table.FileName()),
                           u"clsDatFile.FileType: error in myFmt 5"_s}));
}

TEST(clsDatFile, SaveWithoutFileNameFailsWithBadFileName) {
    const TraceCapture trace(true);
    for (qint16 fmt : {clsDatFile::fmtDat, clsDatFile::fmtCsv, clsDatFile::fmtCsvHeaders}) {
        clsDatFile table = tableOf(threeByTwo);
        table.setFmt(fmt);
        table.setHeaders({u"h0"_s, u"h1"_s});
        EXPECT_EQ(errorNumberOf([&table] { table.Save(); }), 52) << fmt;
    }
    EXPECT_EQ(trace.lines(), QStringList(3, u"clsDatFile.Save: Filename not set"_s));
}
