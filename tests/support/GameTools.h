#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "game/GameFlow.h"
#include "media/TextCache.h"
#include "tests/support/TestGame.h"

namespace vellix::testing {

// A test game (of the same field and clock) as the program starts one: level 1 welcomed and a new
// game set up.
struct StartedGame : TestGame {
    explicit StartedGame(float width = 9105, float height = 5010, std::uint32_t seconds = 43210, double density = 1)
        : TestGame(width, height, seconds, density) {
        whole.startPlaying();
    }
};

// Gives a canvas, for as long as this lives, a font that prints a line as two pixel rows: a solid
// bar, and under it one pixel per character whose coverage is the character's code. On a black
// field the second row's blue channel spells the text.
struct SpellingText final : TextRasterizer {
    explicit SpellingText(Canvas& canvas) { canvas.setTextCache(&cache); }
    TextImage render(std::string_view text) override {
        TextImage image{int(text.size()), 2, std::vector<std::uint8_t>(text.size(), 255)};
        image.coverage.insert(image.coverage.end(), text.begin(), text.end());
        return image;
    }
    int lineHeight() const override { return 16; }
    TextCache cache{*this};
};

// The line printed with its top-left pixel at (x, y), in the status colour.
inline std::string textAt(const Picture& image, int x, int y) {
    if (x > 0 && image.at(x - 1, y + 1) != 0) return "<text starts further left>";
    std::string text;
    for (; x < image.pixelWidth() && image.at(x, y + 1) != 0; ++x) {
        if (image.at(x, y) != rgb(190, 200, 255)) return text + "<wrong colour>";
        text += char(image.at(x, y + 1) & 0xFF);
    }
    return text;
}

// Takes every power-up off the wall.
inline void clearPowerupKinds(GameState& g) {
    for (std::int16_t i = 0; i < g.bricks.count(); ++i) g.bricks[i].setPowerup(PowerupKind::None);
}

// Puts ball i just above the floor, falling, and lets it take one step out of the field.
inline void dropOut(GameState& g, std::int16_t i) {
    g.balls[i].init(3000, g.canvas().Height() - 1);
    g.balls[i].setVelocity(0, 100);
    g.balls[i].move();
    ASSERT_FALSE(g.balls[i].isAlive());
}

}  // namespace vellix::testing
