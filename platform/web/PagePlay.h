#pragma once

#include <functional>

namespace vellix {

class GameState;
class PageWindow;
class frmMain;

// The game's loop in a page, which cannot wait: the browser calls the page at every display
// refresh while a game is played, and whenever an event of the page comes. Each refresh runs the
// game frames its schedule says are due, each ending at the window's yield, where the events that
// came meanwhile are handled in order (as are those that come to a ball's yield after it breaks a
// brick). At Game over no frame runs and no refresh is asked for: an event is handled as it comes,
// until a click on New Game starts the next game.
class PagePlay {
public:
    PagePlay(GameState& game, frmMain& window, PageWindow& page) : game_(game), window_(window), page_(page) {}

    // The program's start, its window shown: level 1 is welcomed and the first game set up.
    void start();
    // A display refresh at `nowMs`. Returns whether the page wants the next one (no: Game over).
    bool refresh(double nowMs);
    // An event was posted to the page's window. Returns whether it started a new game, which wants
    // refreshes again.
    bool eventPosted();
    // The page was hidden or shown: the time it was away is not played.
    void visibilityChanged();
    // The game frames drawn since the page opened.
    long framesPlayed() const { return framesPlayed_; }

    // Called as the game ends and as the next one starts (the sound stands by meanwhile).
    std::function<void()> onGameOver;
    std::function<void()> onNewGame;

private:
    void playFrame();

    GameState& game_;
    frmMain& window_;
    PageWindow& page_;
    long framesPlayed_ = 0;
};

}  // namespace vellix
