#include "game/FrameSchedule.h"

namespace vellix {

int FrameSchedule::framesDue(double nowMs) {
    if (!started_) {
        started_ = true;
        due_ = nowMs;
    }
    if (due_ - kEarlyMs > nowMs) return 0;
    int frames = 1;
    due_ += kFramePeriodMs;
    const auto late = [&] { return due_ - kEarlyMs + kSlackMs <= nowMs; };
    while (frames < kMostFramesAtOnce && late()) {
        ++frames;
        due_ += kFramePeriodMs;
    }
    if (late()) due_ = nowMs + kFramePeriodMs;
    return frames;
}

}  // namespace vellix
