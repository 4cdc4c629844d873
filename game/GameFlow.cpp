#include "game/GameFlow.h"

#include <string>

#include "game/Collections.h"
#include "game/FrameRenderer.h"
#include "game/GameState.h"
#include "game/LevelBuilder.h"

namespace vellix {

namespace {
std::string welcome(std::int16_t level) { return "Welcome to level " + std::to_string(level); }
}  // namespace

void startUp(GameState& game) {
    game.setLevel(1);
    game.showMessage(welcome(game.getLevel()));
    newGame(game);
}

// The log and the power-up flags carry over; a game only ever ends after a ball's loss, which
// has cleared the flags.
void newGame(GameState& game) {
    game.gameIsOver = false;
    game.setLevel(1);
    game.score = 0;
    game.lives = 5;
    setupLevel(game);
}

PassResult gameLoopPass(GameState& game) {
    if (!anyBallAlive(game)) {
        // A ball collection that cannot take one more ball ends the game like an empty purse.
        if (game.lives <= 0 || game.balls.full()) {
            gameOver(game);
            return PassResult::GameOver;
        }
        deployBall(game);
        resetPaddleWidths(game);
        return PassResult::Deployed;
    }
    movePaddles(game);
    moveBalls(game);
    if (game.host().ended()) return PassResult::Ended;
    moveBricks(game);
    renderFrame(game);
    if (game.host().ended()) return PassResult::Ended;
    // Tested after drawing: a wall cleared in the frame that lost the last ball still advances.
    if (countLiveBricks(game) < 1) {
        nextLevel(game);
        return PassResult::LevelAdvanced;
    }
    return PassResult::Drawn;
}

void deployBall(GameState& game) {
    if (game.lives <= 0) return;
    if (game.balls.full()) return;  // no room for a ball: nothing happens and no life is spent
    game.lives = std::int16_t(game.lives - 1);
    game.balls.append([](clsBall& ball) { ball.init(0, 0); });
    game.showMessage("New ball deployed");
}

void nextLevel(GameState& game) {
    if (game.getLevel() < 32767) game.setLevel(std::int16_t(game.getLevel() + 1));
    game.dropCompanionPaddle();
    game.clearPowerups();
    game.showMessage(welcome(game.getLevel()));
    setupLevel(game);
}

void gameOver(GameState& game) {
    game.gameIsOver = true;
    game.showMessage("Game Over!");
    renderFrame(game);
    game.host().setNewGameVisible(true);
    game.host().setMousePointer(kDefaultPointer);
}

}  // namespace vellix
