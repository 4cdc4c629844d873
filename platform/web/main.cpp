// Vellix in a browser: the page's program. The same game as on the desktop; only the window, the
// sound and the text are the browser's. The browser calls in at each display refresh while frames
// are to come, and at each event of the page; nothing here ever waits.

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cmath>
#include <memory>
#include <string>

#include "base/Twips.h"
#include "base/TimeOfDay.h"
#include "game/Game.h"
#include "game/GameDescription.h"
#include "media/SpriteSet.h"
#include "media/TextCache.h"
#include "platform/web/BrowserTextRasterizer.h"
#include "platform/web/PagePicture.h"
#include "platform/web/PageScript.h"
#include "platform/web/WebSoundDevice.h"

namespace vellix {

namespace {

// The time of day, or the second the page's address fixes for every seed (?clock=S).
std::unique_ptr<TimeOfDay> seedClock() {
    const int fixed = vellix_page_clock();
    if (fixed >= 0) return std::make_unique<FixedTimeOfDay>(std::uint32_t(fixed));
    return std::make_unique<SystemTimeOfDay>();
}

// Everything the page's program holds, for as long as the page is open.
struct Page {
    Page() : text(font), game(device, *clock, vellix_viewport_density()) {}

    BrowserTextRasterizer font;
    TextCache text;
    WebSoundDevice device;
    std::unique_ptr<TimeOfDay> clock = seedClock();
    Game game;
    PagePicture picture;
    bool refreshing = false;  // the browser calls at each display refresh
    bool pointerShown = true;  // as the page's canvas shows it
    long framesShown = 0;
    std::string state;  // the last answer of vellix_page_state
};

// Puts what the game shows on the page's canvas, for the display refresh at `refreshMs`.
void show(Page& page, double refreshMs) {
    if (const Game::Frame* frame = page.game.takeFrame()) {
        page.picture.compose(*frame);
        const std::vector<std::int32_t>& rows = page.picture.changedRows();
        vellix_present(page.picture.rgba(), page.picture.width(), page.picture.height(), page.game.density(), rows.data(),
                       int(rows.size() / 2), refreshMs);
        ++page.framesShown;
    }
    if (page.game.pointerShown() != page.pointerShown) {
        page.pointerShown = page.game.pointerShown();
        vellix_show_pointer(page.pointerShown ? 1 : 0);
    }
}

bool framesToCome(const Page& page) { return !std::isinf(page.game.nextFrameDueMs()); }

EM_BOOL onRefresh(double now, void* data) {
    Page& page = *static_cast<Page*>(data);
    vellix_notice_density();
    page.game.runDueFrames(now);
    show(page, now);
    page.refreshing = framesToCome(page);
    return page.refreshing ? EM_TRUE : EM_FALSE;
}

// Asks for display refreshes again if frames are to come and the browser is not calling already.
void refreshIfFramesToCome(Page& page) {
    if (page.refreshing || !framesToCome(page)) return;
    page.refreshing = true;
    emscripten_request_animation_frame_loop(onRefresh, &page);
}

void post(Page& page, const WindowEvent& event) {
    page.game.post(event);
    show(page, emscripten_get_now());
    refreshIfFramesToCome(page);
}

EM_BOOL onVisibilityChange(int, const EmscriptenVisibilityChangeEvent* event, void* data) {
    post(*static_cast<Page*>(data), WindowEvent::of(event->hidden ? WindowEvent::Kind::Hidden : WindowEvent::Kind::Shown));
    return EM_FALSE;
}

// The page's own events, as page.js, input.js and audio.js number them.
WindowEvent pageEvent(int kind, double x, double y, bool primary, double density) {
    const auto tx = float(x * kTwipsPerPixel), ty = float(y * kTwipsPerPixel);  // CSS pixels are 96-dpi ones
    switch (kind) {
        case 1: return WindowEvent::buttonPressed(tx, ty, primary);
        case 2: return WindowEvent::buttonReleased(tx, ty, primary);
        case 3: return WindowEvent::resized(pixelsToTwips(int(x), density), pixelsToTwips(int(y), density), density);
        case 4: return WindowEvent::soundDone(int(x));
        case 5: return WindowEvent::of(WindowEvent::Kind::Uncovered);
        default: return WindowEvent::pointerMoved(tx, ty);
    }
}

}  // namespace

}  // namespace vellix

using vellix::Page;

// An event of the page (page.js, input.js, audio.js): 0 the pointer moved to (x, y), 1 a button
// went down, 2 one came up (positions in CSS pixels of the field), 3 the field (the viewport inside
// its safe areas) is now x by y device pixels at `density`, 4 the sound of channel x has ended, 5
// the canvas lost its picture.
extern "C" EMSCRIPTEN_KEEPALIVE void vellix_page_event(Page* page, int kind, double x, double y, int primary,
                                                       double density) {
    vellix::post(*page, vellix::pageEvent(kind, x, y, primary != 0, density));
}

// The state of play as JSON, for the page's tests and benchmark to read: the game as a trace
// describes it, and what the page shows.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vellix_page_state(Page* page) {
    using namespace vellix;
    const auto flag = [](bool on) { return on ? "true" : "false"; };
    std::string& s = page->state;
    s = "{";
    appendJsonMembers(s, describe(page->game));
    s += std::string(",\"newGame\":") + flag(page->game.window().newGameButton().visible);
    s += std::string(",\"pointer\":") + flag(page->pointerShown) + ",\"busy\":[";
    for (int channel = 0; channel < modSound::kChannels; ++channel)
        s += std::string(channel > 0 ? "," : "") + flag(page->game.sound().soundBusy(channel));
    s += "],\"frames\":" + std::to_string(page->game.framesDrawn());
    s += ",\"framesShown\":" + std::to_string(page->framesShown) + "}";
    return s.c_str();
}

int main() {
    using namespace vellix;
    Page& page = *new Page;  // lives as long as the page
    vellix_page_open(&page);
    page.game.setText(&page.text);
    page.device.onDropped = [&page](int channel) { page.game.post(WindowEvent::soundDone(channel)); };
    const double density = vellix_viewport_density();
    page.game.start(".", pixelsToTwips(vellix_viewport_width(), density), pixelsToTwips(vellix_viewport_height(), density));
    emscripten_set_visibilitychange_callback(&page, EM_FALSE, onVisibilityChange);
    refreshIfFramesToCome(page);
    return 0;
}
