#pragma once

#include <stdexcept>

#include "game/WindowSystem.h"
#include "platform/sdl/FramePacer.h"

struct SDL_Window;
struct SDL_Cursor;
union SDL_Event;

namespace vellix {

// A failure that stops the program before it can play (no display): reported in one line.
struct StartupError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The game's window on the desktop, through SDL: a resizable window whose client area shows the
// field, copied to the window's own framebuffer once a frame, with the frame rate kept by a pacer.
class SdlWindow final : public WindowSystem {
public:
    // Creates the window, hidden, with the given client size. Throws StartupError when there is no
    // display.
    SdlWindow(const char* title, int width, int height);
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    void showWindow();

    int clientWidth() const override;
    int clientHeight() const override;
    void resizeClient(int width, int height) override;
    void show(const Picture& field, const Picture* button, int buttonX, int buttonY) override;
    void showPointer(bool shown) override;
    void handleEvents(frmMain& window) override;
    void waitForEvents(frmMain& window) override;
    void waitForNextFrame() override { pacer_.waitForNextFrame(); }
    void restartFrames() override { pacer_.restart(); }

    SDL_Window* window() const { return window_; }

private:
    void handle(const SDL_Event& event, frmMain& window);
    void setIcon();

    SDL_Window* window_ = nullptr;
    SDL_Cursor* invisiblePointer_ = nullptr;
    SDL_Cursor* arrowPointer_ = nullptr;
    FramePacer pacer_;
};

}  // namespace vellix
