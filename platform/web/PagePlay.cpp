#include "platform/web/PagePlay.h"

#include "game/GameFlow.h"
#include "game/GameState.h"
#include "game/frmMain.h"
#include "platform/web/PageWindow.h"

namespace vellix {

void PagePlay::start() { startUp(game_); }

bool PagePlay::refresh(double nowMs) {
    if (game_.gameIsOver) return false;
    const int due = page_.frames().framesDue(nowMs);
    for (int frame = 0; frame < due && !game_.gameIsOver; ++frame) playFrame();
    if (!game_.gameIsOver) return true;
    page_.frames().restart();
    window_.awaitNewGame();
    if (onGameOver) onGameOver();
    // Events that came during the last frames are handed on now, as any event at Game over.
    return eventPosted();
}

// One drawn frame of the flat frame loop, as playUntilGameOver plays it: a pass that only deployed
// a ball is followed at once by the pass that draws.
void PagePlay::playFrame() {
    for (;;) {
        switch (gameLoopPass(game_)) {
            case PassResult::Drawn:
                ++framesPlayed_;
                game_.host().endOfFrame(true);
                return;
            case PassResult::LevelAdvanced:
                ++framesPlayed_;
                game_.host().endOfFrame(false);
                return;
            case PassResult::Deployed:
                break;
            case PassResult::GameOver:
                return;
        }
    }
}

bool PagePlay::eventPosted() {
    if (!game_.gameIsOver) return false;  // in play, the next yield hands it on
    page_.handleEvents(window_);
    if (!window_.newGameClicked()) return false;
    if (onNewGame) onNewGame();
    newGame(game_);
    return true;
}

void PagePlay::visibilityChanged() { page_.frames().restart(); }

}  // namespace vellix
