#pragma once

#include <cstdint>

#include "game/objects/clsBrick.h"

namespace vellix {

class GameState;

// What a power-up does the moment its brick dies. Every activation first ends the lasting effect
// of the previous one, then applies its own effect, then posts its message, so that the messages
// an effect causes (an explosion's victims) come before its own. `index` is the dying brick's.
void activatePowerup(GameState& game, std::int16_t index);

// Breaks every other live brick whose centre lies strictly inside the square of side 2R around
// this brick's centre, R being a tenth of the field's width at this moment. Each victim dies in
// full, its own power-up included, nested inside the blast.
void explodeBrick(GameState& game, std::int16_t index);

// The companion paddle joins play, unless it is already there.
void addCompanionPaddle(GameState& game);

// A ball drops, from rest, from the centre of the dying brick.
void addBallAtBrick(GameState& game, std::int16_t index);

// True when no brick of the wall carries `kind` yet. Bricks not yet set up count as carrying none.
bool isPowerupFree(GameState& game, PowerupKind kind);

}  // namespace vellix
