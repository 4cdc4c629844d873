#include "platform/sdl/SdlWindow.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "base/Twips.h"
#include "media/SpriteSet.h"
#include "platform/sdl/WaylandFrame.h"
#include "platform/sdl/X11Frame.h"

namespace vellix {

SdlWindow::SdlWindow(const char* title, int width, int height) {
    // X comes first wherever there is one, on a Wayland desktop through XWayland: there the game
    // takes a quarter of the memory (SDL makes every Wayland window an OpenGL one, which loads the
    // GL driver) and starts sooner, for about the same CPU a frame. Wayland is for a Wayland session
    // without X; without a Wayland session only X is worth trying (probing Wayland would only print
    // noise). The player's SDL_VIDEODRIVER is honoured.
    if (SDL_getenv("SDL_VIDEODRIVER") == nullptr)
        SDL_SetHint(SDL_HINT_VIDEODRIVER, SDL_getenv("WAYLAND_DISPLAY") != nullptr ? "x11,wayland" : "x11");
    // The name the desktop gives for whoever holds its screen saver off.
    SDL_SetHint(SDL_HINT_APP_NAME, "Vellix");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        const bool noDisplay = SDL_getenv("DISPLAY") == nullptr && SDL_getenv("WAYLAND_DISPLAY") == nullptr;
        throw StartupError(std::string("cannot open a window: ") + SDL_GetError() +
                           (noDisplay ? " (no display: DISPLAY is not set)" : ""));
    }
    // Without a display SDL settles for a driver that shows nothing; a player would see no game.
    const std::string driver = SDL_GetCurrentVideoDriver();
    if (SDL_getenv("SDL_VIDEODRIVER") == nullptr && (driver == "offscreen" || driver == "dummy" || driver == "evdev"))
        fail("cannot open a window: no display (DISPLAY is not set or the X server cannot be reached)");
    // The canvas is copied to the window's own framebuffer (shared memory on X11): no OpenGL
    // renderer between them, which would cost more time, far more memory and a shader cache on disk.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    openWindow(title, width, height);
    findAWayToShow(title, width, height);
    takeDensity(width, height);
    // The canvas's own pointer: 32 by 32 and transparent in every pixel.
    const std::uint8_t blank[32 * 32 / 8] = {};
    invisiblePointer_ = SDL_CreateCursor(blank, blank, 32, 32, 0, 0);
    arrowPointer_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
}

bool SdlWindow::opensOnX() {
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    return SDL_getenv("DISPLAY") != nullptr && (asked == nullptr || std::string(asked).starts_with("x11"));
}

SdlWindow::~SdlWindow() {
    if (invisiblePointer_ != nullptr) SDL_FreeCursor(invisiblePointer_);
    if (arrowPointer_ != nullptr) SDL_FreeCursor(arrowPointer_);
    frame_.reset();
    SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

// On Wayland the window is measured in the desktop's units, and its pixels are that many times
// more on a scaled output; on X it is measured in pixels.
void SdlWindow::openWindow(const char* title, int width, int height) {
    const Uint32 dense = SDL_getenv("VELLIX_SCALE") == nullptr ? SDL_WINDOW_ALLOW_HIGHDPI : 0;
    window_ = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                               SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | dense);
    if (window_ == nullptr) fail(std::string("cannot open a window: ") + SDL_GetError());
}

// A Wayland window learns its output's scale once it is shown, and again when it moves to another
// output: its density follows.
void SdlWindow::measureUnits() {
    int units = 0, pixels = 0;
    SDL_GetWindowSize(window_, &units, nullptr);
    SDL_GetWindowSizeInPixels(window_, &pixels, nullptr);
    unitPixels_ = units > 0 && pixels > 0 ? double(pixels) / units : 1;
    if (unitPixels_ != 1 && SDL_getenv("VELLIX_SCALE") == nullptr) density_ = unitPixels_;
}

void SdlWindow::takeDensity(int width, int height) {
    measureUnits();
    const char* asked = SDL_getenv("VELLIX_SCALE");
    const char* gdk = SDL_getenv("GDK_SCALE");
    const double dpi = resourceDpi(window_);
    density_ = asked != nullptr ? std::atof(asked) : unitPixels_ != 1 ? unitPixels_ : dpi > 0 ? dpi / 96 : gdk != nullptr ? std::atof(gdk) : 1;
    if (!(density_ > 0 && density_ <= 8)) density_ = 1;  // nothing a screen has
    // Where the window's units are pixels, the window is made as large as it would be at 96 dpi, and
    // placed anew for that size.
    if (unitPixels_ == 1 && density_ != 1) {
        SDL_SetWindowSize(window_, int(std::lround(width * density_)), int(std::lround(height * density_)));
        SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    setIcon();
}

// The window's own framebuffer is the cheapest way to the screen, and most X screens have one SDL
// can draw to. On Wayland SDL has none, and the frame goes through a WaylandFrame. An X screen whose
// default visual SDL has no pixel format for (deep colour, 8 bits) gets the window made again on a
// TrueColor visual: SDL draws to one of 8-bit channels, and to any other the frame goes through an
// X11Frame. A screen with neither cannot show the game.
void SdlWindow::findAWayToShow(const char* title, int width, int height) {
    if (SDL_GetWindowSurface(window_) != nullptr) return;
    if ((frame_ = openWaylandFrame(window_)) != nullptr) return;
    // SDL gives no reason when its driver has no framebuffer.
    const std::string why = *SDL_GetError() != '\0' ? SDL_GetError()
                            : std::string("SDL's \"") + SDL_GetCurrentVideoDriver() + "\" driver has no framebuffer to draw to";
    if (const unsigned long visual = betterVisualFor(window_); visual != 0) {
        SDL_DestroyWindow(window_);
        window_ = nullptr;
        SDL_SetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID, std::to_string(visual).c_str());
        openWindow(title, width, height);
        if (SDL_GetWindowSurface(window_) != nullptr) return;
        if ((frame_ = X11Frame::open(window_)) != nullptr) return;
    }
    fail("cannot show a picture on this display: " + why);
}

