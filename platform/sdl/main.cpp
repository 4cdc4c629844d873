// Vellix on a desktop: the window program. It takes no command line.

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <future>
#include <memory>
#include <string>

#include "base/TimeOfDay.h"
#include "game/GameFlow.h"
#include "game/GameState.h"
#include "game/frmMain.h"
#include "media/SpriteSet.h"
#include "media/TextCache.h"
#include "media/modSound.h"
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

int play() {
    using namespace vellix;
    // The environment is set before any other thread starts. The game takes no keyboard input, so
    // X need not read its table of compose sequences (a noticeable part of the start-up); a table
    // the player chose is still honoured.
    setenv("XCOMPOSEFILE", "/dev/null", 0);
    // The font is looked up while the window system starts: each takes a few milliseconds.
    std::future<std::unique_ptr<TtfTextRasterizer>> fontLookup =
        std::async(std::launch::async, TtfTextRasterizer::openDefaultFont);
    SdlWindow system("Vellix", frmMain::kStartWidth, frmMain::kStartHeight);
    frmMain window(system);
    const std::unique_ptr<TtfTextRasterizer> font = fontLookup.get();
    const std::unique_ptr<TextCache> text = font ? std::make_unique<TextCache>(*font) : nullptr;
    window.setText(text.get());

    SdlMixerSoundDevice device;
    modSound sound(device);
    sound.openSounds(programDirectory());
    system.showWindow();
    window.Show();

    SystemTimeOfDay clock;
    GameState game(window, sound, SpriteSet::builtIn(), clock);
    window.attach(game, sound);
    startUp(game);
    for (;;) {
        playUntilGameOver(game);
        device.standBy();
        window.waitForNewGame();
        device.wake();
        newGame(game);
    }
}

}  // namespace

int main(int, char**) {
    int status = 0;
    try {
        status = play();
    } catch (const vellix::QuitRequested&) {
        status = 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vellix: %s\n", error.what());
        status = 1;
    }
    SDL_Quit();
    return status;
}
