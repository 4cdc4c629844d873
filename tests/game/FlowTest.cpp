#include "game/GameFlow.h"

#include <gtest/gtest.h>

#include "game/Collections.h"
#include "game/Powerups.h"
#include "tests/support/GameTools.h"

namespace vellix {
namespace {

using namespace testing;

struct Stop {};

struct Flow : ::testing::Test {
    void SetUp() override { startUp(g); }
    TestGame t;
    GameState& g = t.game;
};

TEST_F(Flow, EveryTwoHundredthPointGivesALife) {
    for (auto [score, lives] : {std::pair{99.0, 5}, {200.0, 5}, {199.0, 6}, {399.0, 7}}) {
        g.score = score;
        g.addPoint();
        EXPECT_EQ(g.lives, lives) << "after point " << score + 1;
    }
}

TEST_F(Flow, APassWithNoLiveBallDeploysOneAndResetsThePaddlesWithoutDrawingOrYielding) {
    addCompanionPaddle(g);
    expandPaddles(g);
    dropOut(g, 0);
    EXPECT_EQ(gameLoopPass(g), PassResult::Deployed);
    EXPECT_EQ(t.host.canvas().image(), Canvas(9105, 5010).image()) << "drew a frame";
    EXPECT_EQ(g.lives, 4);
    ASSERT_EQ(g.balls.count(), 2);
    EXPECT_EQ(g.messages[0], "New ball deployed");
    for (std::int16_t i = 0; i < 2; ++i) EXPECT_EQ(g.paddles[i].width(), g.sprites().imgPaddleCenter.Width()) << i;

    dropOut(g, 1);
    t.host.onFrameYield = [] { throw Stop{}; };
    EXPECT_THROW(playUntilGameOver(g), Stop);
    EXPECT_NE(g.balls[2].vy(), 0) << "yielded before the new ball's first frame";
}

TEST_F(Flow, WithNoLivesLeftPlayGoesOnUntilTheLastBallIsLostAndANewGameStartsOver) {
    SpellingText text(t.host.canvas());
    g.level = 3;
    g.score = 55;
    g.lives = 0;
    deployBall(g);
    EXPECT_EQ(gameLoopPass(g), PassResult::Drawn);
    ASSERT_EQ(g.balls.count(), 1);
    dropOut(g, 0);
    playUntilGameOver(g);
    EXPECT_TRUE(g.gameIsOver && t.host.newGameVisible);
    EXPECT_EQ(t.host.canvas().MousePointer(), Canvas::kDefaultPointer);
    // The final frame's top log line, at 240 and 3210 twips.
    EXPECT_EQ(textAt(t.host.canvas().image(), 16, 214), "Game Over!");

    // Only the start of the program welcomes level 1.
    newGame(g);
    const char* log[] = {"Game Over!", "Ball is dead :(", "Welcome to level 1", ""};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(g.messages[i], log[i]) << i;
    EXPECT_EQ(g.level, 1);
    EXPECT_EQ(g.score, 0);
    EXPECT_EQ(g.lives, 5);
    EXPECT_FALSE(g.gameIsOver || t.host.newGameVisible);
    EXPECT_EQ(t.host.canvas().MousePointer(), Canvas::kCustomPointer);
}

TEST_F(Flow, AWallClearedAsTheLastBallIsLostAdvancesToAFreshLevelWithoutCostingALife) {
    // A low field: the bottom row of bricks (row 3, 1620 to 2160) reaches below the floor.
    t.host.canvas().resize(9105, 2000);
    for (std::int16_t i = 0; i < g.bricks.count(); ++i) {
        g.bricks[i].setPowerup(i == 15 ? 5 : 0);  // the last brick freezes the wall as it breaks
        if (i != 15) g.bricks[i].die();
    }
    g.level = 9;
    // Falls to y 2040, below the floor and within reach of brick 15's bottom edge (left 1365).
    g.balls[0].init(2047, 1990);
    g.balls[0].setVelocity(0, 49);
    EXPECT_EQ(gameLoopPass(g), PassResult::LevelAdvanced);
    EXPECT_EQ(g.messages[0], "Welcome to level 10");
    EXPECT_EQ(g.lives, 5);
    EXPECT_EQ(g.score, 20);
    EXPECT_FALSE(g.frozenBricks);

    // The frame that clears a wall ends without a yield; the next one yields.
    for (std::int16_t i = 0; i < g.bricks.count(); ++i) g.bricks[i].die();
    t.host.onFrameYield = [] { throw Stop{}; };
    EXPECT_THROW(playUntilGameOver(g), Stop);
    EXPECT_EQ(t.host.framesEnded, 2);
}

TEST_F(Flow, AFullBallCollectionTakesNoBallCostsNoLifeAndEndsTheGame) {
    g.balls.rebuild(ObjectCollection<clsBall>::kMaxCount);
    deployBall(g);
    EXPECT_EQ(g.lives, 5);
    EXPECT_EQ(gameLoopPass(g), PassResult::GameOver);
}

}  // namespace
}  // namespace vellix
