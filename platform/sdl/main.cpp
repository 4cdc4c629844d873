// Vellix on a desktop: the window program. It takes no command line.

#include <SDL.h>
#include <malloc.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "base/TimeOfDay.h"
#include "game/Game.h"
#include "game/frmMain.h"
#include "media/SpriteSet.h"
#include "media/TextCache.h"
#include "platform/sdl/EventPump.h"
#include "platform/sdl/SdlMixerSoundDevice.h"
#include "platform/sdl/SdlWindow.h"
#include "platform/sdl/TtfTextRasterizer.h"

namespace {

// The directory that holds the program, where its sounds lie beside it.
std::string programDirectory() {
    char* path = SDL_GetBasePath();
    if (path == nullptr) return ".";
    std::string directory = path;
    SDL_free(path);
    return directory;
}

// With no session bus to be found, the D-Bus library under SDL would start one itself, running
// dbus-launch from PATH, and that bus would outlive the game. The game needs no bus of its own:
// an address of no known kind leaves it without one, quietly. (A bus at XDG_RUNTIME_DIR/bus is
// found without the variable.)
void doWithoutAMissingSessionBus() {
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS") != nullptr) return;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code ignored;
    if (runtime != nullptr && std::filesystem::exists(std::filesystem::path(runtime) / "bus", ignored)) return;
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}

double nowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Waits until the game's next frame is due or an event comes (with no frame to come, Game over,
// until an event comes), and hands on what came. SDL wakes in whole milliseconds: the rest of the
// wait for a frame is slept to the frame's time.
void waitForFrameOrEvents(vellix::Game& game, vellix::SdlWindow& window) {
    const double left = game.nextFrameDueMs() - nowMs();
    if (left <= 0) return;
    if (left < 1) {
        std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(left));
        return;
    }
    if (SDL_WaitEventTimeout(nullptr, std::isinf(left) ? -1 : int(left)) != 0) pumpEvents(game, window);
}

int play() {
    using namespace vellix;
    // Blocks of memory as large as a canvas (a window made large needs tens of megabytes) always
    // come straight from the system and go back to it when freed. By default malloc raises that
    // threshold to the largest block freed so far, and then keeps every freed canvas below it.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    // The environment is set here, before any other thread starts (another thread may read it at
    // any time). The game takes no keyboard input, so X need not read its table of compose
    // sequences (a noticeable part of the start-up); a table the player chose is still honoured.
    // Wayland's keyboard library refuses an empty table, and says so on stderr: there the table is
    // read as usual.
    if (SdlWindow::opensOnX()) setenv("XCOMPOSEFILE", "/dev/null", 0);
    doWithoutAMissingSessionBus();
    // The font is looked up while the window system starts: each takes a few milliseconds.
    std::future<std::unique_ptr<TtfTextRasterizer>> fontLookup =
        std::async(std::launch::async, TtfTextRasterizer::openDefaultFont);
    SdlWindow window("Vellix", frmMain::kStartWidth, frmMain::kStartHeight);
    const std::unique_ptr<TtfTextRasterizer> font = fontLookup.get();
    const std::unique_ptr<TextCache> text = font ? std::make_unique<TextCache>(*font) : nullptr;

    SdlMixerSoundDevice device;
    SystemTimeOfDay clock;
    Game game(device, clock, window.density());
    game.setText(text.get());
    window.showWindow();
    game.start(programDirectory(), window.clientWidthTwips(), window.clientHeightTwips());
    // What comes while a frame is played is handed on at its yields.
    game.onYield = [&] { pumpEvents(game, window); };
    while (!game.ended()) {
        waitForFrameOrEvents(game, window);
        if (const double now = nowMs(); now >= game.nextFrameDueMs()) game.runDueFrames(now);
        if (game.ended()) break;
        if (const Game::Frame* frame = game.takeFrame()) window.present(*frame);
        window.showPointer(game.pointerShown());
        window.setPlaying(game.playing());
    }
    return 0;
}

}  // namespace

int main(int, char**) {
    int status = 0;
    try {
        status = play();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vellix: %s\n", error.what());
        status = 1;
    }
    SDL_Quit();
    return status;
}
