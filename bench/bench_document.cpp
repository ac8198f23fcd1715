// The row as the documents File > Save As Document writes (PDF, DOCX, ODT), and a batch of names as
// one PDF, with the batch's peak memory measured in a process of its own:
//   bench_document --batch-child N   writes N cards and prints the process's VmHWM in kB.

#include "core/converter.h"
#include "gui/modmain.h"
#include "output/document.h"

#include <benchmark/benchmark.h>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QString appFolder = QStringLiteral(SCARABO_APP_DIR);
const DocumentOptions options{12.7, true, true};

class Names {
public:
    GlyphRow row(const QString& text) const { return m_converter.row(text, Converter::WholeText); }

    // A class list: first names with a number, so no two cards are alike.
    QList<GlyphRow> batch(int count) const {
        static const QStringList first{QStringLiteral("Cleopatra"),  QStringLiteral("Ramesses"),
                                       QStringLiteral("Nefertiti"),  QStringLiteral("Christopher"),
                                       QStringLiteral("Hatshepsut"), QStringLiteral("Amelia")};
        QList<GlyphRow> rows;
        for (int k = 0; k < count; ++k)
            rows.append(row(first.at(k % first.size()) + QStringLiteral(" %1").arg(k)));
        return rows;
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
        saveDocument(rows, path, options);
}

void batchToPdf(benchmark::State& state) {
    const QList<GlyphRow> rows = names().batch(static_cast<int>(state.range(0)));
    const QTemporaryDir folder;
    for (auto _ : state)
        saveDocument(rows, folder.filePath(QStringLiteral("cards.pdf")), options);
}

// The whole batch, names converted and PDF written, in a fresh process: its peak resident memory.
void batchPeakMemory(benchmark::State& state) {
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--batch-child"), QString::number(state.range(0))});
        child.waitForFinished(-1);
        state.counters["peak_MB"] = child.readAllStandardOutput().trimmed().toDouble() / 1024;
    }
}

int batchChild(int count) {
    const QTemporaryDir folder;
    saveDocument(names().batch(count), folder.filePath(QStringLiteral("cards.pdf")), options);
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            printf("%s\n", line.mid(6).trimmed().split(' ').first().constData());
    }
    return 0;
}

} // namespace

BENCHMARK_CAPTURE(oneRowTo, pdf, QStringLiteral("pdf"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(oneRowTo, docx, QStringLiteral("docx"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(oneRowTo, odt, QStringLiteral("odt"))->Unit(benchmark::kMillisecond);
BENCHMARK(batchToPdf)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(batchPeakMemory)->Arg(100)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // Drawn off screen: the documents need a GUI application, not a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication application(argc, argv);
    modMain::LoadFonts(appFolder);
    if (argc == 3 && QByteArray(argv[1]) == "--batch-child")
        return batchChild(QByteArray(argv[2]).toInt());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
