#include "tools/sounds/dsp.h"

#include <algorithm>
#include <cmath>

namespace vellix::sounds {

int framesFor(double seconds) {
    return static_cast<int>(std::lround(seconds * kSampleRate));
}

std::uint32_t Noise::nextU32() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

double Noise::uniform() { return (nextU32() >> 8) * (1.0 / 16777216.0); }

double Noise::bipolar() { return uniform() * 2.0 - 1.0; }

Biquad::Biquad(double b0, double b1, double b2, double a0, double a1, double a2)
    : b0_(b0 / a0), b1_(b1 / a0), b2_(b2 / a0), a1_(a1 / a0), a2_(a2 / a0) {}

Biquad Biquad::lowpass(double freq, double q) {
    const double w = 2.0 * kPi * freq / kSampleRate;
    const double alpha = std::sin(w) / (2.0 * q);
    const double c = std::cos(w);
    return Biquad((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::highpass(double freq, double q) {
    const double w = 2.0 * kPi * freq / kSampleRate;
    const double alpha = std::sin(w) / (2.0 * q);
    const double c = std::cos(w);
    return Biquad((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::bandpass(double freq, double q) {
    const double w = 2.0 * kPi * freq / kSampleRate;
    const double alpha = std::sin(w) / (2.0 * q);
    const double c = std::cos(w);
    return Biquad(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

double Biquad::process(double x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}

double smoothRamp(double t, double length) {
    if (t <= 0.0) return 0.0;
    if (t >= length) return 1.0;
    return 0.5 - 0.5 * std::cos(kPi * t / length);
}

void normalise(Buffer& buf, double peak) {
    double biggest = 0.0;
    for (double s : buf) biggest = std::max(biggest, std::abs(s));
    if (biggest <= 0.0) return;
    const double gain = peak / biggest;
    for (double& s : buf) s *= gain;
}

void applyEdges(Buffer& buf, double fadeInSeconds, double fadeOutSeconds) {
    const int n = static_cast<int>(buf.size());
    if (n == 0) return;
    const int in = std::min(n, std::max(1, framesFor(fadeInSeconds)));
    const int out = std::min(n, std::max(1, framesFor(fadeOutSeconds)));
    // Frame 0 gets gain 0; frame `in` and beyond are untouched.
    for (int i = 0; i < in; ++i) buf[i] *= smoothRamp(i, in);
    // Frame n-1 gets gain 0; frame n-1-out and earlier are untouched.
    for (int i = 0; i < out; ++i) buf[n - 1 - i] *= smoothRamp(i, out);
    buf.front() = 0.0;
    buf.back() = 0.0;
}

}  // namespace vellix::sounds
