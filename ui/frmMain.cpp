#include "ui/frmMain.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "game/Arithmetic.h"
#include "game/GameFlow.h"
#include "media/ImageFiles.h"
#include "media/SdlMixerSoundDevice.h"
#include "media/SpriteSet.h"
#include "media/Twips.h"
#include "media/modSound.h"

namespace vellix {

frmMain::frmMain(const char* title) {
    // The game takes no keyboard input, so X need not read its table of compose sequences (a
    // noticeable part of the start-up); a table the player chose is still honoured.
    setenv("XCOMPOSEFILE", "/dev/null", 0);
    // Without a Wayland session only X is worth trying (probing Wayland would only print noise).
    if (SDL_getenv("SDL_VIDEODRIVER") == nullptr && SDL_getenv("WAYLAND_DISPLAY") == nullptr)
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        const bool noDisplay = SDL_getenv("DISPLAY") == nullptr && SDL_getenv("WAYLAND_DISPLAY") == nullptr;
        throw StartupError(std::string("cannot open a window: ") + SDL_GetError() +
                           (noDisplay ? " (no display: DISPLAY is not set)" : ""));
    }
    // Without a display SDL settles for a driver that shows nothing; a player would see no game.
    const std::string driver = SDL_GetCurrentVideoDriver();
    if (SDL_getenv("SDL_VIDEODRIVER") == nullptr && (driver == "offscreen" || driver == "dummy" || driver == "evdev")) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        throw StartupError("cannot open a window: no display (DISPLAY is not set or the X server cannot be reached)");
    }
    // The canvas is copied to the window's own framebuffer (shared memory on X11): no OpenGL
    // renderer between them, which would cost more time, far more memory and a shader cache on disk.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    window_ = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, kStartWidth, kStartHeight,
                               SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    if (window_ == nullptr) {
        const std::string why = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        throw StartupError("cannot open a window: " + why);
    }
    setIcon();
    // The canvas's own pointer: 32 by 32 and transparent in every pixel.
    const std::uint8_t blank[32 * 32 / 8] = {};
    invisiblePointer_ = SDL_CreateCursor(blank, blank, 32, 32, 0, 0);
    arrowPointer_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    canvas_.setPresenter(this);
    mousePointerChanged(canvas_.MousePointer());
    load();
}

frmMain::~frmMain() {
    canvas_.setPresenter(nullptr);
    if (invisiblePointer_ != nullptr) SDL_FreeCursor(invisiblePointer_);
    if (arrowPointer_ != nullptr) SDL_FreeCursor(arrowPointer_);
    SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void frmMain::setText(TextCache* text) {
    canvas_.setTextCache(text);
    cmdNew_.setText(text);
}

void frmMain::setIcon() {
    const auto file = embeddedFile("icon.bmp");
    if (file.empty()) return;
    Picture icon = decodeBmp(file);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(icon.row(0), icon.pixelWidth(), icon.pixelHeight(), 32,
                                                              icon.pixelWidth() * 4, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) return;
    SDL_SetWindowIcon(window_, surface);
    SDL_FreeSurface(surface);
}

// Before the first layout: the paddle heads for the middle of the canvas as it is then.
void frmMain::load() { mouseX_ = Int(canvas_.Width() / 2); }

void frmMain::Show() {
    SDL_ShowWindow(window_);
    layout();
}

void frmMain::attach(GameState& game, modSound& sound) {
    game_ = &game;
    sound_ = &sound;
}

// The canvas fills the client area, and the button is centred on it, visible or not.
void frmMain::layout() {
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    canvas_.resize(pixelsToTwips(std::max(w, 0)), pixelsToTwips(std::max(h, 0)));
    cmdNew_.layout(canvas_.Width(), canvas_.Height());
}

void frmMain::showSize(float width, float height) {
    SDL_SetWindowSize(window_, std::max(twipsToPixels(width), 1), std::max(twipsToPixels(height), 1));
}

void frmMain::setNewGameVisible(bool visible) {
    cmdNew_.visible = visible;
    cmdNew_.pressed = false;
}

void frmMain::doEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) handle(event);
}

