// A row of ten glyphs as the picture that File > Save Picture As writes: drawn and encoded as PNG,
// and written as SVG, both with the letters under the glyphs; and one name as a name card's
// picture, in a cartouche, as SVG and as PNG at 300 dpi.

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

RowPictureOptions withLetters() {
    RowPictureOptions options;
    options.letters = true;
    return options;
}

void pngOfTenGlyphs(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(rowPng(tenGlyphs(), withLetters()));
}

void svgOfTenGlyphs(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(rowSvg(tenGlyphs(), withLetters()));
}

const GlyphRow& cleopatra() {
    static const GlyphRow row =
        rowOfText(QStringLiteral(SCARABO_DATA_DIR), QStringLiteral("Cleopatra"));
    return row;
}

RowPictureOptions nameCard() {
    RowPictureOptions options;
    options.writing.cartouche = true;
    options.dpi = 300;
    return options;
}

void svgOfAName(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(rowSvg(cleopatra(), nameCard()));
}

void pngOfANameAt300Dpi(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(rowPng(cleopatra(), nameCard()));
}

} // namespace

BENCHMARK(pngOfTenGlyphs)->Unit(benchmark::kMillisecond);
BENCHMARK(svgOfTenGlyphs)->Unit(benchmark::kMillisecond);
BENCHMARK(svgOfAName)->Unit(benchmark::kMillisecond);
BENCHMARK(pngOfANameAt300Dpi)->Unit(benchmark::kMillisecond);

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
