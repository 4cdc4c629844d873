#pragma once

#include <cstdint>

namespace vellix {

// The power-up a brick carries, 16 bits as the game counts it. The kind's number is also the index
// of its icon among the power-up sprites.
enum class PowerupKind : std::int16_t {
    None = 0,
    ExplodingBrick = 1,   // breaks the bricks around it
    CompanionPaddle = 2,  // a second paddle half a field away, until the level ends
    Ball = 3,             // a ball drops from the brick
    FastPaddle = 4,       // paddles step three times as far
    FrozenBricks = 5,     // the wall stops drifting
    MagneticPaddle = 6,   // balls steer sideways towards the pointer
};

}  // namespace vellix
