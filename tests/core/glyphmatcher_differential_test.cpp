#include "core/glyphmatcher.h"
#include "plainglyphscan.h"
#include "randomtext.h"

#include <gtest/gtest.h>

namespace {

struct Mix {
    unsigned seed;
    int rounds;
    int maxTextPieces;
    int maxEntries;
};

// Short texts against small alphabets match often; longer ones reach the ten-glyph limit.
const Mix mixes[] = {
    {1, 20000, 8, 6},
    {2, 10000, 20, 12},
    {3, 3000, 60, 40},
};

std::string describeCase(const QString& text, const QStringList& alphabet) {
    QStringList entries;
    for (const QString& entry : alphabet)
        entries.append(describeUnits(entry));
    return "text " + describeUnits(text).toStdString() + "\nalphabet " +
           entries.join(u", ").toStdString();
}

class FastMatcher : public testing::TestWithParam<Mix> {};

TEST_P(FastMatcher, AgreesWithThePlainScanOnRandomTextsAndAlphabets) {
    const Mix& mix = GetParam();
    RandomText random(mix.seed);
    for (int round = 0; round < mix.rounds; ++round) {
        const QString text = random.text(mix.maxTextPieces);
        const QStringList alphabet = random.alphabet(text, mix.maxEntries);
        ASSERT_EQ(GlyphMatcher::matchGlyphs(alphabet, text), plainGlyphScan(alphabet, text))
            << describeCase(text, alphabet);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, FastMatcher, testing::ValuesIn(mixes),
                         [](const testing::TestParamInfo<Mix>& param) {
                             return "Seed" + std::to_string(param.param.seed);
                         });

} // namespace
