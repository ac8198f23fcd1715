// Load in each of the three layouts from the fuzzer's bytes, written to a file. A load ends
// normally, in a run-time error or in a fatal check; one that ends normally leaves the cells that
// the plain reading of the file gives, in a table of sound shape which, when it has at most 80
// columns (what a line holds when read back), saves and loads back to the same table, unless a
// line grows past 32,765 characters by its quotes, which the save refuses.

#include "datfile/clsdatfile.h"
#include "datfiletesting.h"
#include "fuzzsupport.h"
#include "plainload.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

namespace {

// Larger tables (a counts line may promise 32,767 x 32,767 cells) only slow the search down.
constexpr int maxCells = 4000;
constexpr qint16 maxFieldsRead = 80;
constexpr qsizetype maxLineLength = 32765;
constexpr qsizetype maxTablesRemembered = 1 << 16;

// In memory where the machine allows it: every save syncs its file to disk.
const QTemporaryDir& folder() {
    static const QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                       ? QStringLiteral("/dev/shm/scarabo-fuzz-XXXXXX")
                                       : QDir::tempPath() + QStringLiteral("/scarabo-fuzz-XXXXXX"));
    return dir;
}

const QString& inputPath() {
    static const QString path = folder().filePath(QStringLiteral("input"));
    return path;
}

const QString& savedPath() {
    static const QString path = folder().filePath(QStringLiteral("saved"));
    return path;
}

const QString& writeInput(const QByteArray& bytes) {
    const QString& path = inputPath();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        FuzzSupport::finding(QStringLiteral("cannot write %1").arg(path));
    return path;
}

void require(bool condition, qint16 fmt, const char* what) {
    if (!condition)
        FuzzSupport::finding(QStringLiteral("layout %1: %2").arg(fmt).arg(QLatin1String(what)));
}

void checkCounts(const clsDatFile& table, qint16 fmt) {
    require(table.Rows() >= 0 && table.Cols() >= 0, fmt, "negative counts after a load");
    if (fmt != clsDatFile::fmtDat)
        require(table.Rows() >= 1 && table.Cols() >= 1 && table.Cols() <= maxFieldsRead, fmt,
                "a csv table outside 1..80 columns or without rows");
    require(table.Col(0).size() == table.Rows(), fmt, "Col(0) is not one cell per row");
}

void checkAgainstPlainReading(const QByteArray& bytes, const clsDatFile& table, qint16 fmt,
                              const QList<QStringList>& cells) {
    const QList<QStringList> expected = fmt == clsDatFile::fmtDat
                                            ? plainDatRows(bytes, table.Rows(), table.Cols())
                                            : plainCsvRows(bytes, fmt == clsDatFile::fmtCsvHeaders);
    require(cells == expected, fmt, "the cells differ from the plain reading of the file");
}

// No CR in a cell (it ends a line) and no blank at a cell's edge (the splitter trims them).
void checkCells(const QList<QStringList>& cells, qint16 fmt) {
    for (const QStringList& row : cells)
        for (const QString& cell : row)
            require(!cell.contains(u'\r') && !cell.startsWith(u' ') && !cell.endsWith(u' '), fmt,
                    "a cell with a CR or a blank at its edge");
}

bool quotesAnOverlongLine(const QList<QStringList>& cells) {
    for (const QStringList& row : cells) {
        qsizetype length = row.size() - 1; // the commas
        for (const QString& cell : row)
            length += cell.size() + cell.count(u'"') + 2;
        if (length > maxLineLength)
            return true;
    }
    return false;
}

void checkSavesAndLoadsBack(const clsDatFile& table, qint16 fmt, const QList<QStringList>& cells) {
    clsDatFile saved = table;
    saved.setFileName(savedPath());
    QStringList headers;
    for (qint16 col = 0; col < table.Cols(); ++col)
        headers.append(QStringLiteral("h%1").arg(col));
    saved.setHeaders(headers);
    const int saveError = FuzzSupport::errorOf([&saved] { saved.Save(); });
    if (quotesAnOverlongLine(cells)) {
        require(saveError == 6, fmt, "a line over 32,765 characters was not refused");
        return;
    }
    require(saveError == 0, fmt, "the save failed");

    clsDatFile loaded;
    loaded.setFileName(saved.FileName());
    loaded.setFmt(fmt);
    require(FuzzSupport::errorOf([&loaded] { loaded.Load(); }) == 0, fmt, "the saved file fails");
    require(loaded.Rows() == table.Rows() && loaded.Cols() == table.Cols(), fmt,
            "the saved file loads with other counts");
    require(cellsOf(loaded) == cells, fmt, "the saved file loads with other cells");
}

// About half of the mutated inputs load into a table already saved and read back, whose round trip
// can only end as it did then; skipping it leaves more of the run for tables not yet tried. The
// tables are remembered by hash, and forgotten in bulk so that memory stays flat.
bool isNewTable(const QList<QStringList>& cells, qint16 fmt) {
    static QSet<size_t> tried;
    if (tried.size() >= maxTablesRemembered)
        tried.clear();
    const size_t key = qHash(cells, static_cast<size_t>(fmt));
    if (tried.contains(key))
        return false;
    tried.insert(key);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString& path = writeInput(bytes);
    for (const qint16 fmt : {clsDatFile::fmtDat, clsDatFile::fmtCsv, clsDatFile::fmtCsvHeaders}) {
        clsDatFile table;
        table.setFileName(path);
        table.setFmt(fmt);
        if (FuzzSupport::errorOf([&table] { table.Load(); }) != 0)
            continue;
        checkCounts(table, fmt);
        if (table.Cols() > maxFieldsRead || table.Rows() * table.Cols() > maxCells)
            continue;
        const QList<QStringList> cells = cellsOf(table);
        checkAgainstPlainReading(bytes, table, fmt, cells);
        checkCells(cells, fmt);
        if (isNewTable(cells, fmt))
            checkSavesAndLoadsBack(table, fmt, cells);
    }
    return 0;
}
