#include "platform/roundnumber.h"

#include "platform/runtimeerror.h"

#include <cmath>
#include <limits>

namespace {

template <typename Int> Int roundToInt(double value) {
    const double rounded = roundHalfEven(value);
    // Written so that NaN fails the test as well.
    if (!(rounded >= std::numeric_limits<Int>::min() && rounded <= std::numeric_limits<Int>::max()))
        throw RuntimeError(ErrorNumber::Overflow);
    return static_cast<Int>(rounded);
}

} // namespace

double roundHalfEven(double value) {
    const double awayFromZero = std::round(value);
    if (std::fabs(awayFromZero - value) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return awayFromZero;
}

std::int16_t roundToInt16(double value) {
    return roundToInt<std::int16_t>(value);
}

std::int32_t roundToInt32(double value) {
    return roundToInt<std::int32_t>(value);
}
