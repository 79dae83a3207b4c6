#pragma once
// Lengths that are stored or shown in twips (1/1440 inch) are converted at 15 twips per
// device-independent pixel (96 logical DPI).

#include <cmath>

namespace quillo {

inline constexpr int TwipsPerPixel = 15;

constexpr int twipsFromPixels(int pixels) { return pixels * TwipsPerPixel; }

inline int pixelsFromTwips(double twips) {
    return int(std::lround(twips / TwipsPerPixel));
}

} // namespace quillo
