#pragma once

#include <QRect>

// Window geometry is designed in twips: 1,440 an inch, 15 a pixel at 96 dots per inch.
inline constexpr int TwipsPerPixel = 15;

// The nearest whole pixel, ties to even; RuntimeError 6 (overflow) beyond 32 bits.
int pixelsFromTwips(double twips);
QRect pixelsFromTwips(const QRect& twips);

// Returns float, the type the layout manager measures in.
float twipsFromPixels(int pixels);
