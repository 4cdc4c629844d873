#pragma once

#include <cmath>

namespace vellix {

// The game measures everything in twips; one screen pixel is 15 twips.
inline constexpr float kTwipsPerPixel = 15.0f;

// The one rule for turning twips into pixels, used for every position and every size: the pixel is
// floor(twips / 15), computed exactly. Values far outside any canvas are clamped, so that a wild
// coordinate can never overflow an int; NaN lands far off the canvas and draws nothing.
inline int twipsToPixels(float twips) {
    constexpr double kLimit = 1 << 28;
    const double pixels = std::floor(double(twips) / double(kTwipsPerPixel));
    if (!(pixels > -kLimit)) return -int(kLimit);  // also NaN
    if (pixels > kLimit) return int(kLimit);
    return int(pixels);
}

inline float pixelsToTwips(int pixels) { return float(pixels) * kTwipsPerPixel; }

}  // namespace vellix
