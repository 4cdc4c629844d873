#pragma once

#include <stdexcept>
#include <string>

#include "game/GameHost.h"
#include "media/Canvas.h"
#include "ui/FramePacer.h"
#include "ui/NewGameButton.h"

struct SDL_Window;
struct SDL_Cursor;
union SDL_Event;

namespace vellix {

class GameState;
class TextCache;
class modSound;

// A failure that stops the program before it can play (no display): reported in one line.
struct StartupError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The game's one window, "Vellix": the canvas fills its client area, the New Game button lies
// centred on it, and the mouse over it is the player's only input. It is the host the game runs
// in: it shows each frame, keeps the frame rate and hands the game the window's events at the
// game's yields. Closing it ends the program at once (QuitRequested).
class frmMain final : public GameHost, public CanvasPresenter {
public:
    // The client area at start: 9105 by 5010 twips.
    static constexpr int kStartWidth = 607;
    static constexpr int kStartHeight = 334;

    // Creates the window, hidden, and loads it. Throws StartupError when there is no display.
    explicit frmMain(const char* title = "Vellix");
    ~frmMain() override;
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // The text of the status display and the button; none until given.
    void setText(TextCache* text);
    // Shows the window and lays it out for the first time.
    void Show();
    // The game and the sound channels that the window's events drive.
    void attach(GameState& game, modSound& sound);
    // For a window that only shows a run driven from elsewhere: the mouse is ignored, and the
    // canvas keeps the size the run gives it (showSize) whatever the window's size.
    void showRunOnly() { runOnly_ = true; }
    void showSize(float width, float height);

    // At Game over no loop runs: waits on window events (repainting when asked) until the New Game
    // button is clicked. Throws QuitRequested when the window is closed.
    void waitForNewGame();

    Canvas& canvas() override { return canvas_; }
    float mouseX() const override { return mouseX_; }
    void setNewGameVisible(bool visible) override;
    void doEvents() override;
    void endOfFrame(bool yield) override;

    void present(const Canvas& canvas) override;
    void mousePointerChanged(int mode) override;

    SDL_Window* window() const { return window_; }

private:
    void load();
    void layout();
    void handle(const SDL_Event& event);
    // Whether the pixel (x, y) is on the field and not under the visible New Game button.
    bool overField(int x, int y) const;
    void pressAt(int x, int y, bool primary);
    void releaseAt(int x, int y);
    void setIcon();

    SDL_Window* window_ = nullptr;
    SDL_Cursor* invisiblePointer_ = nullptr;
    SDL_Cursor* arrowPointer_ = nullptr;
    // Before the first layout the canvas is 1995 by 1815 twips.
    Canvas canvas_{1995, 1815};
    NewGameButton cmdNew_;
    float mouseX_ = 0;
    FramePacer pacer_;
    GameState* game_ = nullptr;
    modSound* sound_ = nullptr;
    bool newGameClicked_ = false;
    bool runOnly_ = false;
};

}  // namespace vellix
