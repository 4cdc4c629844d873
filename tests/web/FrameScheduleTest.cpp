#include "platform/web/FrameSchedule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace vellix {
namespace {

// The frames each refresh runs, for refreshes at the given rate for `seconds`, each off its ideal
// time by up to `jitterMs` (alternately early and late).
std::vector<int> framesPerRefresh(double hertz, double seconds, double jitterMs = 0, double startMs = 1000) {
    FrameSchedule schedule;
    std::vector<int> frames;
    const int refreshes = int(hertz * seconds);
    for (int i = 0; i < refreshes; ++i) {
        const double jitter = (i % 2 == 0 ? -1 : 1) * jitterMs * ((i * 7) % 10) / 10;
        frames.push_back(schedule.framesDue(startMs + i * 1000 / hertz + jitter));
    }
    return frames;
}

int total(const std::vector<int>& frames) {
    int sum = 0;
    for (const int n : frames) sum += n;
    return sum;
}

// 60 game frames a second of real time, whatever the display's rate: faster displays show some
// refreshes with no new frame, slower ones run two frames in a refresh; a 60 Hz display whose
// refreshes jitter still runs exactly one frame at each.
TEST(FrameSchedule, SixtyFramesASecondAtAnyRefreshRate) {
    const std::vector<int> sixty = framesPerRefresh(60, 10, 1.5);
    EXPECT_EQ(*std::min_element(sixty.begin(), sixty.end()), 1);
    EXPECT_EQ(*std::max_element(sixty.begin(), sixty.end()), 1);
    for (const double hertz : {59.94, 75.0, 90.0, 120.0, 144.0, 240.0, 50.0, 30.0, 24.0}) {
        const std::vector<int> frames = framesPerRefresh(hertz, 10, 0.5);
        EXPECT_NEAR(total(frames), 600, 2) << hertz << " Hz";
        const int most = *std::max_element(frames.begin(), frames.end());
        EXPECT_LE(most, hertz >= 60 ? 1 : 3) << hertz << " Hz";
    }
}

// A refresh after a stall runs a few frames at the most, and the time missed is then forgotten: the
// refreshes after it run one frame each again, not a catching up.
TEST(FrameSchedule, AStallIsNotReplayed) {
    FrameSchedule schedule;
    double now = 0;
    for (int i = 0; i < 60; ++i, now += 1000.0 / 60) schedule.framesDue(now);
    now += 2000;  // the page was busy, or hidden, for two seconds
    EXPECT_EQ(schedule.framesDue(now), FrameSchedule::kMaxFramesPerRefresh);
    int after = 0;
    for (int i = 1; i <= 60; ++i) after += schedule.framesDue(now + i * 1000.0 / 60);
    EXPECT_NEAR(after, 60, 1);
}

// After a restart (a page shown again, a new game) the first refresh runs one frame, however long
// the pause was.
TEST(FrameSchedule, ARestartBeginsWithOneFrame) {
    FrameSchedule schedule;
    EXPECT_EQ(schedule.framesDue(100), 1);
    EXPECT_EQ(schedule.framesDue(100 + 1000.0 / 60), 1);
    schedule.restart();
    EXPECT_EQ(schedule.framesDue(9000), 1);
    EXPECT_EQ(schedule.framesDue(9000 + 1000.0 / 60), 1);
}

}  // namespace
}  // namespace vellix
