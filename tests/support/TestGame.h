#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/TimeOfDay.h"
#include "game/Game.h"
#include "media/SpriteSet.h"

namespace vellix::testing {

// A sound device that plays nothing and reports no end, as one whose files could not be used.
struct Silence final : SoundDevice {
    void open(int, const std::string&) override {}
    void play(int) override {}
};

// A whole game as the platforms wire it, with no window and no sound device: a field of the given
// size in twips, seeded from a fixed clock, drawn at a screen's density. `game` is its state, on
// which the rules' tests work.
struct TestGame {
    explicit TestGame(float width = 9105, float height = 5010, std::uint32_t seconds = 43210, double density = 1)
        : clock(seconds), whole(silence, clock, density), game(whole.state()) {
        whole.start("", width, height);
    }

    Canvas& canvas() { return whole.canvas(); }
    // The pointer over the field at x.
    void pointAt(float x) { whole.window().pointerMoved(x, 0); }
    // The sounds asked for since the last call.
    std::vector<std::int16_t> takeSounds() {
        const std::vector<std::int16_t>& asked = whole.soundsAsked();
        if (taken_ > asked.size()) taken_ = 0;  // a frame was drawn since: the list starts anew
        std::vector<std::int16_t> sounds(asked.begin() + long(taken_), asked.end());
        taken_ = asked.size();
        return sounds;
    }

    Silence silence;
    FixedTimeOfDay clock;
    Game whole;
    GameState& game;

private:
    std::size_t taken_ = 0;
};

}  // namespace vellix::testing
