#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "base/TimeOfDay.h"
#include "game/GameState.h"
#include "media/Canvas.h"
#include "media/SoundPlayer.h"
#include "media/SpriteSet.h"

namespace vellix::testing {

// A host with no window: a canvas of a given size, a pointer x the test sets, and a count of the
// frames ended. A test can hook a yield to play a window event there (a press, a move, a resize).
struct FakeHost final : GameHost {
    FakeHost(float width, float height, double density = 1) : field(width, height) { field.setDensity(density); }

    Canvas& canvas() override { return field; }
    float mouseX() const override { return pointerX; }
    void setNewGameVisible(bool visible) override { newGameVisible = visible; }
    void doEvents() override { if (onBrickYield) onBrickYield(); }
    void endOfFrame(bool yield) override {
        ++framesEnded;
        if (yield && onFrameYield) onFrameYield();
    }

    Canvas field;
    float pointerX = 997;
    bool newGameVisible = false;
    int framesEnded = 0;
    std::function<void()> onBrickYield;
    std::function<void()> onFrameYield;
};

// Every sound the game asked for, in order.
struct RecordingSound final : SoundPlayer {
    void playSound(std::int16_t sound) override { played.push_back(sound); }
    std::vector<std::int16_t> played;
};

// A whole game with no window, on a field of the given size in twips, seeded from a fixed clock,
// drawn at a screen's density.
struct TestGame {
    explicit TestGame(float width = 9105, float height = 5010, std::uint32_t seconds = 43210, double density = 1)
        : host(width, height, density), clock(seconds), sprites(SpriteSet::atDensity(density)),
          game(host, sound, sprites, clock) {}

    FakeHost host;
    RecordingSound sound;
    FixedTimeOfDay clock;
    SpriteSet sprites;
    GameState game;
};

}  // namespace vellix::testing
