#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "game/WindowSystem.h"
#include "platform/sdl/FramePacer.h"
#include "platform/sdl/WindowFrame.h"

struct SDL_Window;
struct SDL_Cursor;
union SDL_Event;

namespace vellix {

// A failure that stops the program before it can play (no display): reported in one line.
struct StartupError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The game's window on the desktop, through SDL: a resizable window whose client area shows the
// field, copied to the window's own framebuffer once a frame (where SDL has none to draw to, to a
// WindowFrame: on Wayland, and on X screens of pixels SDL has no format for), with the frame rate
// kept by a pacer. The screen saver is held off during play.
class SdlWindow final : public WindowSystem {
public:
    // Creates the window, hidden, with the given client size. Throws StartupError when there is no
    // display, or no way to show a frame on it.
    SdlWindow(const char* title, int width, int height);
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    // Whether the window will open on X, as far as the environment tells: an X display is named and
    // the player asked for no other video driver.
    static bool opensOnX();

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
    void setPlaying(bool playing) override;

    SDL_Window* window() const { return window_; }

private:
    void openWindow(const char* title, int width, int height);
    void findAWayToShow(const char* title, int width, int height);
    [[noreturn]] void fail(const std::string& why);
    void handle(const SDL_Event& event, frmMain& window);
    void setIcon();

    SDL_Window* window_ = nullptr;
    // Where the frames go when SDL cannot draw to the window's framebuffer; else nothing.
    std::unique_ptr<WindowFrame> frame_;
    SDL_Cursor* invisiblePointer_ = nullptr;
    SDL_Cursor* arrowPointer_ = nullptr;
    FramePacer pacer_;
};

}  // namespace vellix
