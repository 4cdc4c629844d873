// vellix-sim: runs the real game with no window and no sound device, from a script of input
// events, writing a trace of every frame and pictures of chosen frames. See --help.

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "base/Twips.h"
#include "game/FrameSchedule.h"
#include "game/frmMain.h"
#include "media/TextCache.h"
#include "platform/sdl/SdlWindow.h"
#include "platform/sdl/TtfTextRasterizer.h"
#include "tools/sim/SimCommand.h"
#include "tools/sim/SimRun.h"
#include "tools/sim/SnapshotFile.h"

namespace {

using namespace vellix;
using namespace vellix::sim;

double nowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// A run shown in SDL's window as it plays, at 60 frames a second: the window takes the field's
// size, and its own mouse is ignored; closing it ends the run.
class WindowScreen final : public SimScreen {
public:
    WindowScreen() : window_("Vellix (vellix-sim)", frmMain::kStartWidth, frmMain::kStartHeight) { window_.showWindow(); }

    void show(Game& game) override {
        std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(pace_.nextDueMs() - nowMs()));
        pace_.framesDue(nowMs());
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
            const auto windowEvent = window_.translate(event);
            if (windowEvent && windowEvent->kind == WindowEvent::Kind::Closed) game.post(*windowEvent);
        }
        const Game::Frame* frame = game.takeFrame();
        if (frame == nullptr) return;
        const int width = frame->field->pixelWidth(), height = frame->field->pixelHeight();
        if (width != window_.clientWidth() || height != window_.clientHeight())
            window_.resizeClient(std::max(width, 1), std::max(height, 1));
        window_.present(*frame);
        window_.showPointer(game.pointerShown());
    }

    double density() const override { return window_.density(); }

private:
    SdlWindow window_;
    FrameSchedule pace_;
};

// On the desktop: PNG snapshots, the system's font, and SDL's window for --window.
class DesktopSim final : public SimProgram {
public:
    std::string checkSnapshot(const Snapshot& snapshot) override { return checkSnapshotFile(snapshot); }
    std::string writeSnapshot(const Snapshot& snapshot, const Picture& canvas) override {
        return writePngSnapshot(snapshot, canvas);
    }

    TextCache* text() override {
        if (!fontLooked_) {
            fontLooked_ = true;
            font_ = TtfTextRasterizer::openDefaultFont();
            if (font_) text_ = std::make_unique<TextCache>(*font_);
        }
        return text_.get();
    }

    SimScreen* screen(std::string& error) override {
        try {
            if (!screen_) screen_ = std::make_unique<WindowScreen>();
        } catch (const StartupError& failure) {
            error = failure.what();
            return nullptr;
        }
        return screen_.get();
    }

private:
    bool fontLooked_ = false;
    std::unique_ptr<TtfTextRasterizer> font_;
    std::unique_ptr<TextCache> text_;
    std::unique_ptr<WindowScreen> screen_;
};

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    int status = 0;
    {
        DesktopSim program;
        status = runSimCommand(args, program);
    }
    SDL_Quit();
    return status;
}
