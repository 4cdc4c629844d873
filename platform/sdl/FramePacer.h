#pragma once

#include <chrono>

namespace vellix {

// Keeps the frame loop at a steady 60 frames a second: after each frame it sleeps until the next
// is due. A loop that has fallen more than a frame behind (the window was dragged, the machine was
// busy) starts afresh from now instead of racing to catch up.
class FramePacer {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration kFramePeriod = std::chrono::nanoseconds(1'000'000'000 / 60);

    void waitForNextFrame();
    // When the next frame is due, the previous one having ended at `now`.
    Clock::time_point nextFrame(Clock::time_point now);
    // Forgets the schedule: the next frame starts a new one (after Game over, say).
    void restart() { started_ = false; }

private:
    bool started_ = false;
    Clock::time_point due_{};
};

}  // namespace vellix
