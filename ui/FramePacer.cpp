#include "ui/FramePacer.h"

#include <thread>

namespace vellix {

void FramePacer::waitForNextFrame() {
    const Clock::time_point now = Clock::now();
    if (!started_) {
        started_ = true;
        due_ = now;
    }
    due_ += kFramePeriod;
    if (due_ < now - kFramePeriod) due_ = now;
    std::this_thread::sleep_until(due_);
}

}  // namespace vellix
