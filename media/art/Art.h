#pragma once

// The game's pictures, each drawn from scratch at `density` device pixels to each 96-dpi pixel
// (1 for the pictures built into the program): the same size in twips at every density, with
// about density times the pixels each way.

#include "media/art/Draw.h"

namespace vellix::art {

inline constexpr int kBrickWidth = 91;
inline constexpr int kBrickHeight = 36;
inline constexpr int kBrickColours = 6;
inline constexpr int kPowerUps = 6;
inline constexpr int kPaddleHeight = 15;
inline constexpr int kPaddleCapWidth = 5;
inline constexpr int kPaddleCenterWidth = 101;

// The sprites' curved and slanted edges are smoothed by sampling: drawn as the program starts,
// two samples each way in a 96-dpi pixel keep them smooth (samplesAt).
inline constexpr float kEdgeSamples = 2;

// Brick `colour`: 0 blue, 1 green, 2 red, 3 cyan, 4 golden yellow, 5 magenta.
Picture drawBrick(int colour, double density);

// Power-up `kind` from 1 to 6: explosion, twin paddles, extra ball, fast paddle, freeze, magnet.
MaskedSprite drawPowerUp(int kind, double density);

MaskedSprite drawBall(double density);
MaskedSprite drawPointer(double density);
MaskedSprite drawMouseDot(double density);
MaskedSprite drawPaddleLeft(double density);
MaskedSprite drawPaddleRight(double density);
Picture drawPaddleCenter(double density);

// The shared paddle lighting: `across` runs from -1 at the top edge to 1 at the bottom edge,
// `along` from 0 on the straight bar to 1 at the very tip of a rounded end.
Color paddleShade(float across, float along);

// The game's icon at `size` x `size` pixels, with alpha, sampled `samples` x `samples` times in
// each pixel.
Picture drawIcon(int size, int samples);

}  // namespace vellix::art
