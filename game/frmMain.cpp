#include "game/frmMain.h"

#include <algorithm>

#include "base/Arithmetic.h"
#include "game/GameFlow.h"
#include "media/TextCache.h"

namespace vellix {

// Loading the window: before its first layout the paddle heads for the middle of the canvas as it
// is then.
frmMain::frmMain(GameState& game, int maxPixels) : game_(game), canvas_(1995, 1815, maxPixels) {
    mouseX_ = Int(canvas_.Width() / 2);
}

void frmMain::setText(TextCache* text) {
    text_ = text;
    canvas_.setTextCache(text);
    cmdNew_.setText(text);
}

void frmMain::setDensity(double density) {
    if (text_ != nullptr) text_->setDensity(density);
    canvas_.setDensity(density);
    cmdNew_.setDensity(density);
}

void frmMain::setNewGameVisible(bool visible) {
    cmdNew_.visible = visible;
    cmdNew_.pressed = false;
}

// The canvas fills the client area, and the button is centred on it, visible or not.
void frmMain::resized(float width, float height) {
    canvas_.resize(std::max(width, 0.0f), std::max(height, 0.0f));
    cmdNew_.layout(canvas_.Width(), canvas_.Height());
}

// Only the x over the field is kept: off it (a held button makes a window report the pointer
// beyond its edges) or over the New Game button, the last x seen on it stays.
void frmMain::pointerMoved(float x, float y) {
    if (overField(x, y)) mouseX_ = x;
}

// Whole device pixels decide, as the window system reports them.
bool frmMain::overField(float x, float y) const {
    const int px = pixel(x), py = pixel(y);
    return px >= 0 && py >= 0 && px < pixel(canvas_.Width()) && py < pixel(canvas_.Height()) &&
           !(cmdNew_.visible && cmdNew_.contains(px, py));
}

// The visible New Game button takes the presses over it, and like any push button only the
// primary one pushes it in.
void frmMain::buttonPressed(float x, float y, bool primary) {
    if (cmdNew_.visible && cmdNew_.contains(pixel(x), pixel(y))) {
        if (primary) cmdNew_.pressed = true;
        return;
    }
    deployBall(game_);
}

// The button is clicked when the primary button is released over it.
bool frmMain::buttonReleased(float x, float y, bool primary) {
    if (!primary || !cmdNew_.pressed) return false;
    cmdNew_.pressed = false;
    return cmdNew_.visible && cmdNew_.contains(pixel(x), pixel(y));
}

}  // namespace vellix
