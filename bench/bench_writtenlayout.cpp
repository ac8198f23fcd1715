// Laying out a long text of 1,000 signs in quadrats, lines of 20 quadrats and cartouches, as a
// document does; the signs' shapes are measured once, before the timing.

#include "core/converter.h"
#include "output/writtenlayout.h"

#include <benchmark/benchmark.h>
#include <QGuiApplication>

namespace {

const GlyphRow& thousandSigns() {
    static const GlyphRow row = [] {
        const Converter converter(Alphabet::load(QStringLiteral(SCARABO_DATA_DIR)));
        QString text;
        while (converter.row(text, Converter::WholeText).glyphs().size() < 1000)
            text += QStringLiteral("Cleopatra Ptolemy Nefertiti Ramesses ");
        return converter.row(text, Converter::WholeText);
    }();
    return row;
}

void layOutThousandSigns(benchmark::State& state) {
    const WritingOptions options{.cartouche = true, .letters = true, .lineLength = 20};
    layOutWriting(thousandSigns(), options);
    for (auto _ : state)
        benchmark::DoNotOptimize(layOutWriting(thousandSigns(), options));
    state.counters["signs"] = static_cast<double>(thousandSigns().glyphs().size());
}

} // namespace

BENCHMARK(layOutThousandSigns)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // Measured off screen: the font needs a GUI application, not a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
