// Small signal-processing toolkit used to synthesise the game's sound effects.
#pragma once

#include <cstdint>
#include <vector>

namespace vellix::sounds {

inline constexpr int kSampleRate = 44100;
inline constexpr double kPi = 3.14159265358979323846;

using Buffer = std::vector<double>;

// Number of frames for a duration in seconds.
int framesFor(double seconds);

// Time in seconds of frame i.
inline double timeOf(int i) { return static_cast<double>(i) / kSampleRate; }

// xorshift32 white noise with a fixed seed, so every build makes the same bytes.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed ? seed : 0x9e3779b9u) {}
    std::uint32_t nextU32();
    double uniform();  // [0, 1)
    double bipolar();  // [-1, 1)

private:
    std::uint32_t state_;
};

// Direct-form I biquad with the usual cookbook coefficient recipes.
class Biquad {
public:
    static Biquad lowpass(double freq, double q);
    static Biquad highpass(double freq, double q);
    static Biquad bandpass(double freq, double q);  // 0 dB peak gain
    double process(double x);

private:
    Biquad(double b0, double b1, double b2, double a0, double a1, double a2);
    double b0_, b1_, b2_, a1_, a2_;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Smooth 0 -> 1 ramp (raised cosine) over [0, length].
double smoothRamp(double t, double length);

// Scales the buffer so its largest absolute sample equals peak.
void normalise(Buffer& buf, double peak);

// Forces a clean start and end: a short fade-in from exactly zero and a
// fade-out that lands on exactly zero at the last frame.
void applyEdges(Buffer& buf, double fadeInSeconds, double fadeOutSeconds);

}  // namespace vellix::sounds
