#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "game/GameState.h"

namespace vellix::testing {

// What must hold after every drawn frame of any game, whatever the player does.
class Invariants {
public:
    void check(long frame, GameState& game) {
        SCOPED_TRACE("frame " + std::to_string(frame));
        ASSERT_TRUE(game.paddles.count() == 1 || game.paddles.count() == 2);
        ASSERT_GE(game.balls.count(), 1);
        ASSERT_GE(game.lives, 0);
        ASSERT_GE(game.getLevel(), 1);
        ASSERT_LE(int(game.getFastPaddle()) + int(game.getFrozenBricks()) + int(game.getMagneticPaddle()), 1);
        // The score falls only when a new game starts after Game over.
        if (!wasOver_) {
            ASSERT_GE(game.score, lastScore_);
        }
        lastScore_ = game.score;
        wasOver_ = game.gameIsOver;
        for (std::int16_t i = 0; i < game.paddles.count(); ++i)
            ASSERT_TRUE(std::isfinite(game.paddles[i].xpos()) && std::isfinite(game.paddles[i].ypos()) &&
                        std::isfinite(game.paddles[i].width()));
        for (std::int16_t i = 0; i < game.balls.count(); ++i)
            ASSERT_TRUE(std::isfinite(game.balls[i].pos().x) && std::isfinite(game.balls[i].pos().y) &&
                        std::isfinite(game.balls[i].vx()) && std::isfinite(game.balls[i].vy()));
        for (std::int16_t i = 0; i < game.bricks.count(); ++i) ASSERT_TRUE(std::isfinite(game.bricks[i].left()));
        ++checked;
    }
    long checked = 0;

private:
    double lastScore_ = 0;
    bool wasOver_ = false;
};

}  // namespace vellix::testing
