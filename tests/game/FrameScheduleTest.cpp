#include "game/FrameSchedule.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace vellix {
namespace {

// The frames each display refresh runs over a minute at `hertz`, each refresh off its ideal time by
// up to `jitterMs` either way.
std::vector<int> framesPerRefresh(double hertz, double jitterMs) {
    FrameSchedule schedule;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> jitter(-jitterMs, jitterMs);
    std::vector<int> frames;
    for (int i = 0; i < int(hertz * 60); ++i) frames.push_back(schedule.framesDue(1000 + i * 1000 / hertz + jitter(random)));
    return frames;
}

// 60 frames a second of real time at any refresh rate, with no bursts of empty and double
// refreshes from the jitter of a display a little off 60 Hz: its drift shows as a lone double (or
// a lone empty) refresh about every 1,000, never one beside the other.
TEST(FrameSchedule, SixtyFramesASecondAtAnyRefreshRateWithNoBurstsFromJitter) {
    struct Row {
        double hertz;
        int mostDoubles, mostEmpties;  // in the minute
        int fewestFrames, mostFrames;  // in one refresh, the first left out
    };
    for (const Row row : {Row{60, 0, 0, 1, 1}, Row{59.94, 4, 0, 1, 2}, Row{60.05, 0, 3, 0, 1}, Row{144, 0, 99999, 0, 1},
                          Row{30, 99999, 0, 2, 2}, Row{15, 99999, 0, 4, 4}}) {
        const std::vector<int> frames = framesPerRefresh(row.hertz, 0.2);
        int total = 0, doubles = 0, empties = 0, sinceFrame = 0;
        for (std::size_t i = 0; i < frames.size(); ++i) {
            total += frames[i];
            if (i == 0) continue;
            EXPECT_GE(frames[i], row.fewestFrames) << row.hertz << " Hz, refresh " << i;
            EXPECT_LE(frames[i], row.mostFrames) << row.hertz << " Hz, refresh " << i;
            doubles += frames[i] == 2 ? 1 : 0;
            empties += frames[i] == 0 ? 1 : 0;
            if (row.hertz > 59 && row.hertz < 61 && frames[i] != 1) {
                EXPECT_EQ(frames[i - 1], 1) << row.hertz << " Hz: a burst at " << i;
            }
            // At 144 Hz a frame comes every second or third refresh.
            sinceFrame = frames[i] > 0 ? 0 : sinceFrame + 1;
            if (row.hertz == 144) {
                EXPECT_LE(sinceFrame, 2) << "refresh " << i;
            }
        }
        EXPECT_NEAR(total, 3600, 4) << row.hertz << " Hz";
        EXPECT_LE(doubles, row.mostDoubles) << row.hertz << " Hz";
        EXPECT_LE(empties, row.mostEmpties) << row.hertz << " Hz";
    }
}

// After a stall the next ask runs a few frames at most and the time missed is forgotten; after a
// restart (a window shown again, a new game) it runs one. A desktop that sleeps until each frame
// is due runs one frame at each wake.
TEST(FrameSchedule, AStallIsNotReplayedAndARestartBeginsWithOneFrame) {
    FrameSchedule schedule;
    EXPECT_EQ(schedule.framesDue(100), 1);
    EXPECT_EQ(schedule.framesDue(2100), FrameSchedule::kMostFramesAtOnce);
    EXPECT_EQ(schedule.framesDue(2100 + FrameSchedule::kFramePeriodMs), 1);
    schedule.restart();
    EXPECT_EQ(schedule.framesDue(9000), 1);
    for (int i = 0; i < 600; ++i) ASSERT_EQ(schedule.framesDue(schedule.nextDueMs() + 0.05), 1) << "wake " << i;
}

}  // namespace
}  // namespace vellix
