#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace vellix {

// Int in every rule of the game is the floor: the largest whole number not above its argument.
inline float Int(float v) { return std::floor(v); }

// A whole number of twips or frames as the game's 16-bit counts hold it, saturating instead of
// wrapping where a wild value (a huge canvas, say) would not fit.
inline std::int16_t toInt16(double v) {
    if (!(v > -32768.0)) return -32768;  // also NaN
    if (v > 32767.0) return 32767;
    return std::int16_t(v);
}

namespace detail {

// True when every value from `from` to `to` in whole steps of one is a 32-bit float, so that
// adding or taking one twip at a time along that path never rounds.
inline bool stepsAreExact(float from, double to) {
    // The coarsest power of two that `from` is a multiple of, but no coarser than a whole twip.
    double grain = 1.0;
    for (int bits = 0; bits < 160 && std::floor(std::ldexp(double(from), bits)) != std::ldexp(double(from), bits); ++bits)
        grain = std::ldexp(1.0, -bits - 1);
    // Multiples of the grain below 2^24 grains fit the 24 bits of a float's mantissa.
    const double reach = 16777216.0 * grain;
    return std::fabs(double(from)) <= reach && std::fabs(to) <= reach;
}

}  // namespace detail

// The game pushes an object back inside the field one twip per pass: `while (outside(x)) x += step`
// with step +1 or -1 in 32-bit floats. This reaches the position that loop would reach, without
// its passes: whole runs of exact steps are taken at once, and only the steps where a float
// rounds are taken one by one. `boundary` is where the loop roughly ends (outside(x) holds on the
// far side of it); it only guides the jumps. Where one twip no longer changes a float (beyond
// 2^24 twips) the loop could never end; there the position jumps towards the boundary instead, so
// that no frame can hang.
template <class Outside>
float pushBack(float x, float step, double boundary, Outside outside) {
    for (int pass = 0; outside(x) && pass < 100000; ++pass) {
        if (!std::isfinite(x)) {
            x = float(boundary);
            continue;
        }
        const double stepsLeft = (boundary - double(x)) * double(step);
        const double jump = std::floor(stepsLeft) - 2.0;
        const double landing = double(x) + jump * double(step);
        if (jump >= 1.0 && detail::stepsAreExact(x, landing)) {
            x = float(landing);  // every step on the way is exact, and all of them stay outside
            continue;
        }
        const float next = x + step;
        if (next != x) {
            x = next;
        } else if (jump >= 1.0 && float(landing) != x) {
            x = float(landing);
        } else {
            x = std::nextafter(x, step > 0 ? std::numeric_limits<float>::infinity()
                                           : -std::numeric_limits<float>::infinity());
        }
    }
    return x;
}

}  // namespace vellix
