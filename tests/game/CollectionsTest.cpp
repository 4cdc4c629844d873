#include "game/Collections.h"

#include <gtest/gtest.h>

#include "tests/support/GameTools.h"

namespace vellix {
namespace {

TEST(Collections, ABallDeployedDuringAWalkWaitsForTheNextWalkAndTheOthersStayPut) {
    testing::StartedGame t;
    testing::clearPowerupKinds(t.game);
    clsBall& first = t.game.balls[0];
    first.init(682, 700);  // rises into the bottom edge (540) of brick 0, which yields as it breaks
    first.setVelocity(0, -100);
    t.whole.onYield = [&] { deployBall(t.game); };
    moveBalls(t.game);
    ASSERT_EQ(t.game.balls.count(), 2);
    EXPECT_TRUE(&t.game.balls[0] == &first && t.game.balls[0].isAlive()) << "the first ball was replaced";
    EXPECT_EQ(t.game.balls[1].vy(), 0) << "moved in the walk it joined";
}

// A ball over two bricks finds the lower index, and every paddle grows for the brick found; only
// the first paddle struck, in index order, takes the hit.
TEST(Collections, DetectionTakesTheFirstObjectStruckInIndexOrder) {
    testing::StartedGame t;
    t.game.paddles.rebuild(2);
    t.game.paddles[1].place(3050, 3010, 1515);
    t.game.bricks[5].setLeft(500);  // brick 5 (row 1) under brick 0: y 540 is 0's bottom edge and 5's top
    EXPECT_EQ(detectBrickCollision(t.game, 1000, 540, 495), 0);
    EXPECT_EQ(t.game.paddles[1].width(), 1515 + 75);

    for (float mainX : {3000.0f, 8000.0f}) {
        t.game.paddles[0].place(mainX, 3010, 1515);
        EXPECT_EQ(detectPaddleCollision(t.game, Position{3100, 2900}, 495), mainX == 3000 ? 100 : 50);
        EXPECT_EQ(t.game.paddles[1].ypos(), mainX == 3000 ? 3010 : 3250) << "the second paddle";
    }
}

}  // namespace
}  // namespace vellix
