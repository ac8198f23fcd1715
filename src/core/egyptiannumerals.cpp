#include "core/egyptiannumerals.h"

#include <array>

namespace EgyptianNumerals {

namespace {

// The largest first; code points of the Egyptian Hieroglyphs block, named by Gardiner's code.
const std::array<Sign, 7>& signs() {
    static const std::array<Sign, 7> all{{
        {1'000'000, QStringLiteral("C11"), QStringLiteral("god Heh"), U'\U00013068'},
        {100'000, QStringLiteral("I8"), QStringLiteral("tadpole"), U'\U00013190'},
        {10'000, QStringLiteral("D50"), QStringLiteral("finger"), U'\U000130AD'},
        {1'000, QStringLiteral("M12"), QStringLiteral("lotus"), U'\U000131BC'},
        {100, QStringLiteral("V1"), QStringLiteral("coil of rope"), U'\U00013362'},
        {10, QStringLiteral("V20"), QStringLiteral("hobble"), U'\U00013386'},
        {1, QStringLiteral("Z1"), QStringLiteral("stroke"), U'\U000133E4'},
    }};
    return all;
}

} // namespace

Sign signOf(qint32 value) {
    for (const Sign& sign : signs()) {
        if (sign.value == value)
            return sign;
    }
    return {0, {}, {}, 0};
}

QList<qint32> unitsOf(qint32 number) {
    QList<qint32> units;
    for (const Sign& sign : signs()) {
        for (qint32 k = 0; k < (number / sign.value) % 10; ++k)
            units.append(sign.value);
    }
    return units;
}

QString picturePath(const QString& imagesFolder, qint32 value) {
    return imagesFolder + QStringLiteral("Numerals/") + signOf(value).gardiner +
           QStringLiteral(".gif");
}

} // namespace EgyptianNumerals
