#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "game/Game.h"
#include "game/WindowEvent.h"
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
// WindowFrame: on Wayland, and on X screens of pixels SDL has no format for). Its SDL events become
// the game's window events. The screen saver is held off during play.
class SdlWindow final {
public:
    // Creates the window, hidden, with the given client size in pixels at 96 dpi, made that many
    // times larger on a denser screen (density()). Throws StartupError when there is no display,
    // or no way to show a frame on it.
    SdlWindow(const char* title, int width, int height);
    ~SdlWindow();
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    // Whether the window will open on X, as far as the environment tells: an X display is named and
    // the player asked for no other video driver.
    static bool opensOnX();

    void showWindow();

    // How dense the screen is: device pixels to each 96-dpi pixel. The player's VELLIX_SCALE if set;
    // else on Wayland the window's own pixels to its size; else X's Xft.dpi (what GNOME and KDE set
    // for a scaled display) to 96, or GDK_SCALE; else 1.
    double density() const { return density_; }

    // The client area's size in device pixels.
    int clientWidth() const;
    int clientHeight() const;
    void resizeClient(int width, int height);
    // The same in twips, as the game's field measures it.
    float clientWidthTwips() const;
    float clientHeightTwips() const;

    // The game's event that an SDL event of this window is, if any.
    std::optional<WindowEvent> translate(const SDL_Event& event);

    void present(const Game::Frame& frame);
    // The system's arrow over the field, or no pointer at all.
    void showPointer(bool shown);
    // Whether a game is being played: only then are the screen saver and the screen lock held off.
    void setPlaying(bool playing);

    SDL_Window* window() const { return window_; }

private:
    void openWindow(const char* title, int width, int height);
    void takeDensity(int width, int height);
    void measureUnits();
    // A position SDL reports in the window's units, in twips.
    float twipsAt(int units) const { return float(double(units) * unitPixels_ * 15 / density_); }
    void findAWayToShow(const char* title, int width, int height);
    [[noreturn]] void fail(const std::string& why);
    void setIcon();

    SDL_Window* window_ = nullptr;
    // Where the frames go when SDL cannot draw to the window's framebuffer; else nothing.
    std::unique_ptr<WindowFrame> frame_;
    SDL_Cursor* invisiblePointer_ = nullptr;
    SDL_Cursor* arrowPointer_ = nullptr;
    double density_ = 1;
    double unitPixels_ = 1;  // device pixels to each unit SDL measures the window in
    bool pointerShown_ = true;
    bool playing_ = true;  // SDL holds the screen saver off from the start, and the game starts in play
};

}  // namespace vellix
