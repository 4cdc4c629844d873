#include "platform/web/FrameSchedule.h"

namespace vellix {

int FrameSchedule::framesDue(double nowMs) {
    if (!started_) {
        started_ = true;
        due_ = nowMs;
    }
    int frames = 0;
    while (due_ <= nowMs + kEarlyMs && frames < kMaxFramesPerRefresh) {
        ++frames;
        due_ += kFramePeriodMs;
    }
    // Still behind after the most a refresh runs: the time missed is dropped, not caught up later.
    if (due_ <= nowMs + kEarlyMs) due_ = nowMs + kFramePeriodMs;
    return frames;
}

}  // namespace vellix
