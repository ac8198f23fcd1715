// Loading a large data file: 32,767 rows of 20 fields, some of them quoted with commas and doubled
// quotes inside, in layout 0 (LoadDat) and layout 1 (LoadCsv). Beside them, on the same bytes,
// Python 3's csv.reader (the yardstick a user would reach for) and a plain read of the file (the
// floor). Every row reports bytes per second, so the table compares them directly.

#include "datfile/clsdatfile.h"

#include <benchmark/benchmark.h>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <random>

namespace {

constexpr qint16 Rows = 32767;
constexpr int Cols = 20;

QString randomWord(std::mt19937& engine, int minLength, int maxLength) {
    const int length = minLength + static_cast<int>(engine() % unsigned(maxLength - minLength + 1));
    QString word;
    for (int i = 0; i < length; ++i)
        word += QChar(static_cast<char16_t>(u'a' + engine() % 26));
    return word;
}

// Mostly plain words; every fourth field is quoted, and some quoted ones hold a comma, a blank or
// a doubled quote.
QByteArray field(std::mt19937& engine, int col) {
    QString text = randomWord(engine, 10, 60);
    if (col % 4 != 1)
        return text.toUtf8();
    switch (engine() % 4) {
    case 0:
        text += QStringLiteral(", ") + randomWord(engine, 3, 10);
        break;
    case 1:
        text += QStringLiteral("\"\"") + randomWord(engine, 3, 10) + QStringLiteral("\"\"");
        break;
    default:
        break;
    }
    return '"' + text.toUtf8() + '"';
}

QByteArray rowLines() {
    std::mt19937 engine(2024);
    QByteArray bytes;
    for (int row = 0; row < Rows; ++row) {
        for (int col = 0; col < Cols; ++col) {
            bytes += field(engine, col);
            bytes += col + 1 < Cols ? "," : "\r\n";
        }
    }
    return bytes;
}

// The two files live in one folder for the whole run.
class InputFiles {
public:
    InputFiles() {
        const QByteArray rows = rowLines();
        write(csvPath(), rows);
        write(datPath(), QByteArray::number(Rows) + ',' + QByteArray::number(Cols) + "\r\n" + rows);
    }
    QString csvPath() const { return m_dir.filePath(QStringLiteral("rows.csv")); }
    QString datPath() const { return m_dir.filePath(QStringLiteral("rows.dat")); }

private:
    static void write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the benchmark input %s", qPrintable(path));
    }

    QTemporaryDir m_dir;
};

const InputFiles& inputs() {
    static const InputFiles files;
    return files;
}

void reportBytes(benchmark::State& state, const QString& path) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * QFile(path).size());
}

void load(benchmark::State& state, qint16 fmt, const QString& path) {
    for (auto _ : state) {
        clsDatFile table;
        table.setFileName(path);
        table.setFmt(fmt);
        table.Load();
        if (table.Rows() != Rows || table.Cols() != Cols)
            state.SkipWithError("the file did not load whole");
        benchmark::DoNotOptimize(table);
    }
    reportBytes(state, path);
}

void LoadDat(benchmark::State& state) {
    load(state, clsDatFile::fmtDat, inputs().datPath());
}

void LoadCsv(benchmark::State& state) {
    load(state, clsDatFile::fmtCsv, inputs().csvPath());
}

// The table keeps the cells as the file's bytes and decodes a cell when it is read; Python's reader
// makes a string of every field at once. Reading every cell after the load shows the whole cost.
void LoadDatAndReadEveryCell(benchmark::State& state) {
    for (auto _ : state) {
        clsDatFile table;
        table.setFileName(inputs().datPath());
        table.Load();
        for (qint16 row = 0; row < table.Rows(); ++row)
            for (qint16 col = 0; col < table.Cols(); ++col)
                benchmark::DoNotOptimize(table.Data(row, col));
    }
    reportBytes(state, inputs().datPath());
}

void ReadBytes(benchmark::State& state) {
    for (auto _ : state) {
        QFile file(inputs().csvPath());
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot open the input");
        benchmark::DoNotOptimize(file.readAll());
    }
    reportBytes(state, inputs().csvPath());
}

// Python times its own reading, so its start-up stays out of the figure.
constexpr char pythonCsvReader[] = R"(
import csv, sys, time
start = time.process_time()
with open(sys.argv[1], newline="", encoding="utf-8") as f:
    rows = sum(1 for _ in csv.reader(f))
print(time.process_time() - start, rows)
)";

void PythonCsvReader(benchmark::State& state) {
    for (auto _ : state) {
        QProcess python;
        python.start(
            QStringLiteral("/usr/bin/python3"),
            {QStringLiteral("-c"), QString::fromLatin1(pythonCsvReader), inputs().csvPath()});
        if (!python.waitForFinished(-1) || python.exitCode() != 0) {
            state.SkipWithError("/usr/bin/python3 failed");
            break;
        }
        const QList<QByteArray> answer = python.readAllStandardOutput().simplified().split(' ');
        if (answer.value(1).toInt() != Rows)
            state.SkipWithError("python read another number of rows");
        state.SetIterationTime(answer.value(0).toDouble());
    }
    reportBytes(state, inputs().csvPath());
}

} // namespace

BENCHMARK(LoadDat)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadDatAndReadEveryCell)->Unit(benchmark::kMillisecond);
BENCHMARK(PythonCsvReader)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ReadBytes)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
