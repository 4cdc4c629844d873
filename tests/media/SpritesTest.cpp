#include "media/SpriteSet.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace vellix {
namespace {

TEST(Sprites, HaveTheirSizesAndMasksBlackOverTheShapeWithTheSpriteBlackAroundIt) {
    const SpriteSet& s = SpriteSet::builtIn();
    // Each sprite, its mask (if it has one) and its size in twips.
    std::vector<std::tuple<const Picture*, const Picture*, float, float>> sprites = {
        {&s.imgBall, &s.imgBallMatte, 495, 480},           {&s.imgPointer, &s.imgPointerMatte, 225, 285},
        {&s.imgMouse, &s.imgMouseMatte, 120, 120},         {&s.imgPaddleLeft, &s.imgPaddleLeftMatte, 75, 225},
        {&s.imgPaddleRight, &s.imgPaddleRightMatte, 75, 225}, {&s.imgPaddleCenter, nullptr, 1515, 225}};
    for (const Picture& brick : s.imgBrick) sprites.emplace_back(&brick, nullptr, 1365, 540);
    for (std::size_t i = 1; i <= 6; ++i) sprites.emplace_back(&s.imgPowerup[i], &s.imgPowerupMatte[i], 1365, 540);
    for (const auto& [sprite, mask, w, h] : sprites) {
        EXPECT_EQ(std::pair(sprite->Width(), sprite->Height()), std::pair(w, h));
        if (mask == nullptr) continue;
        ASSERT_EQ(std::pair(mask->Width(), mask->Height()), std::pair(w, h));
        for (std::size_t i = 0; i < mask->pixels().size(); ++i)
            EXPECT_TRUE(mask->pixels()[i] == 0 || (mask->pixels()[i] == 0xFFFFFF && sprite->pixels()[i] == 0)) << i;
    }
    // The paddle's centre is stretched to any width, so its columns are all alike.
    const Picture& centre = s.imgPaddleCenter;
    for (int i = 0; i < int(centre.pixels().size()); ++i)
        EXPECT_EQ(centre.pixels()[std::size_t(i)], centre.pixels()[std::size_t(i - i % centre.pixelWidth())]) << i;
}

}  // namespace
}  // namespace vellix
