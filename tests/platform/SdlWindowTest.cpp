// The desktop's window and mixer through SDL, on SDL's offscreen video driver and its silent dummy
// audio driver: what SDL reports reaches the game as the window's events.

#include "platform/sdl/SdlWindow.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "base/TimeOfDay.h"
#include "game/frmMain.h"
#include "media/SpriteSet.h"
#include "platform/sdl/EventPump.h"
#include "platform/sdl/SdlMixerSoundDevice.h"

namespace vellix {
namespace {

using namespace std::chrono_literals;

void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

struct SdlGame : ::testing::Test {
    static void SetUpTestSuite() {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    SdlGame() {
        window.showWindow();
        game.start(VELLIX_PROGRAM_DIR, window.clientWidthTwips(), window.clientHeightTwips());
        game.startPlaying();
        pumpEvents(game, window);  // what showing the window brought
    }
    ~SdlGame() override { SDL_Quit(); }

    SdlWindow window{"Vellix", frmMain::kStartWidth, frmMain::kStartHeight};
    SdlMixerSoundDevice device;
    FixedTimeOfDay clock{43210};
    Game game{device, clock};
};

// Any button deploys a ball (only the left one is the primary), the pointer moves in pixels of the
// client area, an uncovered window gets its picture again, and a close ends the game.
TEST_F(SdlGame, TheWindowsEventsReachTheGame) {
    game.takeFrame();
    SDL_Event event{};
    for (const Uint8 button : {Uint8(SDL_BUTTON_RIGHT), Uint8(SDL_BUTTON_MIDDLE)}) {
        event.button = {SDL_MOUSEBUTTONDOWN, 0, 0, 0, button, SDL_PRESSED, 1, 0, 100, 50};
        push(event);
    }
    event.motion = {SDL_MOUSEMOTION, 0, 0, 0, 0, 200, 50, 0, 0};
    push(event);
    event.window = {SDL_WINDOWEVENT, 0, 0, SDL_WINDOWEVENT_EXPOSED, 0, 0, 0, 0, 0};
    push(event);
    pumpEvents(game, window);
    game.doEvents();  // a yield
    EXPECT_EQ(std::tuple(game.state().balls.count(), game.state().lives, game.mouseX()), std::tuple(3, 3, 3000.0f));
    ASSERT_NE(game.takeFrame(), nullptr) << "the uncovered window is not shown again";
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    push(event);
    pumpEvents(game, window);
    game.doEvents();
    EXPECT_TRUE(game.ended());
}

// Each of the four channels plays, is freed when its sound ends (the mixer's report reaching the
// channels as an event of the game), and plays again, twice over.
TEST_F(SdlGame, EveryChannelIsFreedWhenItsSoundEndsAndPlaysAgain) {
    for (std::int16_t channel = 0; channel < modSound::kChannels; ++channel) {
        for (int play = 1; play <= 3; ++play) {
            game.playSound(channel);
            ASSERT_TRUE(game.sound().soundBusy(channel));
            const auto until = std::chrono::steady_clock::now() + 3s;
            while (game.sound().soundBusy(channel) && std::chrono::steady_clock::now() < until) {
                pumpEvents(game, window);
                game.doEvents();
                std::this_thread::sleep_for(5ms);
            }
            ASSERT_FALSE(game.sound().soundBusy(channel)) << "channel " << channel << " after play " << play;
        }
    }
}

}  // namespace
}  // namespace vellix
