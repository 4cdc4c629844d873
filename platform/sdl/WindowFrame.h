#pragma once

struct SDL_Surface;

namespace vellix {

// The client area's frame where SDL has no framebuffer of the window's own to draw to: the game
// draws each frame on `surface`, in SDL's RGB888, and `send` puts it on the window.
class WindowFrame {
public:
    virtual ~WindowFrame() = default;

    // The frame to draw on, the size of the client area (made anew when that changed); nothing if
    // it cannot be had.
    virtual SDL_Surface* surface(int width, int height) = 0;
    // Puts the frame on the window.
    virtual void send() = 0;
};

}  // namespace vellix
