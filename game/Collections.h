#pragma once

#include <cstdint>

#include "base/Position.h"

namespace vellix {

class GameState;

// The walks over the game's collections. Each visits indices 0 to count - 1 in order, reading the
// count once when it starts, and visits dead balls and bricks too: their own operations decide
// what a dead object does.

void movePaddles(GameState& game);
void moveBalls(GameState& game);
void moveBricks(GameState& game);
void paintPaddles(GameState& game);
void paintBricks(GameState& game);
void paintBalls(GameState& game);
void resetPaddleWidths(GameState& game);
void expandPaddles(GameState& game);

// True as soon as one ball is alive.
bool anyBallAlive(GameState& game);
std::int16_t countLiveBricks(GameState& game);

// The first paddle, in index order, that a ball at `pos` of diameter `size` strikes, as its hit
// offset (0 when none is struck). Every paddle is tested with the ball's own size, and only the
// paddle struck first goes through the consequences of the strike.
float detectPaddleCollision(GameState& game, const Position& pos, float size);

// The index of the first brick the ball touches, or -1. Every paddle grows once when a brick is found.
std::int16_t detectBrickCollision(GameState& game, float x, float y, float size);

void killBrick(GameState& game, std::int16_t index);

}  // namespace vellix
