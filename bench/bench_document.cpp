// The row as the documents File > Save As Document writes (PDF, DOCX, ODT, HTML), and a batch of
// names in every format, each batch in a process of its own that measures its time, its peak
// memory and its file:
//   bench_document --batch-child N SUFFIX   writes N cards, each name converted as it is written
//   (as the command line does), and prints the milliseconds, the process's VmHWM in kB and the
//   file's bytes.

#include "core/converter.h"
#include "gui/modmain.h"
#include "output/document.h"

#include <benchmark/benchmark.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QString appFolder = QStringLiteral(SCARABO_APP_DIR);
// As the command line writes them: one text on a sheet, a batch on cards, each filled by its name.
DocumentOptions filled(PageKind page) {
    DocumentOptions options{12.7, true, true};
    options.page = page;
    options.fitToPage = true;
    return options;
}

class Names {
public:
    GlyphRow row(const QString& text) const { return m_converter.row(text, Converter::WholeText); }

    // A class list: first names with a number, so no two cards are alike.
    DocumentRows batch(int count) const {
        return DocumentRows(count, [this](qsizetype k) {
            static const QStringList first{
                QStringLiteral("Cleopatra"),  QStringLiteral("Ramesses"),
                QStringLiteral("Nefertiti"),  QStringLiteral("Christopher"),
                QStringLiteral("Hatshepsut"), QStringLiteral("Amelia")};
            return row(first.at(k % first.size()) + QStringLiteral(" %1").arg(k));
        });
    }

private:
    Converter m_converter{Alphabet::load(appFolder)};
};

const Names& names() {
    static const Names shared;
    return shared;
}

void oneRowTo(benchmark::State& state, const QString& suffix) {
    const QList<GlyphRow> rows{names().row(QStringLiteral("Christopher Columbus"))};
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("row.") + suffix);
    for (auto _ : state)
        saveDocument(rows, path, filled(PageKind::Sheet));
}

// The batch in a fresh process: the time of its writing, its peak resident memory and its file.
void batch(benchmark::State& state, const QString& suffix) {
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--batch-child"), QString::number(state.range(0)), suffix});
        child.waitForFinished(-1);
        const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
        if (figures.size() != 3) {
            state.SkipWithError("the batch failed");
            return;
        }
        state.SetIterationTime(figures.at(0).toDouble() / 1000);
        state.counters["peak_MB"] = figures.at(1).toDouble() / 1024;
        state.counters["file_MB"] = figures.at(2).toDouble() / 1e6;
    }
}

// Once each, repeated or not: a batch of 10,000 names takes seconds, and starts afresh anyway.
void batchSizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(1000)->Arg(10000)->Iterations(1)->Repetitions(1)->UseManualTime()->Unit(
        benchmark::kMillisecond);
}

qint64 peakKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

int batchChild(int count, const QString& suffix) {
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("cards.") + suffix);
    QElapsedTimer timer;
    timer.start();
    saveDocument(names().batch(count), path, filled(PageKind::Cards));
    const qint64 milliseconds = timer.elapsed();
    printf("%lld %lld %lld\n", milliseconds, peakKilobytes(), QFileInfo(path).size());
    return 0;
}

} // namespace

BENCHMARK_CAPTURE(oneRowTo, pdf, QStringLiteral("pdf"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(oneRowTo, docx, QStringLiteral("docx"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(oneRowTo, odt, QStringLiteral("odt"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(oneRowTo, html, QStringLiteral("html"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(batch, pdf, QStringLiteral("pdf"))->Apply(batchSizes);
BENCHMARK_CAPTURE(batch, odt, QStringLiteral("odt"))->Apply(batchSizes);
BENCHMARK_CAPTURE(batch, docx, QStringLiteral("docx"))->Apply(batchSizes);
BENCHMARK_CAPTURE(batch, html, QStringLiteral("html"))->Apply(batchSizes);

int main(int argc, char** argv) {
    // Drawn off screen: the documents need a GUI application, not a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication application(argc, argv);
    modMain::LoadFonts(appFolder);
    if (argc == 4 && QByteArray(argv[1]) == "--batch-child")
        return batchChild(QByteArray(argv[2]).toInt(), QString::fromLatin1(argv[3]));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
