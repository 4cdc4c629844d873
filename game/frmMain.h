#pragma once

#include "game/GameHost.h"
#include "game/NewGameButton.h"
#include "game/WindowSystem.h"
#include "media/Canvas.h"

namespace vellix {

class GameState;
class TextCache;
class modSound;

// The game's one window, "Vellix", whatever window system shows it: the canvas fills its client
// area, the New Game button lies centred on it, and the mouse over it is the player's only input.
// It is the host the game runs in: it shows each frame, keeps the frame rate and hands the game the
// window's events at the game's yields. The events come from the window system, in pixels of the
// client area; closing the window ends the program at once (QuitRequested).
class frmMain final : public GameHost, public CanvasPresenter {
public:
    // The client area at start: 9105 by 5010 twips.
    static constexpr int kStartWidth = 607;
    static constexpr int kStartHeight = 334;

    explicit frmMain(WindowSystem& system);
    ~frmMain() override;
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // The text of the status display and the button; none until given.
    void setText(TextCache* text);
    // The game and the sound channels that the window's events drive.
    void attach(GameState& game, modSound& sound);
    // Lays the window out for the first time, once the window system shows it.
    void Show();
    // For a window that only shows a run driven from elsewhere: the mouse is ignored, and the
    // canvas keeps the size the run gives it (showSize) whatever the window's size.
    void showRunOnly() { runOnly_ = true; }
    void showSize(float width, float height);

    // At Game over no loop runs: handles window events until the New Game button is clicked.
    // Throws QuitRequested when the window is closed.
    void waitForNewGame();
    // The start of that wait, for a window system that cannot wait (a page in a browser): forgets
    // any earlier click and shows the button; the events are then handed on as they come, until
    // newGameClicked().
    void awaitNewGame();

    // The window's events.
    void resized(int width, int height);
    void pointerMoved(int x, int y);
    // Any button over the field spends a spare ball; only the primary one pushes the New Game button.
    void buttonPressed(int x, int y, bool primary);
    void buttonReleased(int x, int y, bool primary);
    void soundDone(int channel);
    // The window system lost the picture (the window was uncovered): it is shown again.
    void repaint();

    bool newGameVisible() const { return cmdNew_.visible; }
    // Set when a click on the New Game button has started a game's wait to end.
    bool newGameClicked() const { return newGameClicked_; }

    Canvas& canvas() override { return canvas_; }
    float mouseX() const override { return mouseX_; }
    void setNewGameVisible(bool visible) override;
    void doEvents() override;
    void endOfFrame(bool yield) override;

    void present(const Canvas& canvas) override;
    void mousePointerChanged(int mode) override;

private:
    // What the window does when it loads, before its first layout.
    void load();
    void layout(int width, int height);
    // Whether the pixel (x, y) is on the field and not under the visible New Game button.
    bool overField(int x, int y) const;

    WindowSystem& system_;
    // Before the first layout the canvas is 1995 by 1815 twips.
    Canvas canvas_{1995, 1815};
    NewGameButton cmdNew_;
    float mouseX_ = 0;
    GameState* game_ = nullptr;
    modSound* sound_ = nullptr;
    bool newGameClicked_ = false;
    bool runOnly_ = false;
};

}  // namespace vellix
