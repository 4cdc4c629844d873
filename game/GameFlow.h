#pragma once

namespace vellix {

class GameState;

// The flow of play. The frame loop is flat: one call of gameLoopPass is one pass of the loop, and
// the Game repeats passes, so neither a level advance nor a new game nests a loop inside another.

// What the start of the program does once its window is shown: level 1 is welcomed (only here,
// once a run) and a new game is set up.
void startUp(GameState& game);

// Level 1, no score, five spare balls, and a fresh level set up. Its frames are then played pass
// by pass.
void newGame(GameState& game);

enum class PassResult {
    Drawn,          // a frame was moved and drawn; the loop yields next
    Deployed,       // no ball was alive: a spare one was deployed, nothing drawn, no yield
    LevelAdvanced,  // the frame cleared the wall: the next level is set up, no yield
    GameOver,       // no ball alive and none to spare: the game is over and no loop runs
    Ended,          // the program ended at a yield (or with the frame drawn): the rest is not played
};

// One pass of the frame loop: test for a live ball, move, draw, test for a live brick.
PassResult gameLoopPass(GameState& game);

// Spends a spare ball on a new ball, if one is left. Also what a mouse press on the field does.
void deployBall(GameState& game);
void nextLevel(GameState& game);
void gameOver(GameState& game);

}  // namespace vellix
