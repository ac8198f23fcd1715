#pragma once

#include <QStringView>

// The number a text begins with, read the way the layout tags have always been read:
// blanks, tabs and line feeds are skipped wherever they stand (even between digits); then an
// optional sign, decimal digits with at most one '.', and an optional exponent (E or D, then an
// optionally signed integer). "&H" or "&O" (either case) starts a hexadecimal or octal integer
// instead, taken as a 16-bit two's-complement value when it fits in 16 bits and no '&' follows
// the digits, else as a 32-bit one. Reading stops at the first character that does not fit; a text
// without a leading number gives 0. A value beyond the range of double, or a hexadecimal or octal
// integer beyond 32 bits, throws RuntimeError 6 (overflow).
double leadingNumber(QStringView text);
