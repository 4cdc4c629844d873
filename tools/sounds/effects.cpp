#include "tools/sounds/effects.h"

#include <array>
#include <cmath>
#include <utility>

namespace vellix::sounds {

namespace {

constexpr double kTwoPi = 2.0 * kPi;

// Peak level shared by the effects (about -3 dBFS). Each sound is shaped so
// that, at this common peak, the four end up at a similar perceived loudness.
constexpr double kPeak = 0.7;

Buffer finish(Buffer buf, double fadeIn, double fadeOut) {
    normalise(buf, kPeak);
    applyEdges(buf, fadeIn, fadeOut);
    return buf;
}

}  // namespace

// A round "boink": a near-sine pluck that drops quickly from a bright onset
// and then glides gently downward while it rings out.
Buffer makeBounce() {
    const int n = framesFor(0.115);
    Buffer out(n);
    double phase = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = timeOf(i);
        const double freq = 500.0 + 110.0 * std::exp(-t / 0.04) + 220.0 * std::exp(-t / 0.004);
        phase += kTwoPi * freq / kSampleRate;
        const double tone = std::sin(phase) + 0.22 * std::sin(2.0 * phase) * std::exp(-t / 0.02) +
                            0.05 * std::sin(3.0 * phase) * std::exp(-t / 0.01);
        const double env = smoothRamp(t, 0.002) * std::exp(-t / 0.038);
        out[i] = tone * env;
    }
    return finish(std::move(out), 0.001, 0.012);
}

// A short, thin "ping" off the wall: a high tone with one inharmonic partial
// for a little metallic edge, plus a tiny filtered click at the very start.
Buffer makeRichochet() {
    const int n = framesFor(0.08);
    Buffer out(n);
    Noise noise(0x51c0ffeeu);
    Biquad clickFilter = Biquad::bandpass(4200.0, 1.5);
    double phase = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = timeOf(i);
        const double freq = 1560.0 + 90.0 * std::exp(-t / 0.008);
        phase += kTwoPi * freq / kSampleRate;
        const double tone = std::sin(phase) + 0.3 * std::sin(2.76 * phase) * std::exp(-t / 0.01);
        const double env = smoothRamp(t, 0.001) * std::exp(-t / 0.028);
        const double click = clickFilter.process(noise.bipolar()) * std::exp(-t / 0.0015);
        out[i] = tone * env + 0.4 * click;
    }
    return finish(std::move(out), 0.0005, 0.01);
}

// A crunchy shatter: band-limited noise with a fast attack, roughened by a
// handful of short crackle grains, a soft low knock for body and two glassy
// partials. The top end is rolled off so frequent hits stay easy on the ear.
Buffer makeBreak() {
    const int n = framesFor(0.25);
    Buffer out(n);
    Noise noise(0xb41c4u);

    struct Grain {
        double start, amp;
    };
    std::array<Grain, 8> grains{};
    for (Grain& g : grains) {
        g.start = 0.004 + noise.uniform() * 0.13;
        g.amp = 0.4 + 0.6 * noise.uniform();
    }

    Biquad high = Biquad::highpass(1500.0, 0.707);
    Biquad band = Biquad::bandpass(3000.0, 1.1);
    Biquad soften = Biquad::lowpass(7500.0, 0.707);

    struct Partial {
        double freq, amp, delay, decay;
    };
    constexpr std::array<Partial, 3> partials{{
        {2349.3, 0.22, 0.003, 0.045},
        {3520.0, 0.16, 0.012, 0.030},
        {4698.6, 0.08, 0.020, 0.020},
    }};

    for (int i = 0; i < n; ++i) {
        const double t = timeOf(i);
        const double white = noise.bipolar();
        const double coloured = soften.process(0.55 * band.process(white) + 0.45 * high.process(white));

        double crackle = 0.0;
        for (const Grain& g : grains) {
            const double dt = t - g.start;
            if (dt >= 0.0) crackle += g.amp * smoothRamp(dt, 0.0008) * std::exp(-dt / 0.007);
        }
        const double bodyEnv =
            smoothRamp(t, 0.0015) * (0.5 * std::exp(-t / 0.06) + 0.5 * std::exp(-t / 0.1) * crackle);

        double glass = 0.0;
        for (const Partial& p : partials) {
            const double dt = t - p.delay;
            if (dt >= 0.0)
                glass += p.amp * std::sin(kTwoPi * p.freq * dt) * smoothRamp(dt, 0.001) * std::exp(-dt / p.decay);
        }

        const double knock = 0.35 * std::sin(kTwoPi * 190.0 * t) * smoothRamp(t, 0.002) * std::exp(-t / 0.018);

        // A gentle saturation on the noise rounds off its sharpest spikes, which
        // lets the whole burst sit louder under the same peak without harshness.
        const double burst = std::tanh(2.2 * coloured * bodyEnv * 3.0) / 3.0;
        out[i] = burst + glass + knock;
    }
    return finish(std::move(out), 0.001, 0.03);
}

// A falling "wah-wah": a band-limited, sawtooth-like tone sliding down an
// octave while its brightness swells and dips three times, then fading away.
// The harmonics are summed in cosine phase; that peakier waveform keeps this
// long, sustained tone from sounding louder than the short hits at the same
// peak level, and the ear hardly hears the phase difference.
Buffer makeSink() {
    const int n = framesFor(0.62);
    Buffer out(n);
    constexpr int kHarmonics = 10;
    constexpr double kStart = 392.0;  // G4 down to G3
    constexpr double kWahRate = 4.6;  // swells per second
    const double length = timeOf(n);
    double phase = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = timeOf(i);
        const double freq = kStart * std::pow(2.0, -t / length);
        phase += kTwoPi * freq / kSampleRate;
        if (phase > kTwoPi) phase -= kTwoPi;

        // 0 = closed (dark "w"), 1 = open (bright "ah").
        const double wah = 0.5 - 0.5 * std::cos(kTwoPi * kWahRate * t);
        const double tilt = 0.25 + 1.3 * (1.0 - wah);
        double tone = 0.0;
        for (int k = 1; k <= kHarmonics; ++k)
            tone += std::cos(k * phase) * std::exp(-(k - 1) * tilt) / k;

        const double swell = 0.45 + 0.55 * wah;
        const double env = smoothRamp(t, 0.015) * (1.0 - smoothRamp(t - 0.42, length - 0.42));
        out[i] = tone * swell * env;
    }
    return finish(std::move(out), 0.002, 0.02);
}

}  // namespace vellix::sounds
