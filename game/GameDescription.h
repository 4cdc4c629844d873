#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/MessageLog.h"

namespace vellix {

class Game;

// A game's state at one moment, as everything outside the game reads it: the trace of a headless
// run, the page's state report and the tests' invariants. Positions and sizes are in twips.
struct GameDescription {
    struct Paddle {
        float x, y, width;
        std::int16_t speed;
        bool companion;
    };
    struct Ball {
        float x, y, vx, vy;
        bool alive;
        std::int16_t boost;
    };
    struct Brick {
        float left, top;
        bool alive;
        std::int16_t powerup, speed, image, shatter;
    };

    bool over = false;  // Game over: no frame loop runs
    std::int16_t level = 0;
    std::int16_t lives = 0;
    double score = 0;
    float mouseX = 0;
    float width = 0;  // the field
    float height = 0;
    bool fast = false;
    bool frozen = false;
    bool magnetic = false;
    std::array<std::string, MessageLog::kLines> messages;  // the newest first
    std::vector<Paddle> paddles;                           // those in play
    std::vector<Ball> balls;                               // every ball of the level, dead ones too
    std::vector<Brick> bricks;                             // the whole wall
    std::vector<std::int16_t> sounds;                      // asked for since the last frame drawn
};

GameDescription describe(const Game& game);

// Appends the description as the members of a JSON object, without its braces ("state":...,
// "level":..., ..."sounds":[...]), so that a reader can put its own members around them. Floats
// are written so that they read back as the same 32-bit float; the texts are escaped.
void appendJsonMembers(std::string& out, const GameDescription& description);

}  // namespace vellix
