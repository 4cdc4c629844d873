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

void PagePlay::playFrame() {
    if (vellix::playFrame(game_)) ++framesPlayed_;
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
