// A row of ten glyphs as the picture that File > Save Picture As writes: drawn and encoded as PNG,
// and written as SVG with its pictures embedded, both with the letters under the glyphs.

#include "output/rowpicture.h"
#include "rowoftext.h"

#include <benchmark/benchmark.h>
#include <QGuiApplication>

namespace {

const GlyphRow& tenGlyphs() {
    static const GlyphRow row =
        rowOfText(QStringLiteral(SCARABO_DATA_DIR), QStringLiteral("Christopher"));
    return row;
}

const RowPictureOptions withLetters{false, true, 1.0, {}};

void pngOfTenGlyphs(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(rowPng(tenGlyphs(), withLetters));
}

void svgOfTenGlyphs(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(rowSvg(tenGlyphs(), withLetters));
}

} // namespace

BENCHMARK(pngOfTenGlyphs)->Unit(benchmark::kMillisecond);
BENCHMARK(svgOfTenGlyphs)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // Drawn off screen: the pictures need a GUI application, not a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication application(argc, argv);
    if (tenGlyphs().glyphs().size() != 10)
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
