#include "platform/twips.h"

#include "platform/roundnumber.h"

int pixelsFromTwips(double twips) {
    return roundToInt32(twips / TwipsPerPixel);
}

QRect pixelsFromTwips(const QRect& twips) {
    return {pixelsFromTwips(twips.x()), pixelsFromTwips(twips.y()), pixelsFromTwips(twips.width()),
            pixelsFromTwips(twips.height())};
}

float twipsFromPixels(int pixels) {
    return static_cast<float>(pixels) * TwipsPerPixel;
}
