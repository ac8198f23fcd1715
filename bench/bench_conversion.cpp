// The conversion's worst case: a 32,766-character text that matches nothing against a 32,766-entry
// alphabet, the most that 16-bit counters would hold, where trying every entry at every position
// takes about 10^9 comparisons. One QString::toLower pass over the same text is the floor. The
// alphabet's index is built once per alphabet, so a conversion is measured with it built, and the
// building on its own.

#include "core/glyphmatcher.h"

#include <benchmark/benchmark.h>
#include <QSet>
#include <QStringList>
#include <random>

namespace {

constexpr qsizetype Size = 32766;

// Mixed-case letters n to y: no z, and nothing from a to m.
const QString& text() {
    static const QString text = [] {
        std::mt19937 engine(7);
        QString result;
        for (qsizetype i = 0; i < Size; ++i) {
            const auto letter = static_cast<char16_t>(u'n' + engine() % 12);
            result += QChar(engine() % 2 ? letter : static_cast<char16_t>(letter - (u'a' - u'A')));
        }
        return result;
    }();
    return text;
}

QString word(std::mt19937& engine, char16_t first, int letters, qsizetype length) {
    QString result;
    for (qsizetype i = 0; i < length; ++i)
        result += QChar(static_cast<char16_t>(first + engine() % static_cast<unsigned>(letters)));
    return result;
}

// Entries of one to four letters from a to m: every text position is turned away at its first
// letter.
const QStringList& disjointAlphabet() {
    static const QStringList alphabet = [] {
        std::mt19937 engine(11);
        QStringList result{QStringLiteral("Letters")};
        while (result.size() <= Size)
            result.append(word(engine, u'a', 13, 1 + engine() % 4));
        return result;
    }();
    return alphabet;
}

// Distinct entries made of the text's own letters and then a z, one to five letters deep: the walk
// at every text position follows the text a few letters into the index before the missing z turns
// it away.
const QStringList& sharedPrefixAlphabet() {
    static const QStringList alphabet = [] {
        std::mt19937 engine(13);
        QStringList result{QStringLiteral("Letters")};
        QSet<QString> distinct;
        while (result.size() <= Size) {
            const QString entry = word(engine, u'n', 12, 1 + engine() % 5) + u'z';
            if (!distinct.contains(entry)) {
                distinct.insert(entry);
                result.append(entry);
            }
        }
        return result;
    }();
    return alphabet;
}

void floorToLower(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(text().toLower());
}

void convert(benchmark::State& state, const QStringList& alphabet) {
    const AlphabetIndex index(alphabet);
    for (auto _ : state) {
        const QList<qsizetype> glyphs = GlyphMatcher::matchGlyphs(index, text());
        if (!glyphs.isEmpty())
            state.SkipWithError("the text was meant to match nothing");
        benchmark::DoNotOptimize(glyphs);
    }
}

void buildIndexOnly(benchmark::State& state, const QStringList& alphabet) {
    for (auto _ : state) {
        const AlphabetIndex index(alphabet);
        benchmark::DoNotOptimize(&index);
    }
}

} // namespace

BENCHMARK(floorToLower)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(convert, disjointLetters, disjointAlphabet())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(convert, sharedPrefixes, sharedPrefixAlphabet())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(buildIndexOnly, disjointLetters, disjointAlphabet())
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(buildIndexOnly, sharedPrefixes, sharedPrefixAlphabet())
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
