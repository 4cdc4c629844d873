// What the window does on X screens SDL cannot draw to: the visual it is made on instead, and the
// channels converted to the bits of any TrueColor visual.

#include "platform/sdl/X11Frame.h"

#include <gtest/gtest.h>

namespace vellix {
namespace {

// Deep colour has ten bits a channel, red on top; the 8-bit screen three of red at the bottom,
// three of green and two of blue. The ends of the scale are the ends of every mask, and a level
// between them is the nearest the bits can hold.
TEST(X11Frame, ChannelsFillTheirMasksFromNoneToAll) {
    EXPECT_EQ(channelBits(0, 0x3ff00000), 0u);
    EXPECT_EQ(channelBits(255, 0x3ff00000), 0x3ff00000u);
    EXPECT_EQ(channelBits(128, 0x000ffc00), 514u << 10);  // 128 / 255 of 1023 is 513.5
    EXPECT_EQ(channelBits(255, 0x3ff), 0x3ffu);
    EXPECT_EQ(channelBits(255, 0x07), 0x07u);
    EXPECT_EQ(channelBits(200, 0x07), 5u);  // 5.49 of 7
    EXPECT_EQ(channelBits(219, 0x38), 6u << 3);  // 6.01 of 7
    EXPECT_EQ(channelBits(127, 0xc0), 1u << 6);  // 1.49 of 3
    EXPECT_EQ(channelBits(128, 0xc0), 2u << 6);  // 1.51 of 3
    EXPECT_EQ(channelBits(255, 0xff00), 0xff00u);
    EXPECT_EQ(channelBits(255, 0), 0u);
}

// The window goes on a visual of 8-bit channels when the screen has one (SDL draws to those), else
// on one of the screen's own depth; on none if the screen has neither.
TEST(X11Frame, TheWindowGoesOnEightBitChannelsElseOnTheScreensOwnDepth) {
    const TrueColorVisual deep{0x21, 30, 0x3ff00000, 0xffc00, 0x3ff}, argb{0x46, 32, 0xff0000, 0xff00, 0xff},
        eightBit{0x24, 8, 0x07, 0x38, 0xc0}, highColour{0x30, 16, 0xf800, 0x7e0, 0x1f};
    EXPECT_EQ(chooseVisual({deep, argb}, 30), 0x46u);
    EXPECT_EQ(chooseVisual({deep}, 30), 0x21u);
    EXPECT_EQ(chooseVisual({highColour, eightBit}, 8), 0x24u);
    EXPECT_EQ(chooseVisual({highColour}, 8), 0u);
    EXPECT_EQ(chooseVisual({}, 24), 0u);
}

}  // namespace
}  // namespace vellix
