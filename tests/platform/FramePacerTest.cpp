#include "platform/sdl/FramePacer.h"

#include <gtest/gtest.h>

#include <vector>

namespace vellix {
namespace {

using namespace std::chrono_literals;
using Clock = FramePacer::Clock;
constexpr auto kPeriod = FramePacer::kFramePeriod;

// Frames are due a sixtieth of a second apart, counted from the first frame, so that a frame that
// ends late is followed by one that comes sooner. A loop that falls more than a frame behind starts
// its schedule afresh from the frame that ended late, rather than rushing through the frames it missed;
// so does one told to restart.
TEST(FramePacer, KeepsSixtyFramesASecondAndStartsAfreshWhenItFallsMoreThanAFrameBehind) {
    FramePacer pacer;
    const Clock::time_point start{1000s};
    EXPECT_EQ(pacer.nextFrame(start), start + kPeriod);
    EXPECT_EQ(pacer.nextFrame(start + kPeriod + 3ms), start + 2 * kPeriod) << "a frame that ran late";
    EXPECT_EQ(pacer.nextFrame(start + 2 * kPeriod), start + 3 * kPeriod);
    // Due at 4 periods; ending just under a period after that still keeps the schedule...
    EXPECT_EQ(pacer.nextFrame(start + 5 * kPeriod - 1ms), start + 4 * kPeriod);
    // ...but ending more than a period after the frame was due starts a new one.
    const Clock::time_point late = start + 7 * kPeriod;
    EXPECT_EQ(pacer.nextFrame(late), late);
    EXPECT_EQ(pacer.nextFrame(late), late + kPeriod);
    pacer.restart();
    const Clock::time_point resumed = late + 1h;
    EXPECT_EQ(pacer.nextFrame(resumed), resumed + kPeriod);
}

}  // namespace
}  // namespace vellix
