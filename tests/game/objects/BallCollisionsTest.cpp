#include <gtest/gtest.h>

#include <initializer_list>
#include <tuple>
#include <utility>

#include "tests/support/TestGame.h"

namespace vellix {
namespace {

using testing::TestGame;
using Sounds = std::vector<std::int16_t>;

// Paddles of the starting width 1515 centred at the given points: struck when the ball's x is
// within 757 of the centre and its y less than 247 from ypos - 112 or ypos + 112. Bricks
// (1365 x 540, row r spanning y 540r to 540r + 540) by row and left edge, carrying no power-up.
// Then a ball takes one step that ends at (x, y) moving at (vx, vy), gravity included, and meets
// whatever is there. Neither start coordinate may be 0, which init would take as a random one.
const clsBall& step(TestGame& t, float x, float y, float vx, float vy, std::initializer_list<Position> paddles = {},
                    std::initializer_list<std::pair<std::int16_t, float>> bricks = {}) {
    t.game.paddles.rebuild(std::int16_t(paddles.size()));
    t.game.bricks.rebuild(std::int16_t(bricks.size()));
    for (std::int16_t i = 0; const Position& c : paddles) t.game.paddles[i++].place(c.x, c.y, 1515);
    for (std::int16_t i = 0; const auto& [row, left] : bricks) {
        t.game.bricks[i].init(row, 0, i);
        t.game.bricks[i].setLeft(left);
        t.game.bricks[i++].setPowerup(PowerupKind::None);
    }
    t.game.balls.rebuild(1);
    t.game.balls[0].init(x - vx, y - vy);
    t.game.balls[0].setVelocity(vx, vy - 1);
    t.game.balls[0].move();
    return t.game.balls[0];
}

TEST(BallCollisions, TheWallsAndTheCeilingTurnTheBallAndPushItBackInsideOneTwipAtATime) {
    // Touching a wall counts, whichever way the ball goes, and so does a step past it or a long way
    // past: it comes back to the first place inside, keeping its fraction, with one ricochet. The
    // ceiling, 2000 above the field, sends it back down to just inside the top, without a sound.
    TestGame t(9000, 6000);
    struct Row {
        float x, y, vx, vy;          // where the step ends, and the velocity it had
        float endX, endY, endVx, endVy;
    };
    for (const Row r : {Row{247, 900, -10, 5, 248, 900, 10, 5}, {248, 900, -10, 5, 248, 900, -10, 5},
                        {247, 900, 10, 5, 248, 900, -10, 5}, {8753, 900, 10, 5, 8752, 900, -10, 5},
                        {8752, 900, 10, 5, 8752, 900, 10, 5}, {200.5f, 900, -10, 5, 247.5f, 900, 10, 5},
                        {8000000.5f, 900, 10, 5, 8752.5f, 900, -10, 5}, {4500, -2000, 0, -35, 4500, -2000, 0, -35},
                        {4500, -2001, 0, -35, 4500, 248, 0, 35}, {4500, -5000000.5f, 0, -100, 4500, 247.5f, 0, 100}}) {
        t.takeSounds();
        const clsBall& ball = step(t, r.x, r.y, r.vx, r.vy);
        EXPECT_EQ(std::tuple(ball.pos().x, ball.pos().y, ball.vx(), ball.vy(), t.takeSounds()),
                  std::tuple(r.endX, r.endY, r.endVx, r.endVy, Sounds(r.vx != r.endVx, kSoundRicochet)))
            << r.x << ", " << r.y;
    }
}

TEST(BallCollisions, PassingTheFloorLosesTheBallAndTheOtherChecksStillRunInOrder) {
    // At x 247 touching the left wall, over a paddle struck 100 right of its centre and on a
    // brick's top edge: each check starts from the velocities the one before left, which a loss
    // leaves at 0 and 0.
    struct Row {
        float y;
        bool alive;
        float vx, vy;
        Sounds sounds;
    };
    for (const Row& r : {Row{6000, true, 15, 10, {kSoundRicochet, kSoundBounce, kSoundBreak}},
                         Row{6000.5f, false, 5, 0, {kSoundSink, kSoundRicochet, kSoundBounce, kSoundBreak}}}) {
        TestGame t(9000, 6000);
        const clsBall& ball = step(t, 247, r.y, -10, 10, {{148, 6100}}, {{11, 0}});
        EXPECT_EQ(std::tuple(ball.isAlive(), ball.pos().x, ball.vx(), ball.vy()), std::tuple(r.alive, 248.0f, r.vx, r.vy));
        EXPECT_EQ(t.takeSounds(), r.sounds);
    }
}

TEST(BallCollisions, OnlyTheFirstPaddleStruckTurnsTheBallBackUpFasterWithSidewaysSpeedByWhereItStruck) {
    // Every 20 twips from the centre add one of sideways speed; the boost of 20 ends at level 12.
    // The first paddle is missed; the second, 246 from the ball, is struck by its whole size and
    // dips; the third, in reach too, is not struck.
    struct Row {
        float ballX, vx, vy;
        std::int16_t level;
        float endVx, endVy;
    };
    for (const Row r : {Row{4600, 0, 30, 11, 5, -50}, {4530, 2, 30, 1, 2 + 30.0f / 20, -50}, {4500, 0, 30, 12, 1.0f / 20, -30},
                        {4600, 0, -30, 1, 5, 10}}) {
        TestGame t(9000, 6000);
        t.game.setLevel(r.level);
        const clsBall& ball = step(t, r.ballX, 3900, r.vx, r.vy, {{1000, 4000}, {4500, 4258}, {4500, 4000}});
        EXPECT_EQ(std::tuple(ball.vx(), ball.vy(), t.takeSounds(), t.game.paddles[1].ypos(), t.game.paddles[2].ypos()),
                  std::tuple(r.endVx, r.endVy, Sounds{kSoundBounce}, 4498.0f, 4000.0f)) << r.ballX << ", level " << r.level;
    }
}

TEST(BallCollisions, OverlappingBricksBreakLowestIndexFirstEachFlippingVyWithTheBoostThenYielding) {
    TestGame t(9000, 6000);
    std::vector<std::tuple<bool, bool, float, float>> atYields;  // the bricks standing, the paddle's width, vy
    t.whole.onYield = [&] {
        atYields.emplace_back(t.game.bricks[0].isAlive(), t.game.bricks[1].isAlive(), t.game.paddles[0].width(),
                              t.game.balls[0].vy());
    };
    // Rising onto the bottom edges (y 3240) of both, 60 below them.
    const clsBall& ball = step(t, 5000, 3300, 6, -40, {{1000, 4000}}, {{5, 4500}, {5, 4600}});
    // The paddle grows before each yield; the ball is not moved. Each break plays its own sound.
    EXPECT_EQ(atYields, (decltype(atYields){{false, true, 1590, 20}, {false, false, 1665, -40}}));
    EXPECT_EQ(std::tuple(ball.pos().x, ball.pos().y, ball.vx(), t.takeSounds()),
              std::tuple(5000.0f, 3300.0f, 6.0f, Sounds(2, kSoundBreak)));
}

}  // namespace
}  // namespace vellix
