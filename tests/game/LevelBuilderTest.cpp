#include "game/LevelBuilder.h"

#include <gtest/gtest.h>


#include "tests/support/GameTools.h"

namespace vellix {
namespace {

// A row holds one brick fewer than fits across the field, but never none; 4 rows up to level 3,
// 6 up to level 11, then 8. Bricks go row by row, left to right, 1365 by 540, and odd rows stand
// one brick further right. Every set-up reseeds from the clock and leaves a single ball.
TEST(LevelBuilder, TheWallFollowsTheFieldWidthAndTheLevelAndEverySetUpStartsAfreshFromTheClock) {
    testing::StartedGame t;
    struct Row {
        float width;
        std::int16_t level;
        int rows, columns;
    };
    for (const Row r : {Row{6825, 3, 4, 4}, {6824, 4, 6, 3}, {2729, 11, 6, 1}, {12000, 12, 8, 7}, {100, 1, 4, 1},
                        {1e9f, 1, 4, 8191}}) {  // as many bricks as can be counted
        t.canvas().resize(r.width, 5010);
        t.game.setLevel(r.level);
        setupLevel(t.game);
        ASSERT_EQ(t.game.bricks.count(), r.rows * r.columns) << r.width;
        for (std::int16_t i = 0; i < t.game.bricks.count(); ++i)
            EXPECT_EQ(std::pair(t.game.bricks[i].top(), t.game.bricks[i].left()),
                      std::pair(540.0f * float(i / r.columns), 1365.0f * float(i % r.columns + i / r.columns % 2))) << i;
    }
    const std::uint64_t afterSetUp = t.game.random().state();
    deployBall(t.game);  // a second ball, served at random
    setupLevel(t.game);
    EXPECT_EQ(std::pair(t.game.random().state(), t.game.balls.count()), std::pair(afterSetUp, std::int16_t(1)));
    // On a field narrower than a brick every wall has one column, and play goes on: the balls,
    // pushed off the side walls onto the bricks, clear wall after wall.
    t.canvas().resize(100, 5010);
    newGame(t.game);
    for (int pass = 0; pass < 2000; ++pass) ASSERT_NE(gameLoopPass(t.game), PassResult::GameOver);
    EXPECT_EQ(t.game.brickColumns, 1);
    EXPECT_GT(t.game.getLevel(), 3);
}

}  // namespace
}  // namespace vellix
