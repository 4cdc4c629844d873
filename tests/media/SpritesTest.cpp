#include "media/SpriteSet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/support/Pictures.h"

namespace vellix {
namespace {

// Each sprite of a set with its mask, if it has one.
std::vector<std::pair<const Picture*, const Picture*>> spritesOf(const SpriteSet& s) {
    std::vector<std::pair<const Picture*, const Picture*>> sprites = {
        {&s.imgBall, &s.imgBallMatte},           {&s.imgPointer, &s.imgPointerMatte}, {&s.imgMouse, &s.imgMouseMatte},
        {&s.imgPaddleLeft, &s.imgPaddleLeftMatte}, {&s.imgPaddleRight, &s.imgPaddleRightMatte},
        {&s.imgPaddleCenter, nullptr}};
    for (const Picture& brick : s.imgBrick) sprites.emplace_back(&brick, nullptr);
    for (std::size_t i = 1; i <= 6; ++i) sprites.emplace_back(&s.imgPowerup[i], &s.imgPowerupMatte[i]);
    return sprites;
}

TEST(Sprites, HaveTheirSizesAndMasksBlackOverTheShapeWithTheSpriteBlackAroundIt) {
    const SpriteSet& s = SpriteSet::builtIn();
    const std::vector<std::pair<float, float>> sizes = {{495, 480}, {225, 285}, {120, 120}, {75, 225}, {75, 225},
                                                        {1515, 225}};
    const auto sprites = spritesOf(s);
    for (std::size_t i = 0; i < sprites.size(); ++i) {
        const auto [sprite, mask] = sprites[i];
        const auto [w, h] = i < sizes.size() ? sizes[i] : std::pair(1365.0f, 540.0f);
        EXPECT_EQ(std::pair(sprite->Width(), sprite->Height()), std::pair(w, h)) << i;
        if (mask == nullptr) continue;
        ASSERT_EQ(std::pair(mask->Width(), mask->Height()), std::pair(w, h));
        for (std::size_t p = 0; p < mask->pixels().size(); ++p)
            EXPECT_TRUE(mask->pixels()[p] == 0 || (mask->pixels()[p] == 0xFFFFFF && sprite->pixels()[p] == 0)) << p;
    }
    // The paddle's centre is stretched to any width, so its columns are all alike.
    const Picture& centre = s.imgPaddleCenter;
    for (int i = 0; i < int(centre.pixels().size()); ++i)
        EXPECT_EQ(centre.pixels()[std::size_t(i)], centre.pixels()[std::size_t(i - i % centre.pixelWidth())]) << i;
}

// Whether some pixel differs from the first of the n by n block it lies in: a picture magnified
// n times has none.
bool finerThan(const Picture& picture, int n) {
    for (int y = 0; y < picture.pixelHeight(); ++y)
        for (int x = 0; x < picture.pixelWidth(); ++x)
            if (picture.at(x, y) != picture.at(x - x % n, y - y % n)) return true;
    return false;
}

// Drawn for a denser screen, every sprite keeps its size in twips and shows the same picture drawn
// anew: its shape as many times as far from its corner and as large, give or take one 96-dpi pixel
// (where an edge falls within a 96-dpi pixel is all the 96-dpi picture tells), with finer detail.
TEST(Sprites, AtADenserScreenEachIsAsLargeInTwipsAndDrawnAnewAtThatManyTimesThePixels) {
    const auto ones = spritesOf(SpriteSet::builtIn());
    for (auto [n, look] : {std::pair{2.0, 0x6d5c2c530ce93406ull}, {2.625, 0xdf0da137928e57feull}, {3.0, 0x69c803eb2c8556fcull}}) {
        const SpriteSet dense = SpriteSet::atDensity(n);
        const auto denses = spritesOf(dense);
        // Drawn anew, it looks as it always has at that density (a change meant to be comes with new hashes).
        std::uint64_t drawn = 0;
        for (const auto& [sprite, mask] : denses)
            drawn = drawn * 31 + testing::pixelHash(*sprite) + (mask != nullptr ? testing::pixelHash(*mask) : 0);
        EXPECT_EQ(drawn, look) << std::hex << drawn << " at " << n;
        for (std::size_t i = 0; i < ones.size(); ++i) {
            SCOPED_TRACE(::testing::Message() << "sprite " << i << " at " << n);
            const auto [one, oneMask] = ones[i];
            const auto [sprite, mask] = denses[i];
            EXPECT_EQ(std::pair(sprite->Width(), sprite->Height()), std::pair(one->Width(), one->Height()));
            // What it shows: where its mask is black, or where an unmasked sprite is not.
            const auto shown = [](const Picture& p, const Picture* m) {
                return testing::boxWhere(p, [&](int x, int y) { return m ? m->at(x, y) == 0 : p.at(x, y) != 0; });
            };
            const auto box = shown(*sprite, mask), oneBox = shown(*one, oneMask);
            for (std::size_t edge = 0; edge < 4; ++edge) EXPECT_NEAR(box[edge], oneBox[edge] * n, n) << edge;
            EXPECT_TRUE(n != std::floor(n) || finerThan(mask != nullptr ? *mask : *sprite, int(n)));
        }
        EXPECT_EQ(windowIcon(n).pixelWidth(), std::lround(32 * n)) << "the window's icon";
    }
}

}  // namespace
}  // namespace vellix
