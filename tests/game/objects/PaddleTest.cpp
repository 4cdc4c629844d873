#include "game/objects/clsPaddle.h"

#include <gtest/gtest.h>

#include <tuple>

#include "tests/support/TestGame.h"

namespace vellix {
namespace {

using vellix::testing::TestGame;

clsPaddle& paddleAt(TestGame& t, std::int16_t level, bool companion = false) {
    t.game.setLevel(level);
    t.game.paddles.rebuild(1);
    t.game.paddles[0].init(companion);
    return t.game.paddles[0];
}

TEST(Paddle, TakesOneStepTowardsItsTargetOrLandsOnIt) {
    // A step is 180 at level 1, 160 at level 2 and 140 from then on, three times as far when fast.
    // The main paddle chases the pointer, and a paddle off the field is not held inside it; the
    // companion chases half a field right of it, rounded half to even and wrapped round the field,
    // unless the field is under one twip wide. A field that narrow takes no pointer: it stays at
    // 997, where the window's load put it.
    struct Row {
        float field;
        std::int16_t level;
        bool companion, fast;
        float from, pointer, to;
    };
    for (const Row row : {Row{9105, 1, false, false, 1000, 1100.25f, 1100.25f}, {9105, 1, false, false, 1000, 1179.5f, 1179.5f},
                          {9105, 1, false, false, 1400, 6000, 1580}, {9105, 2, false, false, 1000, 5000, 1160},
                          {9105, 9, false, false, 1000, 0, 860}, {9105, 1, false, true, 1000, 5000, 1540},
                          {9105, 1, false, false, -4900, 0, -4720}, {9000, 1, true, false, 1400, 6000, 1500},
                          {9000, 1, true, false, 5450, 1000.5f, 5500}, {9000.75f, 1, true, false, 1400, 6000.5f, 1500},
                          {0.5f, 1, true, false, 1000, 997, 997}}) {
        TestGame t(row.field, 5010);
        t.game.setFastPaddle(row.fast);
        clsPaddle& p = paddleAt(t, row.level, row.companion);
        p.place(row.from, 3010, 1515);
        t.pointAt(row.pointer);
        p.move();
        EXPECT_EQ(p.xpos(), row.to) << "field " << row.field << ", level " << row.level << ", from " << row.from
                                    << " to " << row.pointer;
    }
}

TEST(Paddle, IsStruckOnlyOverItsCentreSectionWithinHalfABallOfALineAndItsWidthFollowsStrikesAndBrokenBricks) {
    TestGame t;
    clsPaddle& p = paddleAt(t, 1);
    // Each strike takes 150 - 30 x level off, down to 600 at the narrowest; each brick broken adds
    // 75, and never leaves it narrower than it started.
    for (int i = 0; i < 9; ++i) p.detectCollision(p.xpos(), p.ypos(), 495);
    const float narrowest = p.width();
    for (int i = 0; i < 2; ++i) p.expand();
    EXPECT_EQ(std::tuple(narrowest, p.width()), std::tuple(600.0f, 1590.0f));
    // Centred at 4000 and 1515 wide: struck from 3243 to 4757, lines at 2888 and 3112, reach 247.
    // A strike dips it 240.
    struct Row {
        std::int16_t level;
        float x, y;
        float offset, width;  // what detectCollision returns (0: not struck), and the width after
    };
    for (const Row r : {Row{1, 3243, 2700, -757, 1395}, {5, 4757, 3300, 757, 1515}, {6, 4000.5f, 2700, 0.5f, 1545},
                        {10, 4000, 2700, 1, 1665}, {1, 4000, 3300, 1, 1395}, {1, 3242.5f, 2888, 0, 1515},
                        {1, 4757.5f, 2888, 0, 1515}, {1, 4100, 2641, 0, 1515}, {1, 4100, 2642, 100, 1395},
                        {1, 4100, 3359, 0, 1515}, {1, 4100, 3358, 100, 1395}}) {
        t.game.setLevel(r.level);
        p.place(4000, 3000, 1515);
        EXPECT_EQ((std::tuple{p.detectCollision(r.x, r.y, 495), p.ypos(), p.width()}),
                  (std::tuple{r.offset, r.offset == 0 ? 3000.0f : 3240.0f, r.width})) << r.x << ", " << r.y;
    }
}

TEST(Paddle, StartsOnTheRestLineAndClimbsBackToItTwentyAFrameDrawnWhereItWas) {
    const SpriteSet& s = SpriteSet::builtIn();
    const Pixel grey = rgb(0x40, 0x40, 0x40);
    TestGame t(9105, 5000);  // rest line 3000
    t.canvas().PaintPicture(Picture(700, 400, grey), 0, 0, RasterOp::SRCCOPY);
    // At Int(9105 / 2) times one draw, its fraction kept: from seed 777, 4552 x 0.4759388 in floats.
    t.game.random().seed(777);
    clsPaddle& p = paddleAt(t, 1);
    EXPECT_EQ((std::tuple{p.ypos(), p.width(), p.xpos()}), (std::tuple{3000.0f, 1515.0f, 2166.473388671875f}));
    // Wider than its picture, from -6500 to 2500, it is drawn in pieces side by side: the last from
    // 1075 (pixel 71) to pixel 165. Then, dipped, the centre section spans pixels 200 to 300 from row 216.
    p.place(-2000, 1500, 9000);
    p.paint();
    p.place(3750, 3240, 1500);
    p.paint();
    EXPECT_EQ(p.ypos(), 3220);
    const Picture& image = t.canvas().image();
    for (int x : {0, 71, 165}) EXPECT_EQ(image.at(x, 100), grey | s.imgPaddleCenter.at(0, 0)) << x;  // no mask
    // The caps go through their masks: a corner of the left one, and shape near each inner end.
    auto masked = [&](const Picture& a, const Picture& m, int x, int y) { return (grey & m.at(x, y)) | a.at(x, y); };
    EXPECT_EQ(image.at(195, 216), masked(s.imgPaddleLeft, s.imgPaddleLeftMatte, 0, 0));
    EXPECT_EQ(image.at(197, 217), masked(s.imgPaddleLeft, s.imgPaddleLeftMatte, 2, 1));
    EXPECT_EQ(image.at(300, 217), masked(s.imgPaddleRight, s.imgPaddleRightMatte, 0, 1));
    for (int frame = 2; frame <= 13; ++frame) p.paint();
    EXPECT_EQ(p.ypos(), 3000);
    // Ten below the line, it climbs a whole twenty, to ten above, and stays there.
    p.place(3750, 3010, 1500);
    for (int frame = 1; frame <= 2; ++frame) p.paint();
    EXPECT_EQ(p.ypos(), 2990);
}

}  // namespace
}  // namespace vellix
