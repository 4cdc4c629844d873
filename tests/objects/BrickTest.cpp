#include "objects/clsBrick.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "game/Arithmetic.h"
#include "game/Collections.h"
#include "tests/support/TestGame.h"

namespace vellix {
namespace {

using vellix::testing::TestGame;

// A row of `count` bricks (1365 x 540) from column 0.
ObjectCollection<clsBrick>& wall(TestGame& t, std::int16_t count, std::int16_t row = 0) {
    t.game.bricks.rebuild(count);
    for (std::int16_t i = 0; i < count; ++i) t.game.bricks[i].init(row, i, i);
    return t.game.bricks;
}

TEST(Brick, DrawsItsColourThenItsSpeedThenItsPowerupEachKindOnceAWall) {
    TestGame t;
    auto draws = t.game.random();  // a copy, to replay the draws
    t.game.bricks.rebuild(400);
    std::set<PowerupKind> taken{0};  // the kinds some brick of the wall already carries, and none
    for (std::int16_t i = 0; i < 400; ++i) {
        const auto image = std::int16_t(Int(6 * draws.Rnd()));
        const auto speed = std::int16_t(Int(draws.Rnd() * 50 - 50));  // -50 to -1, the slowest raised to -3
        const auto kind = PowerupKind(Int(draws.Rnd() * 100) + 1 <= 6 ? Int(6 * draws.Rnd() + 1) : 0);
        clsBrick& brick = t.game.bricks[i];
        brick.init(0, 0, i);
        ASSERT_EQ(std::tuple(brick.image(), brick.speed(), brick.getPowerup(), t.game.random().state()),
                  std::tuple(image, speed < -3 ? speed : -3, taken.insert(kind).second ? kind : 0, draws.state())) << i;
    }
}

TEST(Brick, TurnsOnTouchingASideEdgeAndComesBackInsideOneTwipAtATimeBeforeItsStep) {
    for (auto [field, left] : {std::tuple{9105.0f, 0.0f}, {9105, 100}, {9105, 7740}, {9105, -3000000.25f},
                               {9105, -0.001f}, {9105, 8000000.5f}, {1000, 0.3f}, {0, 0.123456f}, {1000, -700.75f}}) {
        TestGame t(field, 5010);
        clsBrick& brick = wall(t, 1)[0];
        brick.setLeft(left);
        // The slow way, in floats: the turn on touching a side edge, the push back inside one twip
        // at a time, then the step (an even row steps by -speed).
        const float speed = left <= 0 || left + 1365 >= field ? -brick.speed() : brick.speed();
        float expected = left;
        while (expected <= 0) expected = expected + 1;
        while (expected + 1365 >= field) expected = expected - 1;
        brick.move();
        EXPECT_EQ(brick.left(), expected - speed) << "field " << field << ", from " << left;
    }
}

TEST(Brick, IsTouchedOnlyNearItsTopAndBottomEdgesAndDyingFiresThePowerupThenScoresAndDriftsNoMore) {
    TestGame t;
    auto& bricks = wall(t, 4, 1);  // odd rows stand a brick right: from 1365, 2730, 4095 and 5460, 540 to 1080
    // A ball of size 495 reaches 247.
    for (auto [x, y, touched] : {std::tuple{1365.0f, 540.0f, 1}, {2730, 1080, 1}, {1364.5f, 540, 0}, {2730.5f, 1080, 0},
                                 {2000, 294, 1}, {2000, 293, 0}, {2000, 810, 0}, {2000, 1327, 0}})
        EXPECT_EQ(bricks[0].detectCollision(x, y, 495), touched == 1) << x << ", " << y;
    // Two exploding bricks in one place, the second blast must not count the first again; and a freeze.
    for (auto [i, kind] : {std::tuple{0, 1}, {1, 1}, {3, 5}}) bricks[i].setPowerup(PowerupKind(kind));
    bricks[1].setLeft(1365);
    t.game.score = 197;
    bricks[0].die();
    moveBricks(t.game);  // odd rows set off to the left, the dead stay put
    bricks[3].die();
    moveBricks(t.game);  // and while frozen, nothing moves
    EXPECT_EQ(t.game.messages[1] + ", " + t.game.messages[0], "Powerup - Frozen bricks, Extra life!");
    EXPECT_EQ(std::tuple(bricks[0].left(), bricks[2].left()), std::tuple(1365.0f, 4095.0f + float(bricks[2].speed())));
}

TEST(Brick, ShowsItsPowerupOverItselfAndOnAPlainDeathShattersForTenFramesOneShardFewerEachFrame) {
    TestGame t;
    clsBrick& brick = wall(t, 1, 2)[0];  // from 0 across and 1080 (pixel 72) down: centre (682, 1350)
    brick.setPowerup(6);
    brick.paint();  // and only a brick seen shatters
    const SpriteSet& s = SpriteSet::builtIn();
    const Picture& tile = s.imgBrick[std::size_t(brick.image())];
    for (int y = 0; y < 36; y += 5)  // the icon covers the opaque brick exactly, through its mask
        for (int x = 0; x < 91; x += 3)
            ASSERT_EQ(t.host.canvas().image().at(x, 72 + y),
                      (tile.at(x, y) & s.imgPowerupMatte[6].at(x, y)) | s.imgPowerup[6].at(x, y)) << x << ", " << y;
    brick.setPowerup(0);
    t.game.fastPaddle = true;  // which a plain death leaves on
    brick.die();
    t.host.canvas().Cls();
    Canvas expected(9105, 5010);
    auto draws = t.game.random();  // a copy, to replay the draws
    for (int frame = 1; frame <= 11; ++frame) brick.paint();  // 10 + 9 + ... + 1 shards, then none
    for (int shard = 0; shard < 55; ++shard) {  // pieces of the lower right quarter, right of and below the centre
        const float x = Int(draws.Rnd() * 1000 + 682) + 1, y = Int(draws.Rnd() * 1000 + 1350) + 1;
        const float w = Int(draws.Rnd() * 600) + 240, h = Int(draws.Rnd() * 600) + 240;
        expected.PaintPicture(tile, x, y, w, h, 682, 270, RasterOp::SRCPAINT);
    }
    EXPECT_EQ(std::tuple(t.game.fastPaddle, t.game.random().state()), std::tuple(true, draws.state()));
    EXPECT_TRUE(t.host.canvas().image() == expected.image());
}

}  // namespace
}  // namespace vellix
