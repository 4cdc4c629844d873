#pragma once

#include <cmath>

namespace vellix {

// The game measures everything in twips; one screen pixel is 15 twips.
inline constexpr float kTwipsPerPixel = 15.0f;

// A screen denser than 96 dpi has more device pixels to each of those pixels: its density (1.25 to
// 2 on most laptops, 2 to 3.5 on phones, and anything a browser's zoom makes of them). The game is
// drawn at the screen's density: each twip is density / 15 device pixels.
//
// The one rule for turning twips into device pixels, used for every position and every size: the
// pixel is floor(twips * density / 15), computed exactly. Values far outside any canvas are
// clamped, so that a wild coordinate can never overflow an int; NaN lands far off the canvas and
// draws nothing.
inline int twipsToPixels(double twips, double density) {
    constexpr double kLimit = 1 << 28;
    const double pixels = std::floor(twips * density / double(kTwipsPerPixel));
    if (!(pixels > -kLimit)) return -int(kLimit);  // also NaN
    if (pixels > kLimit) return int(kLimit);
    return int(pixels);
}

// The same at 96 dpi: floor(twips / 15).
inline int twipsToPixels(float twips) { return twipsToPixels(double(twips), 1.0); }

inline float pixelsToTwips(int pixels) { return float(pixels) * kTwipsPerPixel; }

// The twips of the device pixel `pixels` at `density`: the value nearest pixels * 15 / density that
// the rule above takes back to that very pixel (a pointer's position, a window's size).
inline float pixelsToTwips(int pixels, double density) {
    float twips = float(double(pixels) * double(kTwipsPerPixel) / density);
    while (std::isfinite(twips) && twipsToPixels(twips, density) < pixels) twips = std::nextafter(twips, HUGE_VALF);
    while (std::isfinite(twips) && twipsToPixels(twips, density) > pixels)
        twips = std::nextafter(twips, -HUGE_VALF);
    return twips;
}

}  // namespace vellix
