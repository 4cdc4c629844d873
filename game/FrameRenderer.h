#pragma once

namespace vellix {

class GameState;

// Draws the whole frame from scratch, each step over the earlier ones: the mouse marker, the
// paddles, the bricks, the balls, the spare balls and the status text; then shows it.
void renderFrame(GameState& game);

void clearCanvas(GameState& game);
// The pointer's x, shown on the main paddle's line, since the system pointer is hidden in play.
void paintMouseMarker(GameState& game);
// One ball icon per spare ball, leftward from 500 twips inside the right edge.
void paintLives(GameState& game);
// The message log at the bottom left, newest line on top, and the score to the right.
void paintStatus(GameState& game);

}  // namespace vellix
