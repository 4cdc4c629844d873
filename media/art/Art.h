#pragma once

// The game's pictures, each drawn from scratch.

#include "media/art/Draw.h"

namespace vellix::art {

inline constexpr int kBrickWidth = 91;
inline constexpr int kBrickHeight = 36;
inline constexpr int kBrickColours = 6;
inline constexpr int kPowerUps = 6;
inline constexpr int kPaddleHeight = 15;
inline constexpr int kPaddleCapWidth = 5;
inline constexpr int kPaddleCenterWidth = 101;

// Brick `colour`: 0 blue, 1 green, 2 red, 3 cyan, 4 golden yellow, 5 magenta.
Picture drawBrick(int colour);

// Power-up `kind` from 1 to 6: explosion, twin paddles, extra ball, fast paddle, freeze, magnet.
MaskedSprite drawPowerUp(int kind);

MaskedSprite drawBall();
MaskedSprite drawPointer();
MaskedSprite drawMouseDot();
MaskedSprite drawPaddleLeft();
MaskedSprite drawPaddleRight();
Picture drawPaddleCenter();

// The shared paddle lighting: `across` runs from -1 at the top edge to 1 at the bottom edge,
// `along` from 0 on the straight bar to 1 at the very tip of a rounded end.
Color paddleShade(float across, float along);

// The game's icon at `size` x `size` pixels, with alpha.
Picture drawIcon(int size);

}  // namespace vellix::art
