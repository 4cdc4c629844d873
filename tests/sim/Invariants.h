#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "game/GameDescription.h"

namespace vellix::testing {

// What must hold after every drawn frame of any game, whatever the player does.
class Invariants {
public:
    void check(long frame, const Game& game) {
        SCOPED_TRACE("frame " + std::to_string(frame));
        const GameDescription d = describe(game);
        ASSERT_TRUE(d.paddles.size() == 1 || d.paddles.size() == 2);
        ASSERT_GE(d.balls.size(), 1u);
        ASSERT_GE(d.lives, 0);
        ASSERT_GE(d.level, 1);
        ASSERT_LE(int(d.fast) + int(d.frozen) + int(d.magnetic), 1);
        // The score falls only when a new game starts after Game over.
        if (!wasOver_) {
            ASSERT_GE(d.score, lastScore_);
        }
        lastScore_ = d.score;
        wasOver_ = d.over;
        for (const auto& p : d.paddles) ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.width));
        for (const auto& b : d.balls)
            ASSERT_TRUE(std::isfinite(b.x) && std::isfinite(b.y) && std::isfinite(b.vx) && std::isfinite(b.vy));
        for (const auto& b : d.bricks) ASSERT_TRUE(std::isfinite(b.left));
        ++checked;
    }
    long checked = 0;

private:
    double lastScore_ = 0;
    bool wasOver_ = false;
};

}  // namespace vellix::testing
