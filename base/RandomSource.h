#pragma once

#include <cstdint>

namespace vellix {

// The game's one source of random numbers (Rnd): splitmix64, so that anyone can reproduce a run
// outside the program from its seed. The level set-up seeds it from the time of day.
class RandomSource {
public:
    void seed(std::uint64_t seed) { state_ = seed; }

    // A uniform 32-bit float in [0, 1), from the top 24 bits of the next output.
    float Rnd() {
        state_ += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z = z ^ (z >> 31);
        return float(z >> 40) / 16777216.0f;
    }

    std::uint64_t state() const { return state_; }

private:
    std::uint64_t state_ = 0;
};

}  // namespace vellix
