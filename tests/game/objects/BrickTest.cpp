#include "game/objects/clsBrick.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "base/Arithmetic.h"
#include "game/Collections.h"
#include "game/LevelBuilder.h"
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

// Over a wall of 29296 bricks every colour comes about as often as any other, and every drift speed
// from 50 to 3 a frame, but 3, which takes in the slowest speeds too, comes three times as often;
// every power-up is carried once.
TEST(Brick, ColoursDriftSpeedsAndPowerupsAreSpreadAsTheRulesSay) {
    TestGame t(5000000, 5010);
    t.game.setLevel(12);
    setupLevel(t.game);
    const int bricks = t.game.bricks.count();
    std::map<int, int> colours, speeds, powerups;
    for (std::int16_t i = 0; i < bricks; ++i) {
        ++colours[t.game.bricks[i].image()];
        ++speeds[t.game.bricks[i].speed()];
        ++powerups[int(t.game.bricks[i].getPowerup())];
    }
    // Each power-up is all but certain to be drawn on so large a wall, and is carried at most once.
    EXPECT_EQ(powerups, (std::map<int, int>{{0, bricks - 6}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}}));
    ASSERT_EQ(std::pair(colours.begin()->first, colours.rbegin()->first), std::pair(0, 5));
    for (auto [colour, count] : colours) EXPECT_NEAR(count, bricks / 6, bricks / 60) << "colour " << colour;
    ASSERT_EQ(std::tuple(speeds.size(), speeds.begin()->first, speeds.rbegin()->first), std::tuple(48u, -50, -3));
    for (auto [speed, count] : speeds)
        EXPECT_NEAR(count, bricks * (speed == -3 ? 3 : 1) / 50, bricks / 200) << "speed " << speed;
}

// A brick touching a side edge turns and is pushed back inside one twip at a time, keeping its
// fraction, before this frame's step (row 0 steps by -speed); one that touches no edge just steps.
TEST(Brick, TurnsOnTouchingASideEdgeAndComesBackInsideOneTwipAtATimeBeforeItsStep) {
    struct Row {
        float field, left, pushed;
        bool turns;
    };
    for (const Row row : {Row{9105, 100, 100, false}, Row{9105, 0, 1, true}, Row{9105, 7740, 7739, true},
                          Row{9105, 7739.5f, 7739.5f, false}, Row{9105, -3000000.25f, 0.75f, true},
                          Row{9105, 8000000.5f, 7739.5f, true}, Row{1000, 0.5f, -365.5f, true}}) {
        TestGame t(row.field, 5010);
        clsBrick& brick = wall(t, 1)[0];
        brick.setLeft(row.left);
        const float speed = float(brick.speed());
        brick.move();
        EXPECT_EQ(brick.left(), row.pushed + (row.turns ? speed : -speed)) << row.field << ", from " << row.left;
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
    for (auto [i, kind] : {std::pair{std::int16_t(0), PowerupKind::ExplodingBrick}, {1, PowerupKind::ExplodingBrick},
                           {3, PowerupKind::FrozenBricks}})
        bricks[i].setPowerup(kind);
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
    brick.setPowerup(PowerupKind::MagneticPaddle);
    brick.paint();  // and only a brick seen shatters
    const SpriteSet& s = SpriteSet::builtIn();
    const Picture& tile = s.imgBrick[std::size_t(brick.image())];
    for (int y = 0; y < 36; y += 5)  // the icon covers the opaque brick exactly, through its mask
        for (int x = 0; x < 91; x += 3)
            ASSERT_EQ(t.canvas().image().at(x, 72 + y),
                      (tile.at(x, y) & s.imgPowerupMatte[6].at(x, y)) | s.imgPowerup[6].at(x, y)) << x << ", " << y;
    brick.setPowerup(PowerupKind::None);
    t.game.setFastPaddle(true);  // which a plain death leaves on
    brick.die();
    EXPECT_TRUE(t.game.getFastPaddle());
    // Each frame of the effect draws four numbers a shard (its place and its size): 10 shards in
    // the first frame, one fewer in each later one, and after the tenth none. The shards land from
    // 1 to 1000 twips right of and below the centre, 240 to 839 twips in size: within pixels 45 to
    // 168 across and 90 to 212 down, spread over them.
    int right = 0, bottom = 0;
    for (int frame = 1; frame <= 11; ++frame) {
        t.canvas().Cls();
        RandomSource before = t.game.random();
        brick.paint();
        int draws = 0;
        while (before.state() != t.game.random().state() && draws < 100) before.Rnd(), ++draws;
        EXPECT_EQ(draws, frame <= 10 ? 4 * (11 - frame) : 0) << "frame " << frame;
        const Picture& image = t.canvas().image();
        int lit = 0;
        for (int y = 0; y < image.pixelHeight(); ++y)
            for (int x = 0; x < image.pixelWidth(); ++x) {
                if (image.at(x, y) == 0) continue;
                ++lit, right = std::max(right, x), bottom = std::max(bottom, y);
                ASSERT_TRUE(x >= 45 && x <= 168 && y >= 90 && y <= 212) << "frame " << frame << ": " << x << ", " << y;
            }
        EXPECT_EQ(lit > 0, frame <= 10) << "frame " << frame;
    }
    // A piece shows at most the 45 x 18 pixels of the quarter it is cut from: the pieces landed far apart.
    EXPECT_TRUE(right > 120 && bottom > 140) << right << ", " << bottom;
}

}  // namespace
}  // namespace vellix
