#pragma once

#include <memory>

#include "platform/sdl/WindowFrame.h"

struct SDL_Window;

namespace vellix {

// The frame of a window on Wayland. SDL draws to a Wayland window only through OpenGL (several
// times the CPU and the memory of a copy, and a shader cache written to disk); here the game draws
// straight into shared memory that the compositor reads (SDL's RGB888 is Wayland's XRGB8888,
// which every compositor takes), and each frame is attached to the window's surface.
// Nothing if the window is not on Wayland or the compositor offers no shared memory.
std::unique_ptr<WindowFrame> openWaylandFrame(SDL_Window* window);

}  // namespace vellix
