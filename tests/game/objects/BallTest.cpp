#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "tests/support/TestGame.h"

namespace vellix {
namespace {

using testing::TestGame;

// A ball brought to life at (x, y), where it rests unless given a velocity.
clsBall& ballAt(TestGame& t, float x, float y, float vx = 0, float vy = 0) {
    t.game.balls.rebuild(1);
    t.game.balls[0].init(x, y);
    t.game.balls[0].setVelocity(vx, vy);
    return t.game.balls[0];
}

TEST(Ball, FallsOneTwipAFrameFasterAndOnlyItsRightwardAndDownwardSpeedsAreCapped) {
    // Under the magnet, as here, it steps |vx| towards the pointer, whichever way vx points, and
    // swings about the pointer once there.
    struct Row {
        float pointer, vx, vy;
        float x, y, endVx, endVy;
    };
    for (const Row r : {Row{8999, 200, 150, 3150, 3150, 150, 150}, {8999, 0, -200, 3000, 2801, 0, -199},
                        {4000, -30, 0, 3030, 3001, -30, 1}, {2000, -200, 0, 2800, 3001, -200, 1},
                        {3000, 30, 0, 2970, 3001, 30, 1}, {3015, 30, 0, 2970, 3001, 30, 1}}) {  // as near either way: back
        TestGame t(9000, 6000);
        t.game.setMagneticPaddle(true);
        t.pointAt(r.pointer);
        clsBall& ball = ballAt(t, 3000, 3000, r.vx, r.vy);
        ball.move();
        EXPECT_EQ(std::tuple(ball.pos().x, ball.pos().y, ball.vx(), ball.vy()), std::tuple(r.x, r.y, r.endVx, r.endVy))
            << r.vx;
    }
}

// The ball and the pointer are drawn through their mattes: over a white field the ball's own pixels
// show as they are, and the field around them stays white.
TEST(Ball, APointerTwentyDownAtItsXMarksABallAboveTheField) {
    const Picture white(700, 400, rgb(255, 255, 255));
    for (const float y : {-10.0f, 0.0f}) {
        const bool marked = y < 0;
        TestGame t(9000, 6000);
        t.canvas().PaintPicture(white, 0, 0, RasterOp::SRCCOPY);
        ballAt(t, 3000, y + 20, 0, -21).move();  // rises onto y, which init could not be given as 0
        t.game.balls[0].paint();
        const Picture& field = t.canvas().image();
        const SpriteSet& s = t.game.sprites();
        // The pointer's foot, (1, 16) in its picture, lies below the ball.
        EXPECT_EQ(field.at(201, 17) == s.imgPointer.at(1, 16), marked) << y;
        // The ball's picture stands from (3000 - 247) / 15 across and (y - 247) / 15 down: its lower
        // half shows, within its round shape and outside it.
        const int top = int(std::floor((y - 247) / 15));
        for (auto [x, by] : {std::pair{16, 20}, {16, 31}, {2, 30}, {31, 19}})
            EXPECT_EQ(field.at(183 + x, top + by), s.imgBallMatte.at(x, by) != 0 ? white.at(0, 0) : s.imgBall.at(x, by))
                << x << ", " << by;
        for (auto [x, py] : {std::pair{1, 16}, {7, 17}, {13, 17}}) {  // its feet and the notch between, below the ball
            if (!marked) break;
            const Pixel pointer = s.imgPointerMatte.at(x, py) != 0 ? white.at(0, 0) : s.imgPointer.at(x, py);
            EXPECT_EQ(field.at(200 + x, 1 + py), pointer) << x << ", " << py;
        }
    }
}

TEST(Ball, ComesToLifeDrawingOnlyTheCoordinatesGivenAsZeroXFirstAndWhenLostEndsEveryPowerupStillDrawnWhereItFell) {
    TestGame t(9000, 6000);
    // A served ball starts in the upper left quarter, 60 in at least: Int(4500 r + 60) across and
    // Int(3000 r + 60) down. From seed 777 the generator draws 0.476 and then 0.653.
    struct Row {
        Position given, served;
    };
    for (const Row r : {Row{{0, 0}, {2201, 2017}}, {{0, 500}, {2201, 500}}, {{300, 0}, {300, 1487}}, {{1200, 900}, {1200, 900}}}) {
        t.game.random().seed(777);
        const Position served = ballAt(t, r.given.x, r.given.y).pos();
        EXPECT_EQ(std::pair(served.x, served.y), std::pair(r.served.x, r.served.y)) << "given " << r.given.x << ", " << r.given.y;
    }
    for (std::uint64_t seed = 0; seed < 200; ++seed) {
        t.game.random().seed(seed);
        const Position served = ballAt(t, 0, 0).pos();
        ASSERT_TRUE(served.x >= 60 && served.x < 4560 && served.y >= 60 && served.y < 3060) << served.x << ", " << served.y;
    }

    clsBall& ball = ballAt(t, 4500, 5999);  // at rest: still in play at 6000, lost at 6002
    t.game.setFastPaddle(true);
    t.game.setFrozenBricks(true);
    t.game.setMagneticPaddle(true);
    for (int step = 0; step < 3; ++step) ball.move();  // and after the loss moved no more
    ball.paint();
    EXPECT_EQ(std::tuple(t.game.messages[0], ball.pos().x, ball.pos().y), std::tuple("Ball is dead :(", 4500, 6002));
    EXPECT_FALSE(t.game.getFastPaddle() || t.game.getFrozenBricks() || t.game.getMagneticPaddle());
    // Its top still shows above the bottom edge: its centre pixel, from (4253, 5755).
    EXPECT_EQ(t.canvas().image().at(283 + 16, 383 + 16), t.game.sprites().imgBall.at(16, 16));
}

}  // namespace
}  // namespace vellix
