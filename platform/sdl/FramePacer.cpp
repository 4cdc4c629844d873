#include "platform/sdl/FramePacer.h"

#include <thread>

namespace vellix {

void FramePacer::waitForNextFrame() { std::this_thread::sleep_until(nextFrame(Clock::now())); }

FramePacer::Clock::time_point FramePacer::nextFrame(Clock::time_point now) {
    if (!started_) {
        started_ = true;
        due_ = now;
    }
    due_ += kFramePeriod;
    if (due_ < now - kFramePeriod) due_ = now;
    return due_;
}

}  // namespace vellix