void frmMain::endOfFrame(bool yield) {
    pacer_.waitForNextFrame();
    if (yield) doEvents();
}

void frmMain::waitForNewGame() {
    newGameClicked_ = false;
    present(canvas_);
    SDL_Event event;
    while (!newGameClicked_) {
        if (SDL_WaitEvent(&event) != 0) handle(event);
    }
    pacer_.restart();
}

void frmMain::handle(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            throw QuitRequested{};
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) throw QuitRequested{};
            if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                if (!runOnly_) layout();
                present(canvas_);
            } else if (event.window.event == SDL_WINDOWEVENT_EXPOSED) {
                present(canvas_);
            }
            break;
        case SDL_MOUSEMOTION:
            if (runOnly_) break;
            // Only the x over the field is kept: off it (a held button makes the window report the
            // pointer beyond its edges) or over the New Game button, the last x seen on it stays.
            if (overField(event.motion.x, event.motion.y)) mouseX_ = pixelsToTwips(event.motion.x);
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (!runOnly_) pressAt(event.button.x, event.button.y, event.button.button == SDL_BUTTON_LEFT);
            break;
        case SDL_MOUSEBUTTONUP:
            if (!runOnly_ && event.button.button == SDL_BUTTON_LEFT) releaseAt(event.button.x, event.button.y);
            break;
        default:
            if (event.type == SdlMixerSoundDevice::channelFinishedEvent() && sound_ != nullptr)
                sound_->soundDone(std::int16_t(event.user.code));
            break;
    }
}

bool frmMain::overField(int x, int y) const {
    return x >= 0 && y >= 0 && x < twipsToPixels(canvas_.Width()) && y < twipsToPixels(canvas_.Height()) &&
           !(cmdNew_.visible && cmdNew_.contains(x, y));
}

// Any button pressed over the field spends a spare ball. The visible New Game button takes the
// presses over it, and like any push button only the primary one pushes it in.
void frmMain::pressAt(int x, int y, bool primary) {
    if (cmdNew_.visible && cmdNew_.contains(x, y)) {
        if (!primary) return;
        cmdNew_.pressed = true;
        present(canvas_);
        return;
    }
    if (game_ != nullptr) deployBall(*game_);
}

// The button is clicked when the primary button is released over it.
void frmMain::releaseAt(int x, int y) {
    if (!cmdNew_.pressed) return;
    cmdNew_.pressed = false;
    if (cmdNew_.visible && cmdNew_.contains(x, y)) newGameClicked_ = true;
    present(canvas_);
}

void frmMain::present(const Canvas& canvas) {
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr) return;
    const Picture& image = canvas.image();
    const int w = std::min(surface->w, image.pixelWidth());
    const int h = std::min(surface->h, image.pixelHeight());
    if (w > 0 && h > 0) {
        SDL_ConvertPixels(w, h, SDL_PIXELFORMAT_RGB888, image.row(0), image.pixelWidth() * 4,
                          surface->format->format, surface->pixels, surface->pitch);
    }
    if (cmdNew_.visible) {
        const Picture& button = cmdNew_.picture();
        SDL_Surface* face = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<Pixel*>(button.row(0)), button.pixelWidth(),
                                                               button.pixelHeight(), 32, button.pixelWidth() * 4,
                                                               SDL_PIXELFORMAT_RGB888);
        if (face != nullptr) {
            SDL_Rect where{twipsToPixels(cmdNew_.left()), twipsToPixels(cmdNew_.top()), button.pixelWidth(),
                           button.pixelHeight()};
            SDL_BlitSurface(face, nullptr, surface, &where);
            SDL_FreeSurface(face);
        }
    }
    SDL_UpdateWindowSurface(window_);
}

void frmMain::mousePointerChanged(int mode) {
    SDL_SetCursor(mode == Canvas::kCustomPointer ? invisiblePointer_ : arrowPointer_);
}

}  // namespace vellix
