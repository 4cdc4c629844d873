#pragma once

#include "base/Twips.h"
#include "game/NewGameButton.h"
#include "media/Canvas.h"

namespace vellix {

class GameState;
class TextCache;

// The rules of the game's one window, "Vellix", whatever shows it: the canvas fills its client
// area, the New Game button lies centred on the canvas, and the pointer over the canvas is the
// player's only input. Its handlers run at the game's yields, or as the events come when no frame
// loop runs (see Game); positions and sizes are in twips.
class frmMain {
public:
    // The client area at start, in pixels at 96 dpi: 9105 by 5010 twips.
    static constexpr int kStartWidth = 607;
    static constexpr int kStartHeight = 334;

    // The canvas's picture never grows past `maxPixels` a side (see Canvas).
    frmMain(GameState& game, int maxPixels);

    // The text of the status display and the button's caption; none until given.
    void setText(TextCache* text);
    // The screen's density: device pixels to each 96-dpi pixel. The canvas, the button and the
    // text are drawn anew at it.
    void setDensity(double density);

    Canvas& canvas() { return canvas_; }
    const Canvas& canvas() const { return canvas_; }
    float mouseX() const { return mouseX_; }
    const NewGameButton& newGameButton() const { return cmdNew_; }
    void setNewGameVisible(bool visible);

    // The window's events. A resize lays the canvas and the button out again.
    void resized(float width, float height);
    void pointerMoved(float x, float y);
    // Any button over the field spends a spare ball; only the primary one pushes the New Game button.
    void buttonPressed(float x, float y, bool primary);
    // True when the release clicked the New Game button.
    bool buttonReleased(float x, float y, bool primary);

private:
    // Whether the point lies on the field and not under the visible New Game button.
    bool overField(float x, float y) const;

    // A point's device pixel on the canvas.
    int pixel(float twips) const { return twipsToPixels(twips, canvas_.density()); }

    GameState& game_;
    // Before the first layout the canvas is 1995 by 1815 twips.
    Canvas canvas_;
    TextCache* text_ = nullptr;
    NewGameButton cmdNew_;
    float mouseX_ = 0;
};

}  // namespace vellix
