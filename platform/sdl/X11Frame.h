#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/sdl/WindowFrame.h"

struct SDL_Window;

namespace vellix {

// What the window needs from X itself on screens whose default visual has no pixel format SDL can
// draw to: deep colour (30 bits, ten to a channel) and 8 bits (three, three and two). There the
// window is made on a TrueColor visual instead, and if SDL cannot draw to that one either, the
// frame goes to the window through an X11Frame.

// A TrueColor visual of a screen, as X describes it.
struct TrueColorVisual {
    unsigned long id = 0;
    int depth = 0;
    unsigned long redMask = 0, greenMask = 0, blueMask = 0;
};

// The visual to make the window on: one of 8-bit channels if the screen has one (a composited
// deep-colour screen offers a 32-bit one, which SDL draws to), else one of the screen's own depth.
// 0 when there is neither.
unsigned long chooseVisual(const std::vector<TrueColorVisual>& visuals, int screenDepth);
// chooseVisual among the TrueColor visuals of the window's screen; 0 if the window is not on X.
unsigned long betterVisualFor(SDL_Window* window);

// The dots per inch of the X display of `window` as its resource database gives them (Xft.dpi,
// which GNOME and KDE set when the display is scaled), or 0 where it gives none.
double resourceDpi(SDL_Window* window);
// The same, read from the text of a resource database.
double resourceDpi(const char* resources);

// An 8-bit channel's value in the bits of `mask`, to the nearest level the mask can hold.
std::uint32_t channelBits(std::uint8_t value, unsigned long mask);

// The frame of a window on a TrueColor visual that SDL has no pixel format for: the game draws it
// in SDL's RGB888, as on the window's own framebuffer, and each pixel is converted to the visual's
// bits and sent to the window, one for one.
class X11Frame : public WindowFrame {
public:
    // The frame for `window`, or nothing if it is not on X or its visual is not TrueColor.
    static std::unique_ptr<X11Frame> open(SDL_Window* window);
};

}  // namespace vellix
