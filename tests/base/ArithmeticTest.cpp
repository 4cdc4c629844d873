#include "base/Arithmetic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/Twips.h"

namespace vellix {
namespace {

// Pushing back one twip at a time stops at the first place inside, keeping the fraction, however
// far outside it starts; past 2^24, where a twip no longer moves a float, it still ends within a
// twip of the edge, and a position that is no number lands on the edge. Worked out by hand.
TEST(Arithmetic, PushingBackATwipAtATimeStopsAtTheFirstPlaceInside) {
    struct Row {
        float from, step;
        double edge;  // outside while x <= edge (step +1) or x >= edge (step -1)
        float to;
    };
    for (const Row row : {Row{0, 1, 0, 1}, Row{-3000000.25f, 1, 0, 0.75f}, Row{200.5f, 1, 247, 247.5f},
                          Row{8000000.5f, -1, 8753, 8752.5f}, Row{7740, -1, 7740, 7739}, Row{5, 1, 0, 5},
                          Row{-0.5f, 1, 0, 0.5f}}) {
        const auto outside = [&](float x) { return row.step > 0 ? x <= row.edge : x >= row.edge; };
        EXPECT_EQ(pushBack(row.from, row.step, row.edge, outside), row.to) << row.from;
    }
    const float far = pushBack(3e9f, -1.0f, 8753, [](float x) { return x >= 8753; });
    EXPECT_TRUE(far >= 8752 && far < 8753) << far;
    const float lost = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(pushBack(lost, 1.0f, 500, [](float x) { return !(x > 500); }), 501);
}

// Twips become pixels by the floor of twips / 15, exactly, and wild values are held far off any
// canvas rather than overflowing; counts saturate at the ends of 16 bits.
TEST(Arithmetic, TwipsToPixelsIsTheFloorAndWildValuesStayInRange) {
    struct Row {
        float twips;
        int pixels;
    };
    for (const Row row : {Row{0, 0}, Row{14.999f, 0}, Row{15, 1}, Row{-0.001f, -1}, Row{-15, -1}, Row{9105, 607},
                          Row{1e30f, 1 << 28}, Row{-1e30f, -(1 << 28)}, Row{std::numeric_limits<float>::quiet_NaN(), -(1 << 28)}})
        EXPECT_EQ(twipsToPixels(row.twips), row.pixels) << row.twips;
    EXPECT_EQ(Int(-0.5f), -1);
    EXPECT_EQ(toInt16(40000), 32767);
    EXPECT_EQ(toInt16(-1e9), -32768);
    EXPECT_EQ(toInt16(std::nan("")), -32768);
}

}  // namespace
}  // namespace vellix
