#pragma once

#include <cstdint>

// Conversions from floating values to integers as the program's number rules want them: to the
// nearest integer, ties to even, and an overflow error (RuntimeError 6) when the result does not
// fit.

double roundHalfEven(double value);
std::int16_t roundToInt16(double value);
std::int32_t roundToInt32(double value);
