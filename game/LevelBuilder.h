#pragma once

namespace vellix {

class GameState;

// Starts a level from fresh objects: seeds the random source from the time of day, hides the
// system pointer and the New Game button, makes one main paddle and one ball, and builds the wall.
void setupLevel(GameState& game);

// Lays out the wall for the field's width at this moment and the level: one brick fewer a row than
// fits across the field, and 4, 6 or 8 rows. Bricks are set up in index order, row by row.
void buildWall(GameState& game);

}  // namespace vellix
