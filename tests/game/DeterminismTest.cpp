#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "game/GameFlow.h"
#include "tests/support/GameTools.h"

namespace vellix {
namespace {

using testing::TestGame;

// What the canvas does not show: the game's numbers and log, the balls' and bricks' speeds, the
// bricks' power-ups and the sounds played.
std::string dump(TestGame& t) {
    GameState& g = t.game;
    std::ostringstream out;
    out << std::hexfloat << g.getLevel() << ' ' << g.lives << ' ' << g.score << ' ';
    out << g.getFastPaddle() << g.getFrozenBricks() << g.getMagneticPaddle();
    for (int i = 0; i < MessageLog::kLines; ++i) out << '|' << g.messages[i];
    for (std::int16_t i = 0; i < g.balls.count(); ++i) out << ' ' << g.balls[i].vx() << ',' << g.balls[i].vy();
    for (std::int16_t i = 0; i < g.bricks.count(); ++i) out << ' ' << g.bricks[i].speed() << int(g.bricks[i].getPowerup());
    for (std::int16_t sound : t.sound.played) out << ' ' << sound;
    return out.str();
}

TEST(Determinism, TheClockAndTheInputAloneDecideTheGame) {
    testing::StartedGame a(9105, 5010, 50000), b(9105, 5010, 50000), other(9105, 5010, 50001);
    EXPECT_NE(dump(a), dump(other)) << "another clock built the same wall";

    // The pointer sweeps across the field, with a press every 700 passes and a new game after each
    // game over.
    for (int pass = 0; pass < 3000; ++pass) {
        for (TestGame* t : {&a, &b}) {
            t->host.pointerX = float((pass * 37) % 9000);
            if (pass % 700 == 699) deployBall(t->game);
            if (gameLoopPass(t->game) == PassResult::GameOver) newGame(t->game);
        }
    }
    EXPECT_EQ(dump(a), dump(b));
    EXPECT_TRUE(a.host.canvas().image() == b.host.canvas().image());
}

}  // namespace
}  // namespace vellix
