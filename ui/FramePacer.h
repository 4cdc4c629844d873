#pragma once

#include <chrono>

namespace vellix {

// Keeps the frame loop at a steady rate: each call sleeps until the next frame is due. A loop
// that has fallen more than a frame behind (the window was dragged, the machine was busy) starts
// afresh from now instead of racing to catch up.
class FramePacer {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration kFramePeriod = std::chrono::nanoseconds(1'000'000'000 / 60);

    void waitForNextFrame();
    // Forgets the schedule: the next wait starts a new one (after Game over, say).
    void restart() { started_ = false; }

private:
    bool started_ = false;
    Clock::time_point due_{};
};

}  // namespace vellix
