#include "core/piecelowering.h"
#include "randomtext.h"

#include <gmock/gmock.h>
#include <QChar>

namespace {

QString toQString(const LoweredUnits& lowered) {
    return QString(reinterpret_cast<const QChar*>(lowered.units.data()), lowered.size);
}

// The code point as a string; QString::fromUcs4 would drop a leading U+FEFF as a byte-order mark.
QString stringOf(char32_t codePoint) {
    return QStringView(QChar::fromUcs4(codePoint)).toString();
}

// Whether QString::toLower turns an unpaired surrogate behind the code point into U+FFFD, which it
// does once some code point has changed.
bool toLowerCountsAsChanged(char32_t codePoint) {
    const QString probe = stringOf(codePoint) + QChar(char16_t{0xDC00});
    return probe.toLower().endsWith(QChar(QChar::ReplacementCharacter));
}

} // namespace

TEST(LowerCodePoint, EveryCodePointLowersAsQStringToLowerDoes) {
    QStringList mismatches;
    for (char32_t codePoint = 0; codePoint <= QChar::LastValidCodePoint; ++codePoint) {
        if (QChar::isSurrogate(codePoint))
            continue;
        const LoweredUnits lowered = lowerCodePoint(codePoint);
        const bool same = toQString(lowered) == stringOf(codePoint).toLower() &&
                          lowered.changed == toLowerCountsAsChanged(codePoint);
        if (!same && mismatches.size() < 10)
            mismatches.append(QString::number(codePoint, 16));
    }
    EXPECT_THAT(mismatches, testing::IsEmpty());
}

// What lets a text position be judged by its first unit alone: a surrogate lowers to itself, and
// the lower case of a code point outside the BMP begins with that code point's high surrogate.
TEST(LowerCodePoint, FirstUnitsOfSurrogatesStay) {
    for (char32_t unit = 0xD800; unit <= 0xDFFF; ++unit)
        ASSERT_EQ(uint{lowerCodePoint(unit).units[0]}, uint{unit});
    for (char32_t codePoint = 0x10000; codePoint <= QChar::LastValidCodePoint; ++codePoint) {
        ASSERT_EQ(uint{lowerCodePoint(codePoint).units[0]}, uint{QChar::highSurrogate(codePoint)})
            << uint{codePoint};
    }
}

// Drives the lowering from every start of many random texts and checks every piece it answers for
// against QString::toLower of that piece alone, and that it answers for each piece length once.
TEST(PieceLowering, EveryPieceLowersAsQStringToLowerDoes) {
    RandomText random(20240611);
    for (int round = 0; round < 3000; ++round) {
        const QString text = random.text(12);
        for (qsizetype start = 0; start < text.size(); ++start) {
            SCOPED_TRACE(describeUnits(text).toStdString() + " from " + std::to_string(start));
            std::vector<int> answered(static_cast<size_t>(text.size() - start + 1), 0);
            PieceLowering lowering(text, start);
            QString lowered;
            while (true) {
                if (lowering.atPieceEnd()) {
                    const QStringView highs = lowering.highSurrogatesAhead();
                    for (qsizetype extra = 0; extra <= highs.size(); ++extra) {
                        const qsizetype length = lowering.consumed() + extra;
                        ++answered[static_cast<size_t>(length)];
                        // A named piece, as the plain scan lowers it: see plainglyphscan.cpp.
                        const QString piece = text.mid(start, length);
                        ASSERT_EQ(
                            describeUnits(lowered + highs.first(extra).toString()).toStdString(),
                            describeUnits(piece.toLower()).toStdString());
                    }
                }
                if (lowering.atTextEnd())
                    break;
                lowered += toQString(lowering.next());
            }
            ASSERT_THAT(answered, testing::Each(1));
        }
    }
}
