#pragma once

namespace vellix {

class GameState;

// The flow of play. The frame loop is flat: one call of gameLoopPass is one pass of the loop, and
// playUntilGameOver repeats passes, so neither a level advance nor a new game nests a loop inside
// another.

// What the start of the program does once its window is shown: level 1 is welcomed (only here,
// once a run) and a new game is set up.
void startUp(GameState& game);

// Level 1, no score, five spare balls, and a fresh level set up. Its frames are then played by
// playUntilGameOver.
void newGame(GameState& game);

enum class PassResult {
    Drawn,          // a frame was moved and drawn; the loop yields next
    Deployed,       // no ball was alive: a spare one was deployed, nothing drawn, no yield
    LevelAdvanced,  // the frame cleared the wall: the next level is set up, no yield
    GameOver,       // no ball alive and none to spare: the game is over and no loop runs
};

// One pass of the frame loop: test for a live ball, move, draw, test for a live brick.
PassResult gameLoopPass(GameState& game);

// Plays passes until one draws a frame, and ends that frame at the host (which keeps the frame rate
// and, but after a level advance, handles the window's events); a pass that only deployed a ball
// is followed at once by the next. False when the game is over instead.
bool playFrame(GameState& game);
// Plays frames until the game is over.
void playUntilGameOver(GameState& game);

// Spends a spare ball on a new ball, if one is left. Also what a mouse press on the field does.
void deployBall(GameState& game);
void nextLevel(GameState& game);
void gameOver(GameState& game);

}  // namespace vellix
