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

    // The pictures built into the program, at 96 dpi.
    static const SpriteSet& builtIn();
    // The pictures for a screen of `density` device pixels to each 96-dpi pixel: those built into
    // the program at 1, drawn afresh by the same code at any other density.
    static SpriteSet atDensity(double density);
    // Every picture drawn afresh at `density`.
    static SpriteSet drawn(double density);
};

// A file built into the program (the pictures and the window icon), by its file name; empty when
// there is no such file.
std::span<const std::uint8_t> embeddedFile(std::string_view name);

// The window's icon at `density`: 32 by 32 pixels at 1 (built into the program), round(32 *
// density) pixels a side at any other density, with alpha in each pixel's top byte.
Picture windowIcon(double density);

}  // namespace vellix
