#include "base/TimeOfDay.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace vellix {
namespace {

// The seed is the local time of day in seconds. Where local time is `ahead` seconds ahead of UTC,
// whose days are 86400 seconds from the epoch on, that is (now + ahead) modulo a day; the clock is
// read between two readings of now, a second apart at most.
TEST(TimeOfDay, CountsTheSecondsSinceLocalMidnight) {
    for (auto [zone, ahead] : {std::pair{"UTC", 0}, {"XYZ-5:30", 5 * 3600 + 30 * 60}}) {
        setenv("TZ", zone, 1);
        tzset();
        const std::time_t before = std::time(nullptr);
        const std::uint32_t seconds = SystemTimeOfDay().secondsSinceMidnight();
        const std::time_t after = std::time(nullptr);
        EXPECT_TRUE(seconds == (before + ahead) % 86400 || seconds == (after + ahead) % 86400) << zone << ": " << seconds;
    }
}

}  // namespace
}  // namespace vellix
