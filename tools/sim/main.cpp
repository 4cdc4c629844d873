// vellix-sim: runs the real game with no window and no sound device, from a script of input
// events, writing a trace of every frame and pictures of chosen frames. See --help.

#include <SDL.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "game/GameHost.h"
#include "game/frmMain.h"
#include "media/TextCache.h"
#include "platform/sdl/SdlWindow.h"
#include "platform/sdl/TtfTextRasterizer.h"
#include "tools/sim/SimRun.h"
#include "tools/sim/SnapshotFile.h"

namespace {

using namespace vellix;
using namespace vellix::sim;

constexpr const char* kHelp = R"(usage: vellix-sim [options]
  --width T          canvas width in twips at start (default 9105)
  --height T         canvas height in twips at start (default 5010)
  --clock S          seconds since midnight that every seeding uses (default: the time of day)
  --frames N         stop after N drawn frames (default 1000)
  --script FILE      input events, one a line: "K move X", "K press", "K resize W H", "K newgame"
  --trace FILE       one JSON line per drawn frame; '-' = standard output
  --snapshot K:FILE  write the canvas as a PNG right after drawn frame K (may repeat)
  --autoplay         follow the lowest falling ball; at Game over start a new game
  --window           show the run in a real window at 60 frames a second
)";

int fail(int status, const std::string& message) {
    std::fprintf(stderr, "vellix-sim: %s\n", message.c_str());
    return status;
}

int simulate(const std::vector<std::string>& args) {
    SimOptions options;
    std::vector<ScriptEvent> script;
    try {
        options = parseOptions(args);
        if (!options.script.empty()) {
            std::ifstream in(options.script);
            if (!in) return fail(2, "cannot read the script " + options.script);
            script = parseScript(in);
        }
    } catch (const UsageError& error) {
        return fail(2, error.message + " (see --help)");
    } catch (const ScriptError& error) {
        return fail(2, options.script + ": " + error.message);
    }

    std::ofstream traceFile;
    std::ostream* trace = nullptr;
    if (options.trace == "-") {
        trace = &std::cout;
    } else if (!options.trace.empty()) {
        traceFile.open(options.trace, std::ios::trunc);
        if (!traceFile) return fail(2, "cannot write the trace " + options.trace);
        trace = &traceFile;
    }

    const std::unique_ptr<TtfTextRasterizer> font = TtfTextRasterizer::openDefaultFont();
    const std::unique_ptr<TextCache> text = font ? std::make_unique<TextCache>(*font) : nullptr;
    std::unique_ptr<SdlWindow> system;
    std::unique_ptr<frmMain> window;
    if (options.window) {
        system = std::make_unique<SdlWindow>("Vellix (vellix-sim)", frmMain::kStartWidth, frmMain::kStartHeight);
        window = std::make_unique<frmMain>(*system);
        window->setText(text.get());
        window->showRunOnly();
        system->showWindow();
        window->Show();
    }
    SimRun run(options, std::move(script), text.get(), window.get());
    run.trace = trace;
    run.writeSnapshot = writePngSnapshot;
    try {
        run.run();
    } catch (const SnapshotError& error) {
        return fail(1, error.message);
    }
    if (trace != nullptr) trace->flush();
    if (trace != nullptr && !*trace) return fail(1, "cannot write the trace " + options.trace);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::fputs(kHelp, stdout);
            return 0;
        }
    }
    int status = 0;
    try {
        status = simulate(args);
    } catch (const QuitRequested&) {
        status = 0;
    } catch (const StartupError& error) {
        status = fail(1, error.what());
    }
    SDL_Quit();
    return status;
}
