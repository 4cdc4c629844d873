#include "game/Powerups.h"

#include <gtest/gtest.h>

#include <tuple>

#include "game/Collections.h"
#include "tests/support/GameTools.h"

namespace vellix {
namespace {

using namespace testing;

TEST(Powerups, EachKindEndsTheLastingEffectsThenActsThenAnnouncesItself) {
    const char* names[] = {"Powerup - Exploding brick", "Powerup - Companion paddle", "Powerup - Ball",
                           "Powerup - Fast paddle", "Powerup - Frozen bricks", "Powerup - Magnetic paddle"};
    for (std::int16_t number = 1; number <= 6; ++number) {
        const auto kind = PowerupKind(number);
        SCOPED_TRACE(names[number - 1]);
        StartedGame t;
        GameState& g = t.game;
        clearPowerupKinds(g);
        g.setFastPaddle(true);
        g.setFrozenBricks(true);
        g.setMagneticPaddle(true);
        g.bricks[7].setPowerup(kind);  // row 1, column 2: left 4095, top 540
        killBrick(g, 7);
        EXPECT_EQ(std::tuple(g.messages[0], g.getFastPaddle(), g.getFrozenBricks(), g.getMagneticPaddle(), g.paddles.count()),
                  std::tuple(names[number - 1], kind == PowerupKind::FastPaddle, kind == PowerupKind::FrozenBricks,
                             kind == PowerupKind::MagneticPaddle, kind == PowerupKind::CompanionPaddle ? 2 : 1));
        ASSERT_EQ(g.balls.count(), kind == PowerupKind::Ball ? 2 : 1);
        // The ball drops from the brick's centre: 4095 + 682 and 540 + 270.
        EXPECT_TRUE(kind != PowerupKind::Ball || (g.balls[1].pos().x == 4777 && g.balls[1].pos().y == 810));
        addCompanionPaddle(g);
        EXPECT_EQ(g.paddles.count(), 2) << "never a second companion";
    }
}

TEST(Powerups, AnExplosionBreaksTheOtherLiveBricksWithinATenthOfTheFieldWidthEachWay) {
    StartedGame t(9000, 5010);
    clearPowerupKinds(t.game);
    // Brick 6 (row 1, column 1) explodes with its centre at (3412, 810); R is 900.
    t.game.bricks[6].setPowerup(PowerupKind::ExplodingBrick);
    t.game.bricks[12].setPowerup(PowerupKind::FastPaddle);  // 540 below: a victim carrying the fast paddle
    t.game.bricks[2].die();           // 540 above, dead already, carrying a ball
    t.game.bricks[2].setPowerup(PowerupKind::Ball);
    t.game.bricks[5].setLeft(2730 - 899);  // centre 899 across: inside
    t.game.bricks[7].setLeft(2730 + 900);  // centre exactly 900 across: outside
    t.game.bricks[1].setLeft(2730 - 800);  // 800 across and 540 up: inside the square, outside the circle
    // Bricks 3, 11 and 13 stand 1365 across, brick 16 1080 below: outside.
    t.game.score = 196;
    killBrick(t.game, 6);
    for (std::int16_t i = 0; i < t.game.bricks.count(); ++i)
        EXPECT_EQ(t.game.bricks[i].isAlive(), i != 1 && i != 2 && i != 5 && i != 6 && i != 12) << i;
    // Each victim dies in full inside the blast; the exploding brick announces itself, then scores
    // the 200th point.
    const char* log[] = {"Extra life!", "Powerup - Exploding brick", "Powerup - Fast paddle", "Welcome to level 1"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(t.game.messages[i], log[i]) << i;
}

}  // namespace
}  // namespace vellix
