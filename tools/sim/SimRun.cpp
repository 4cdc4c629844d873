#include "tools/sim/SimRun.h"

#include "media/SpriteSet.h"
#include "tools/sim/TraceWriter.h"

namespace vellix::sim {

namespace {

std::unique_ptr<TimeOfDay> makeClock(const SimOptions& options) {
    if (options.clock) return std::make_unique<FixedTimeOfDay>(*options.clock);
    return std::make_unique<SystemTimeOfDay>();
}

}  // namespace

SimRun::SimRun(const SimOptions& options, std::vector<ScriptEvent> script, TextCache* text, SimScreen* screen)
    : options_(options),
      script_(std::move(script)),
      screen_(screen),
      clock_(makeClock(options)),
      game_(silence_, *clock_, options.density, kMaxPicturePixels) {
    game_.setText(text);
    game_.onFrameDrawn = [this] { frameDrawn(); };
}

long SimRun::run() {
    game_.start("", options_.width, options_.height);
    while (!game_.ended()) {
        game_.playFrame();
        if (game_.ended()) break;
        if (screen_ != nullptr) screen_->show(game_);
        if (game_.state().gameIsOver) {
            if (!playOnAfterGameOver()) break;
            continue;
        }
        // The events of this frame are handled at the yield that ends it (none after the frame
        // that cleared a wall: they wait for the next yield).
        if (!game_.yieldPending()) continue;
        if (options_.autoplay) autoplay();
        while (nextEvent_ < script_.size() && script_[nextEvent_].frame <= frame_) post(script_[nextEvent_++]);
    }
    return frame_;
}

bool SimRun::playOnAfterGameOver() {
    while (nextEvent_ < script_.size() && game_.state().gameIsOver) post(script_[nextEvent_++]);
    if (game_.state().gameIsOver && options_.autoplay) click(game_.canvas().Width() / 2, game_.canvas().Height() / 2);
    return !game_.state().gameIsOver;
}

void SimRun::post(const ScriptEvent& event) {
    switch (event.kind) {
        case ScriptEvent::Kind::Move:
            game_.post(WindowEvent::pointerMoved(event.x, 0));
            break;
        case ScriptEvent::Kind::Press:
            click(game_.mouseX(), 0);
            break;
        case ScriptEvent::Kind::Resize:
            game_.post(WindowEvent::resized(event.width, event.height));
            break;
        case ScriptEvent::Kind::NewGame:  // the New Game button lies in the middle of the field
            click(game_.canvas().Width() / 2, game_.canvas().Height() / 2);
            break;
    }
}

void SimRun::click(float x, float y) {
    game_.post(WindowEvent::buttonPressed(x, y, true));
    game_.post(WindowEvent::buttonReleased(x, y, true));
}

// Follows the lowest falling ball: the live ball with vy > 0 and the largest y, lowest index first.
void SimRun::autoplay() {
    const GameState& game = game_.state();
    const clsBall* lowest = nullptr;
    for (std::int16_t i = 0; i < game.balls.count(); ++i) {
        const clsBall& ball = game.balls[i];
        if (!ball.isAlive() || !(ball.vy() > 0)) continue;
        if (lowest == nullptr || ball.pos().y > lowest->pos().y) lowest = &ball;
    }
    if (lowest != nullptr) game_.post(WindowEvent::pointerMoved(lowest->pos().x, 0));
}

void SimRun::frameDrawn() {
    ++frame_;
    if (trace != nullptr) writeTraceLine(*trace, frame_, game_);
    for (const Snapshot& snapshot : options_.snapshots) {
        if (snapshot.frame != frame_ || !failure_.empty()) continue;
        failure_ = writeSnapshot ? writeSnapshot(snapshot, game_.canvas().image()) : "this vellix-sim cannot write snapshots";
    }
    if (onFrame) onFrame(frame_, game_);
    if (frame_ >= options_.frames || !failure_.empty()) game_.end();
}

}  // namespace vellix::sim
