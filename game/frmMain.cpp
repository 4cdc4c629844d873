#include "game/frmMain.h"

#include <algorithm>

#include "base/Arithmetic.h"
#include "base/Twips.h"
#include "game/GameFlow.h"
#include "media/modSound.h"

namespace vellix {

frmMain::frmMain(WindowSystem& system) : system_(system) {
    canvas_.setPresenter(this);
    load();
}

frmMain::~frmMain() { canvas_.setPresenter(nullptr); }

void frmMain::setText(TextCache* text) {
    canvas_.setTextCache(text);
    cmdNew_.setText(text);
}

// Before the first layout: the paddle heads for the middle of the canvas as it is then.
void frmMain::load() {
    mouseX_ = Int(canvas_.Width() / 2);
    mousePointerChanged(canvas_.MousePointer());
}

void frmMain::attach(GameState& game, modSound& sound) {
    game_ = &game;
    sound_ = &sound;
}

void frmMain::Show() { layout(system_.clientWidth(), system_.clientHeight()); }

// The canvas fills the client area, and the button is centred on it, visible or not.
void frmMain::layout(int width, int height) {
    if (runOnly_) return;
    canvas_.resize(pixelsToTwips(std::max(width, 0)), pixelsToTwips(std::max(height, 0)));
    cmdNew_.layout(canvas_.Width(), canvas_.Height());
}

void frmMain::resized(int width, int height) {
    layout(width, height);
    present(canvas_);
}

void frmMain::showSize(float width, float height) {
    system_.resizeClient(std::max(twipsToPixels(width), 1), std::max(twipsToPixels(height), 1));
}

void frmMain::setNewGameVisible(bool visible) {
    cmdNew_.visible = visible;
    cmdNew_.pressed = false;
}

void frmMain::doEvents() { system_.handleEvents(*this); }

void frmMain::endOfFrame(bool yield) {
    system_.waitForNextFrame();
    if (yield) doEvents();
}

void frmMain::waitForNewGame() {
    awaitNewGame();
    while (!newGameClicked_) system_.waitForEvents(*this);
    system_.setPlaying(true);
    system_.restartFrames();
}

void frmMain::awaitNewGame() {
    newGameClicked_ = false;
    system_.setPlaying(false);
    present(canvas_);
}

// Only the x over the field is kept: off it (a held button makes a window report the pointer
// beyond its edges) or over the New Game button, the last x seen on it stays.
void frmMain::pointerMoved(int x, int y) {
    if (runOnly_) return;
    if (overField(x, y)) mouseX_ = pixelsToTwips(x);
}

bool frmMain::overField(int x, int y) const {
    return x >= 0 && y >= 0 && x < twipsToPixels(canvas_.Width()) && y < twipsToPixels(canvas_.Height()) &&
           !(cmdNew_.visible && cmdNew_.contains(x, y));
}

// The visible New Game button takes the presses over it, and like any push button only the
// primary one pushes it in.
void frmMain::buttonPressed(int x, int y, bool primary) {
    if (runOnly_) return;
    if (cmdNew_.visible && cmdNew_.contains(x, y)) {
        if (!primary) return;
        cmdNew_.pressed = true;
        present(canvas_);
        return;
    }
    if (game_ != nullptr) deployBall(*game_);
}

// The button is clicked when the primary button is released over it.
void frmMain::buttonReleased(int x, int y, bool primary) {
    if (runOnly_ || !primary || !cmdNew_.pressed) return;
    cmdNew_.pressed = false;
    if (cmdNew_.visible && cmdNew_.contains(x, y)) newGameClicked_ = true;
    present(canvas_);
}

void frmMain::soundDone(int channel) {
    if (sound_ != nullptr) sound_->soundDone(std::int16_t(channel));
}

void frmMain::repaint() { present(canvas_); }

void frmMain::present(const Canvas& canvas) {
    if (cmdNew_.visible)
        system_.show(canvas.image(), &cmdNew_.picture(), cmdNew_.pixelLeft(), cmdNew_.pixelTop());
    else
        system_.show(canvas.image(), nullptr, 0, 0);
}

void frmMain::mousePointerChanged(int mode) { system_.showPointer(mode != Canvas::kCustomPointer); }

}  // namespace vellix
