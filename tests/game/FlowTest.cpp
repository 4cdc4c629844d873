#include "game/GameFlow.h"

#include <gtest/gtest.h>

#include <tuple>

#include "game/Collections.h"
#include "game/Powerups.h"
#include "tests/support/GameTools.h"

namespace vellix {
namespace {

using namespace testing;

struct Flow : ::testing::Test {
    StartedGame t;
    GameState& g = t.game;
};

TEST_F(Flow, EveryTwoHundredthPointGivesALife) {
    for (auto [score, lives] : {std::pair{99.0, 5}, {200.0, 5}, {199.0, 6}, {399.0, 7}}) {
        g.score = score;
        g.addPoint();
        EXPECT_EQ(g.lives, lives) << "after point " << score + 1;
    }
}

// The counts are 16 bits: lives and levels stop at 32767 rather than wrap round to negative, and so
// far on the paddles keep their slowest speed.
TEST_F(Flow, LivesAndLevelsStopAt32767) {
    g.lives = 32767;
    g.score = 199;
    g.addPoint();
    g.setLevel(32767);
    nextLevel(g);
    EXPECT_EQ(std::tuple(g.lives, g.getLevel(), g.paddles[0].speed(), g.messages[0], g.messages[1]),
              std::tuple(32767, 32767, 140, "Welcome to level 32767", "Extra life!"));
}

// With no live ball a pass deploys one and resets the paddles, drawing nothing and not yielding;
// a full ball collection takes no ball, costs no life and ends the game.
TEST_F(Flow, APassWithNoLiveBallDeploysOneAndResetsThePaddlesWithoutDrawingOrYieldingUnlessNoBallFits) {
    addCompanionPaddle(g);
    expandPaddles(g);
    dropOut(g, 0);
    EXPECT_EQ(gameLoopPass(g), PassResult::Deployed);
    EXPECT_EQ(t.canvas().image(), Canvas(9105, 5010).image()) << "drew a frame";
    ASSERT_EQ(g.balls.count(), 2);
    EXPECT_EQ(std::tuple(g.lives, g.messages[0]), std::tuple(4, "New ball deployed"));
    for (std::int16_t i = 0; i < 2; ++i) EXPECT_EQ(g.paddles[i].width(), g.sprites().imgPaddleCenter.Width()) << i;

    dropOut(g, 1);
    EXPECT_TRUE(t.whole.playFrame());  // a pass that deploys a ball is followed at once by one that draws
    EXPECT_EQ(std::tuple(g.balls[2].vy() != 0, t.whole.framesDrawn()), std::tuple(true, 1L));

    g.balls.rebuild(ObjectCollection<clsBall>::kMaxCount);
    deployBall(g);
    EXPECT_EQ(g.lives, 3) << "spent a life on a ball that did not fit";  // two of the five went above
    EXPECT_EQ(gameLoopPass(g), PassResult::GameOver);
}

TEST_F(Flow, WithNoLivesLeftPlayGoesOnUntilTheLastBallIsLostAndANewGameStartsOver) {
    SpellingText text(t.canvas());
    auto shown = [&] { return std::tuple(g.gameIsOver, t.whole.window().newGameButton().visible, t.whole.pointerShown()); };
    g.setLevel(3);
    g.score = 55;
    g.lives = 0;
    deployBall(g);
    EXPECT_EQ(gameLoopPass(g), PassResult::Drawn);
    ASSERT_EQ(g.balls.count(), 1) << "deployed a ball with no life left";
    dropOut(g, 0);
    while (t.whole.playFrame() && !g.gameIsOver) {
    }
    EXPECT_EQ(shown(), std::tuple(true, true, true));
    // The final frame's top log line, at 240 and 3210 twips.
    EXPECT_EQ(textAt(t.canvas().image(), 16, 214), "Game Over!");

    // Only the start of the program welcomes level 1.
    newGame(g);
    const char* log[] = {"Game Over!", "Ball is dead :(", "Welcome to level 1", ""};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(g.messages[i], log[i]) << i;
    EXPECT_EQ(shown(), std::tuple(false, false, false));
    EXPECT_EQ(std::tuple(g.getLevel(), g.score, g.lives), std::tuple(1, 0.0, 5));
}

TEST_F(Flow, AWallClearedAsTheLastBallIsLostAdvancesToAFreshLevelWithoutCostingALife) {
    // A low field: the bottom row of bricks (row 3, 1620 to 2160) reaches below the floor.
    t.canvas().resize(9105, 2000);
    clearPowerupKinds(g);
    for (std::int16_t i = 0; i < g.bricks.count(); ++i) if (i != 15) g.bricks[i].die();
    g.bricks[15].setPowerup(PowerupKind::FrozenBricks);  // the last brick freezes the wall as it breaks
    g.setLevel(9);
    // Falls to y 2040, below the floor and within reach of brick 15's bottom edge (left 1365).
    g.balls[0].init(2047, 1990);
    g.balls[0].setVelocity(0, 49);
    EXPECT_EQ(gameLoopPass(g), PassResult::LevelAdvanced);
    EXPECT_NE(t.canvas().image(), Canvas(9105, 2000).image()) << "the frame that cleared the wall was not drawn";
    EXPECT_EQ(std::tuple(g.messages[0], g.lives, g.score, g.getFrozenBricks()),
              std::tuple("Welcome to level 10", 5, 20.0, false));

    // The frame that clears a wall ends without a yield; the next one yields.
    for (std::int16_t i = 0; i < g.bricks.count(); ++i) g.bricks[i].die();
    t.whole.playFrame();
    EXPECT_FALSE(t.whole.yieldPending());
    t.whole.playFrame();
    EXPECT_TRUE(t.whole.yieldPending());
}

}  // namespace
}  // namespace vellix
