// The desktop window through SDL, on SDL's offscreen video driver and its silent dummy audio driver:
// the events as SDL reports them reach the game, a close ends the game at once wherever it yields,
// an uncovered window gets its picture back, and the sound channels are freed as their sounds end.

#include "platform/sdl/SdlWindow.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "base/TimeOfDay.h"
#include "game/Collections.h"
#include "game/GameFlow.h"
#include "game/GameState.h"
#include "game/frmMain.h"
#include "media/SpriteSet.h"
#include "media/modSound.h"
#include "platform/sdl/SdlMixerSoundDevice.h"

namespace vellix {
namespace {

using namespace std::chrono_literals;

void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

SDL_Event press(Uint8 button, int x, int y) {
    SDL_Event event{};
    event.button = {SDL_MOUSEBUTTONDOWN, 0, 0, 0, button, SDL_PRESSED, 1, 0, x, y};
    return event;
}

SDL_Event windowEvent(SDL_WindowEventID what) {
    SDL_Event event{};
    event.window.type = SDL_WINDOWEVENT;
    event.window.event = Uint8(what);
    return event;
}

struct SdlGame : ::testing::Test {
    static void SetUpTestSuite() {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    SdlGame() {
        window.attach(game, sound);
        system.showWindow();
        window.Show();
        sound.openSounds(VELLIX_PROGRAM_DIR);
        startUp(game);
        window.doEvents();  // what showing the window brought
    }
    ~SdlGame() override { SDL_Quit(); }

    SdlWindow system{"Vellix", frmMain::kStartWidth, frmMain::kStartHeight};
    frmMain window{system};
    SdlMixerSoundDevice device;
    modSound sound{device};
    FixedTimeOfDay clock{43210};
    GameState game{window, sound, SpriteSet::builtIn(), clock};
};

TEST_F(SdlGame, TheRightAndTheMiddleButtonDeployABallToo) {
    for (Uint8 button : {Uint8(SDL_BUTTON_RIGHT), Uint8(SDL_BUTTON_MIDDLE), Uint8(SDL_BUTTON_LEFT)}) {
        const auto balls = game.balls.count();
        push(press(button, 100, 50));
        window.doEvents();
        EXPECT_EQ(game.balls.count(), balls + 1) << "button " << int(button);
    }
}

// The ball rises into the bottom edges of two bricks at once: the first breaks, and the close that
// waits at the yield after it ends the game there, before the second is tested.
TEST_F(SdlGame, ACloseDuringABallsYieldAfterABrokenBrickEndsTheGameThere) {
    for (std::int16_t i = 0; i < game.bricks.count(); ++i) game.bricks[i].setPowerup(PowerupKind::None);
    game.bricks[1].setLeft(game.bricks[0].left());
    game.balls[0].init(682, 700);
    game.balls[0].setVelocity(0, -100);
    push(windowEvent(SDL_WINDOWEVENT_CLOSE));
    EXPECT_THROW(moveBalls(game), QuitRequested);
    EXPECT_EQ(std::tuple(game.bricks[0].isAlive(), game.bricks[1].isAlive(), game.score), std::tuple(false, true, 1.0));
}

TEST_F(SdlGame, AnUncoveredWindowShowsTheLastFrameAgain) {
    gameLoopPass(game);
    SDL_Surface* surface = SDL_GetWindowSurface(system.window());
    ASSERT_NE(surface, nullptr) << SDL_GetError();
    const auto frameAt = [&](int x, int y) {
        Uint8 r = 0, g = 0, b = 0;
        SDL_GetRGB(static_cast<const Uint32*>(surface->pixels)[y * surface->pitch / 4 + x], surface->format, &r, &g, &b);
        return rgb(r, g, b);
    };
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 255, 0, 255));  // what covered it
    push(windowEvent(SDL_WINDOWEVENT_EXPOSED));
    window.doEvents();
    const Picture& frame = window.canvas().image();
    for (int y = 0; y < frame.pixelHeight(); y += 7)
        for (int x = 0; x < frame.pixelWidth(); x += 5) ASSERT_EQ(frameAt(x, y), frame.at(x, y)) << x << ", " << y;
}

// Each of the four channels plays, is freed when its sound ends (the mixer's report reaching the
// channels through the window's events), and plays again, twice over.
TEST_F(SdlGame, EveryChannelIsFreedWhenItsSoundEndsAndPlaysAgain) {
    for (std::int16_t channel = 0; channel < modSound::kChannels; ++channel) {
        for (int play = 1; play <= 3; ++play) {
            sound.playSound(channel);
            ASSERT_TRUE(sound.soundBusy(channel));
            const auto until = std::chrono::steady_clock::now() + 3s;
            while (sound.soundBusy(channel) && std::chrono::steady_clock::now() < until) {
                window.doEvents();
                std::this_thread::sleep_for(5ms);
            }
            ASSERT_FALSE(sound.soundBusy(channel)) << "channel " << channel << " after play " << play;
        }
    }
}

}  // namespace
}  // namespace vellix
