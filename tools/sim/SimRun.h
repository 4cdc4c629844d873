#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "base/TimeOfDay.h"
#include "game/GameHost.h"
#include "game/GameState.h"
#include "media/Canvas.h"
#include "media/SoundPlayer.h"
#include "media/SpriteSet.h"
#include "tools/sim/SimOptions.h"
#include "tools/sim/SimScript.h"

namespace vellix {
class frmMain;
class TextCache;
}  // namespace vellix

namespace vellix::sim {

// A snapshot that could not be written.
struct SnapshotError {
    std::string message;
};

// One run of the real game with no window system of its own: the real frame loop, objects and
// renderer, drawing into the real canvas, with its input taken from a script (and the autoplayer).
// A drawn frame is one call of renderFrame, numbered from 1. The run ends after the given number
// of frames, or when the game is over and nothing remains to handle.
//
// Shown in a window (`window` not null), the window's canvas is used and the run keeps the game's
// frame rate; the window's own mouse is ignored and closing it ends the run.
class SimRun final : public GameHost, public CanvasPresenter, public SoundPlayer {
public:
    // With no window the picture of the canvas stops at this many pixels a side, however large the
    // field a script asks for; the game's rules still see the whole field.
    static constexpr int kMaxPicturePixels = 4096;

    SimRun(const SimOptions& options, std::vector<ScriptEvent> script, TextCache* text, frmMain* window = nullptr);
    ~SimRun() override;

    // Plays the run, until its last frame or until the window is closed. Returns the number of frames drawn.
    long run();

    // Where the trace goes, if anywhere; called after every drawn frame with the frame's number.
    std::ostream* trace = nullptr;
    // Writes a snapshot the options ask for (as a PNG file, writePngSnapshot); throws SnapshotError.
    std::function<void(const Snapshot& snapshot, const Picture& canvas)> writeSnapshot;
    std::function<void(long frame, GameState& game)> onFrame;

    GameState& game() { return *game_; }

    Canvas& canvas() override;
    float mouseX() const override { return mouseX_; }
    void setNewGameVisible(bool) override {}
    void doEvents() override;
    void endOfFrame(bool yield) override;
    void present(const Canvas& canvas) override;
    void mousePointerChanged(int mode) override;
    void playSound(std::int16_t sound) override { sounds_.push_back(sound); }

private:
    struct Finished {};

    void handle(const ScriptEvent& event);
    void resize(float width, float height);
    void autoplay();
    bool playOneGame();

    SimOptions options_;
    std::vector<ScriptEvent> script_;
    std::size_t nextEvent_ = 0;
    frmMain* window_;
    Canvas ownCanvas_;
    float mouseX_ = 0;
    long frame_ = 0;
    std::vector<std::int16_t> sounds_;
    std::unique_ptr<TimeOfDay> clock_;
    SpriteSet sprites_;
    std::unique_ptr<GameState> game_;
};

}  // namespace vellix::sim
