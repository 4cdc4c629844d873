#include "game/NewGameButton.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "media/TextCache.h"
#include "tests/support/Pictures.h"

namespace vellix {
namespace {

// Every character a solid block, 7 by 11 pixels at 96 dpi, n times that at density n as the platforms make it.
struct BlockFont final : TextRasterizer {
    explicit BlockFont(int density) : n(density) {}
    TextImage render(std::string_view t) override {
        return {7 * n * int(t.size()), 11 * n, std::vector<std::uint8_t>(77 * std::size_t(n * n) * t.size(), 255)};
    }
    int lineHeight() const override { return 11 * n; }
    int n;
};

// The button's face, up or pushed in, at a density, with a caption of solid blocks.
Picture face(int density, bool pressed) {
    BlockFont font(density);
    TextCache text(font);
    NewGameButton button;
    button.setDensity(density);
    button.setText(&text);
    button.pressed = pressed;
    return button.picture();
}

// Up and pushed in, it looks as it always has: every colour and place of its face, outline, bevels
// and caption is in these hashes (a change meant to be comes with new ones).
TEST(NewGameButton, LooksAsItAlwaysHas) {
    EXPECT_EQ(testing::pixelHash(face(1, false)), 0xc6b29788182170ddull);
    EXPECT_EQ(testing::pixelHash(face(1, true)), 0x5abf019a1a128adbull);
}

// On a screen two and three times as dense, the button's face, up and pushed in, is the face at
// 96 dpi with every pixel that many times as wide and high (its outline and bevels too), but for
// its caption, which lies as far in and is as large within a device pixel.
TEST(NewGameButton, OnADenserScreenItsFaceIsDrawnThatManyTimesAsLarge) {
    constexpr Pixel kCaption = rgb(235, 238, 255);
    const auto captionBox = [](const Picture& p) {
        return testing::boxWhere(p, [&](int x, int y) { return p.at(x, y) == kCaption; });
    };
    for (bool pressed : {false, true})
        for (int n : {2, 3}) {
            SCOPED_TRACE(::testing::Message() << (pressed ? "pushed in" : "up") << " at " << n);
            const Picture one = face(1, pressed), dense = face(n, pressed);
            ASSERT_EQ(std::pair(dense.pixelWidth(), dense.pixelHeight()), std::pair(81 * n, 45 * n));
            const auto box = captionBox(dense), oneBox = captionBox(one);
            for (std::size_t edge = 0; edge < 4; ++edge) EXPECT_NEAR(box[edge], oneBox[edge] * n, 1) << edge;
            for (int y = 0; y < dense.pixelHeight(); ++y)
                for (int x = 0; x < dense.pixelWidth(); ++x) {
                    const Pixel wide = one.at(x / n, y / n);
                    const Pixel at = dense.at(x, y);
                    ASSERT_TRUE(wide == kCaption || at == kCaption || at == wide) << x << ", " << y;
                }
        }
}

}  // namespace
}  // namespace vellix
