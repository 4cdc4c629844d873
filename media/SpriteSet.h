#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "media/Picture.h"

namespace vellix {

// Every picture the game draws, each with its mask ("Matte") where it has one. A mask is black
// where its sprite shows and white elsewhere; the sprite is black wherever it is transparent, so
// AND-ing the mask and then OR-ing the sprite lays the shape over whatever lies beneath.
struct SpriteSet {
    std::array<Picture, 6> imgBrick;         // the six brick colours, drawn opaque
    std::array<Picture, 7> imgPowerup;       // indices 1 to 6: the power-up icons
    std::array<Picture, 7> imgPowerupMatte;  // indices 1 to 6
    Picture imgBall, imgBallMatte;
    Picture imgPointer, imgPointerMatte;  // marks a ball above the top of the field
    Picture imgMouse, imgMouseMatte;      // the mouse marker
    Picture imgPaddleLeft, imgPaddleLeftMatte;
    Picture imgPaddleRight, imgPaddleRightMatte;
    Picture imgPaddleCenter;  // no mask: OR-ed onto the dark field

    // The pictures built into the program.
    static const SpriteSet& builtIn();
};

// A file built into the program (the pictures and the window icon), by its file name; empty when
// there is no such file.
std::span<const std::uint8_t> embeddedFile(std::string_view name);

}  // namespace vellix
