#include "game/Game.h"

#include <limits>

#include "game/GameFlow.h"
#include "media/TextCache.h"

namespace vellix {

Game::Game(SoundDevice& device, TimeOfDay& clock, double density, int maxPixels)
    : window_(state_, maxPixels), sound_(device), sprites_(SpriteSet::atDensity(density)),
      state_(*this, *this, sprites_, clock) {
    window_.setDensity(density);
    soundsAsked_.reserve(16);
}

void Game::setText(TextCache* text) {
    if (text != nullptr) text->setDensity(density());
    window_.setText(text);
}

// A new density comes with a resize, which marks the picture changed.
void Game::setDensity(double density) {
    if (density == this->density()) return;
    sprites_ = SpriteSet::atDensity(density);
    window_.setDensity(density);
}

void Game::start(const std::string& soundDirectory, float width, float height) {
    sound_.openSounds(soundDirectory);
    window_.resized(width, height);
    pictureChanged_ = true;
}

// The first frame waits until the player can see it (a page may open in a frame not yet laid
// out), so that the first wall is built for the field the player sees.
void Game::startPlaying() {
    if (started_) return;
    started_ = true;
    startUp(state_);
}

// With no frame loop running, the window system's own loop hands events on as they come; the time
// spent waiting is not played later.
void Game::post(const WindowEvent& event) {
    pending_.push_back(event);
    if (inFrame_ || !waitsForEvents()) return;
    handleEvents();
    schedule_.restart();
}

int Game::runDueFrames(double nowMs) {
    realTime_ = true;
    takeYield();  // what came since the last frame: a minimised window stops frames before the next
    if (waitsForEvents()) {
        if (!inFrame_) handleEvents();  // what came before the wait began
        schedule_.restart();
        return 0;
    }
    startPlaying();
    const int due = schedule_.framesDue(nowMs);
    int drawn = 0;
    for (int i = 0; i < due && !waitsForEvents(); ++i) drawn += playFrame() ? 1 : 0;
    if (waitsForEvents()) schedule_.restart();
    return drawn;
}

bool Game::playFrame() {
    startPlaying();
    takeYield();
    yieldPending_ = false;
    while (!ended_ && !state_.gameIsOver) {
        inFrame_ = true;
        const PassResult pass = gameLoopPass(state_);
        inFrame_ = false;
        switch (pass) {
            case PassResult::Drawn:
                yieldPending_ = true;
                return true;
            case PassResult::LevelAdvanced:  // no yield after the frame that cleared the wall
                return true;
            case PassResult::Deployed:  // nothing drawn: the next pass follows at once
                break;
            case PassResult::GameOver:  // its last frame is drawn; the sound stands by until New Game
                sound_.standBy();
                return true;
            case PassResult::Ended:
                return false;
        }
    }
    return false;
}

// The yield that ended the last frame lasts until the next frame begins: whatever comes meanwhile
// is handled in it.
void Game::takeYield() {
    if (yieldPending_) doEvents();
}

bool Game::waitsForEvents() const {
    return ended_ || (started_ && state_.gameIsOver) || (realTime_ && !canBeSeen());
}

double Game::nextFrameDueMs() const {
    return waitsForEvents() ? std::numeric_limits<double>::infinity() : schedule_.nextDueMs();
}

// A field too small to hold a ball cannot show play: its balls would fall out unseen.
bool Game::canBeSeen() const {
    const Canvas& field = window_.canvas();
    const Picture& ball = state_.sprites().imgBall;
    return !hidden_ && field.Width() >= ball.Width() && field.Height() >= ball.Height();
}

const Game::Frame* Game::takeFrame() {
    if (!pictureChanged_) return nullptr;
    pictureChanged_ = false;
    const NewGameButton& button = window_.newGameButton();
    frame_.field = &window_.canvas().image();
    frame_.rowsDrawn = &window_.canvas().rowsDrawn();
    frame_.button = button.visible ? &button.picture() : nullptr;
    frame_.buttonX = button.pixelLeft();
    frame_.buttonY = button.pixelTop();
    return &frame_;
}

void Game::Refresh() {
    ++framesDrawn_;
    pictureChanged_ = true;
    if (onFrameDrawn) onFrameDrawn();
    soundsAsked_.clear();
}

void Game::doEvents() {
    if (onYield) onYield();
    handleEvents();
}

void Game::handleEvents() {
    while (!pending_.empty() && !ended_) {
        const WindowEvent event = pending_.front();
        pending_.pop_front();
        dispatch(event);
    }
}

void Game::dispatch(const WindowEvent& event) {
    using Kind = WindowEvent::Kind;
    switch (event.kind) {
        case Kind::PointerMoved:
            window_.pointerMoved(event.x, event.y);
            break;
        case Kind::ButtonPressed:
            window_.buttonPressed(event.x, event.y, event.primary);
            pictureChanged_ = pictureChanged_ || window_.newGameButton().visible;  // the button sinks
            break;
        case Kind::ButtonReleased:
            if (window_.buttonReleased(event.x, event.y, event.primary) && state_.gameIsOver) {
                sound_.wake();
                newGame(state_);
                schedule_.restart();
            }
            pictureChanged_ = pictureChanged_ || window_.newGameButton().visible;
            break;
        case Kind::Resized:
            if (event.density > 0) setDensity(event.density);
            window_.resized(event.x, event.y);
            pictureChanged_ = true;
            break;
        case Kind::Uncovered:
            pictureChanged_ = true;
            break;
        case Kind::Closed:
            ended_ = true;
            break;
        case Kind::SoundDone:
            sound_.soundDone(std::int16_t(event.channel));
            break;
        case Kind::Hidden:
            hidden_ = true;
            schedule_.restart();
            break;
        case Kind::Shown:  // the time it was away is not played
            hidden_ = false;
            pictureChanged_ = true;
            schedule_.restart();
            break;
    }
}

void Game::playSound(std::int16_t sound) {
    soundsAsked_.push_back(sound);
    sound_.playSound(sound);
}

}  // namespace vellix
