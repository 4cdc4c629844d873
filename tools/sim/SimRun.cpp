#include "tools/sim/SimRun.h"

#include "base/Arithmetic.h"
#include "game/GameFlow.h"
#include "game/frmMain.h"
#include "media/SpriteSet.h"
#include "tools/sim/TraceWriter.h"

namespace vellix::sim {

namespace {

std::unique_ptr<TimeOfDay> makeClock(const SimOptions& options) {
    if (options.clock) return std::make_unique<FixedTimeOfDay>(*options.clock);
    return std::make_unique<SystemTimeOfDay>();
}

}  // namespace

SimRun::SimRun(const SimOptions& options, std::vector<ScriptEvent> script, TextCache* text, frmMain* window)
    : options_(options),
      script_(std::move(script)),
      window_(window),
      ownCanvas_(1995, 1815, kMaxPicturePixels),
      clock_(makeClock(options)),
      sprites_(SpriteSet::atDensity(options.density)) {
    ownCanvas_.setDensity(options.density);
    ownCanvas_.setTextCache(text);
    canvas().setPresenter(this);
    // As the window does when it loads: the paddle heads for the middle of the canvas as it is then.
    mouseX_ = Int(canvas().Width() / 2);
    resize(options_.width, options_.height);
    game_ = std::make_unique<GameState>(*this, *this, sprites_, *clock_);
}

SimRun::~SimRun() { canvas().setPresenter(window_); }

Canvas& SimRun::canvas() { return window_ != nullptr ? window_->canvas() : ownCanvas_; }

long SimRun::run() {
    try {
        startUp(*game_);
        while (playOneGame()) {
        }
    } catch (const Finished&) {
    } catch (const QuitRequested&) {  // the window was closed
    }
    return frame_;
}

// Plays until the game is over, then handles the remaining events one by one, whatever their
// frame. Returns whether another game has started.
bool SimRun::playOneGame() {
    playUntilGameOver(*game_);
    while (nextEvent_ < script_.size()) {
        const ScriptEvent& event = script_[nextEvent_++];
        handle(event);
        if (event.kind == ScriptEvent::Kind::NewGame) return true;
    }
    if (!options_.autoplay) return false;
    newGame(*game_);
    return true;
}

void SimRun::handle(const ScriptEvent& event) {
    switch (event.kind) {
        case ScriptEvent::Kind::Move:
            mouseX_ = event.x;
            break;
        case ScriptEvent::Kind::Press:
            deployBall(*game_);
            break;
        case ScriptEvent::Kind::Resize:
            resize(event.width, event.height);
            break;
        case ScriptEvent::Kind::NewGame:
            if (game_->gameIsOver) newGame(*game_);
            break;
    }
}

void SimRun::resize(float width, float height) {
    canvas().resize(width, height);
    if (window_ != nullptr) window_->showSize(width, height);
}

// The yields inside a ball's brick check handle nothing; the window's events still reach a shown
// window there, so that closing it is noticed.
void SimRun::doEvents() {
    if (window_ != nullptr) window_->doEvents();
}

void SimRun::endOfFrame(bool yield) {
    if (window_ != nullptr) window_->endOfFrame(yield);
    if (!yield) return;
    if (options_.autoplay) autoplay();
    while (nextEvent_ < script_.size() && script_[nextEvent_].frame <= frame_) handle(script_[nextEvent_++]);
}

// Follows the lowest falling ball: the live ball with vy > 0 and the largest y, lowest index first.
void SimRun::autoplay() {
    const clsBall* lowest = nullptr;
    for (std::int16_t i = 0; i < game_->balls.count(); ++i) {
        const clsBall& ball = game_->balls[i];
        if (!ball.isAlive() || !(ball.vy() > 0)) continue;
        if (lowest == nullptr || ball.pos().y > lowest->pos().y) lowest = &ball;
    }
    if (lowest != nullptr) mouseX_ = lowest->pos().x;
}

void SimRun::present(const Canvas& shown) {
    ++frame_;
    if (trace != nullptr) writeTraceLine(*trace, frame_, *game_, mouseX_, sounds_);
    sounds_.clear();
    for (const Snapshot& snapshot : options_.snapshots) {
        if (snapshot.frame != frame_) continue;
        if (!writeSnapshot) throw SnapshotError{"this vellix-sim cannot write snapshots"};
        writeSnapshot(snapshot, shown.image());
    }
    if (onFrame) onFrame(frame_, *game_);
    if (window_ != nullptr) window_->present(shown);
    if (frame_ >= options_.frames) throw Finished{};
}

void SimRun::mousePointerChanged(int mode) {
    if (window_ != nullptr) window_->mousePointerChanged(mode);
}

}  // namespace vellix::sim