void SdlWindow::fail(const std::string& why) {
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    window_ = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    throw StartupError(why);
}

void SdlWindow::setIcon() {
    Picture icon = windowIcon(density_);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(icon.row(0), icon.pixelWidth(), icon.pixelHeight(), 32,
                                                              icon.pixelWidth() * 4, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) return;
    SDL_SetWindowIcon(window_, surface);
    SDL_FreeSurface(surface);
}

void SdlWindow::showWindow() { SDL_ShowWindow(window_); }

int SdlWindow::clientWidth() const {
    int w = 0;
    SDL_GetWindowSizeInPixels(window_, &w, nullptr);
    return w;
}

int SdlWindow::clientHeight() const {
    int h = 0;
    SDL_GetWindowSizeInPixels(window_, nullptr, &h);
    return h;
}

void SdlWindow::resizeClient(int width, int height) {
    SDL_SetWindowSize(window_, int(std::lround(width / unitPixels_)), int(std::lround(height / unitPixels_)));
}

float SdlWindow::clientWidthTwips() const { return pixelsToTwips(clientWidth(), density_); }
float SdlWindow::clientHeightTwips() const { return pixelsToTwips(clientHeight(), density_); }

std::optional<WindowEvent> SdlWindow::translate(const SDL_Event& event) {
    using Kind = WindowEvent::Kind;
    switch (event.type) {
        case SDL_QUIT:
            return WindowEvent::of(Kind::Closed);
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    return WindowEvent::of(Kind::Closed);
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    measureUnits();
                    return WindowEvent::resized(clientWidthTwips(), clientHeightTwips(), density_);
                case SDL_WINDOWEVENT_EXPOSED:
                    return WindowEvent::of(Kind::Uncovered);
                case SDL_WINDOWEVENT_MINIMIZED:
                case SDL_WINDOWEVENT_HIDDEN:
                    return WindowEvent::of(Kind::Hidden);
                case SDL_WINDOWEVENT_RESTORED:
                case SDL_WINDOWEVENT_SHOWN:
                    return WindowEvent::of(Kind::Shown);
                default:
                    return std::nullopt;
            }
        case SDL_MOUSEMOTION:
            return WindowEvent::pointerMoved(twipsAt(event.motion.x), twipsAt(event.motion.y));
        case SDL_MOUSEBUTTONDOWN:
            return WindowEvent::buttonPressed(twipsAt(event.button.x), twipsAt(event.button.y),
                                              event.button.button == SDL_BUTTON_LEFT);
        case SDL_MOUSEBUTTONUP:
            return WindowEvent::buttonReleased(twipsAt(event.button.x), twipsAt(event.button.y),
                                               event.button.button == SDL_BUTTON_LEFT);
        default:
            return std::nullopt;
    }
}

void SdlWindow::present(const Game::Frame& frame) {
    const Picture& field = *frame.field;
    SDL_Surface* surface = frame_ ? frame_->surface(clientWidth(), clientHeight()) : SDL_GetWindowSurface(window_);
    if (surface == nullptr) return;
    const int w = std::min(surface->w, field.pixelWidth());
    const int h = std::min(surface->h, field.pixelHeight());
    if (w > 0 && h > 0) {
        SDL_ConvertPixels(w, h, SDL_PIXELFORMAT_RGB888, field.row(0), field.pixelWidth() * 4, surface->format->format,
                          surface->pixels, surface->pitch);
    }
    if (const Picture* button = frame.button) {
        SDL_Surface* face = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<Pixel*>(button->row(0)), button->pixelWidth(),
                                                               button->pixelHeight(), 32, button->pixelWidth() * 4,
                                                               SDL_PIXELFORMAT_RGB888);
        if (face != nullptr) {
            SDL_Rect where{frame.buttonX, frame.buttonY, button->pixelWidth(), button->pixelHeight()};
            SDL_BlitSurface(face, nullptr, surface, &where);
            SDL_FreeSurface(face);
        }
    }
    if (frame_) frame_->send();
    else SDL_UpdateWindowSurface(window_);
}

void SdlWindow::setPlaying(bool playing) {
    if (playing == playing_) return;
    playing_ = playing;
    if (playing) SDL_DisableScreenSaver();
    else SDL_EnableScreenSaver();
}

void SdlWindow::showPointer(bool shown) {
    if (shown == pointerShown_) return;
    pointerShown_ = shown;
    SDL_SetCursor(shown ? arrowPointer_ : invisiblePointer_);
}

}  // namespace vellix
