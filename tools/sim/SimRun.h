#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "base/TimeOfDay.h"
#include "game/Game.h"
#include "media/modSound.h"
#include "tools/sim/SimOptions.h"
#include "tools/sim/SimScript.h"

namespace vellix {
class TextCache;
}  // namespace vellix

namespace vellix::sim {

// Where a run is shown as it plays, if anywhere: the desktop's window for --window.
class SimScreen {
public:
    virtual ~SimScreen() = default;
    // Shows the frame just played, at the game's rate of 60 a second, and hands the game a close
    // of the window.
    virtual void show(Game& game) = 0;
    // How dense its screen is: the run is drawn at that density.
    virtual double density() const = 0;
};

// One run of the real game with no window system of its own: the real frame loop, objects and
// renderer, drawing into the real canvas, with its input taken from a script (and the autoplayer)
// and posted to the game as a window's events would be. A drawn frame is one call of renderFrame,
// numbered from 1. The run ends after the given number of frames, or when the game is over and
// nothing remains to handle, or when the screen's window is closed.
class SimRun {
public:
    // The picture of the canvas stops at this many pixels a side, however large the field a script
    // asks for; the game's rules still see the whole field.
    static constexpr int kMaxPicturePixels = 4096;

    SimRun(const SimOptions& options, std::vector<ScriptEvent> script, TextCache* text, SimScreen* screen = nullptr);

    // Plays the run. Returns the number of frames drawn.
    long run();

    // Where the trace goes, if anywhere: one line each drawn frame.
    std::ostream* trace = nullptr;
    // Writes a snapshot the options ask for; returns why it could not, or "". Without it a snapshot
    // cannot be written.
    std::function<std::string(const Snapshot& snapshot, const Picture& canvas)> writeSnapshot;
    // Called as each frame is drawn, with its number.
    std::function<void(long frame, const Game& game)> onFrame;
    // Why the run stopped short (a snapshot that could not be written), or "".
    const std::string& failure() const { return failure_; }

    Game& game() { return game_; }

private:
    // A sound device that plays nothing and never reports an end.
    struct Silence final : SoundDevice {
        void open(int, const std::string&) override {}
        void play(int) override {}
    };

    void frameDrawn();
    void post(const ScriptEvent& event);
    void click(float x, float y);
    void autoplay();
    // At Game over, the rest of the script is handled event by event, whatever its frames, until
    // a new game starts. Returns whether one did.
    bool playOnAfterGameOver();

    SimOptions options_;
    std::vector<ScriptEvent> script_;
    std::size_t nextEvent_ = 0;
    SimScreen* screen_;
    Silence silence_;
    std::unique_ptr<TimeOfDay> clock_;
    Game game_;
    long frame_ = 0;
    std::string failure_;
};

}  // namespace vellix::sim
