// vellix-sim: runs the real game with no window and no sound device, from a script of input
// events, writing a trace of every frame and pictures of chosen frames. See --help.

#include <SDL.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "game/GameHost.h"
#include "game/frmMain.h"
#include "media/TextCache.h"
#include "platform/sdl/SdlWindow.h"
#include "platform/sdl/TtfTextRasterizer.h"
#include "tools/sim/SimCommand.h"
#include "tools/sim/SnapshotFile.h"

namespace {

using namespace vellix;
using namespace vellix::sim;

// On the desktop: PNG snapshots, the system's font, and SDL's window for --window.
class DesktopSim final : public SimProgram {
public:
    void checkSnapshot(const Snapshot& snapshot) override { checkSnapshotFile(snapshot); }
    void writeSnapshot(const Snapshot& snapshot, const Picture& canvas) override { writePngSnapshot(snapshot, canvas); }

    TextCache* text() override {
        if (!fontLooked_) {
            fontLooked_ = true;
            font_ = TtfTextRasterizer::openDefaultFont();
            if (font_) text_ = std::make_unique<TextCache>(*font_);
        }
        return text_.get();
    }

    frmMain& window() override {
        if (!window_) {
            system_ = std::make_unique<SdlWindow>("Vellix (vellix-sim)", frmMain::kStartWidth, frmMain::kStartHeight);
            window_ = std::make_unique<frmMain>(*system_);
            window_->setText(text());
            window_->showRunOnly();
            system_->showWindow();
            window_->Show();
        }
        return *window_;
    }

private:
    bool fontLooked_ = false;
    std::unique_ptr<TtfTextRasterizer> font_;
    std::unique_ptr<TextCache> text_;
    std::unique_ptr<SdlWindow> system_;
    std::unique_ptr<frmMain> window_;
};

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    int status = 0;
    try {
        DesktopSim program;
        status = runSimCommand(args, program);
    } catch (const QuitRequested&) {
        status = 0;
    } catch (const StartupError& error) {
        std::fprintf(stderr, "vellix-sim: %s\n", error.what());
        status = 1;
    }
    SDL_Quit();
    return status;
}
