// Vellix in a browser: the page's program. The same game as on the desktop; only the window, the
// sound and the text are the browser's. The browser calls in at each display refresh while a game
// is played, and at each event of the page; nothing here ever waits.

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <string>

#include "base/TimeOfDay.h"
#include "game/GameState.h"
#include "game/frmMain.h"
#include "media/SpriteSet.h"
#include "media/TextCache.h"
#include "media/modSound.h"
#include "platform/web/BrowserTextRasterizer.h"
#include "platform/web/PagePlay.h"
#include "platform/web/PageScript.h"
#include "platform/web/PageWindow.h"
#include "platform/web/WebSoundDevice.h"

namespace vellix {

namespace {

// Everything the page's program holds, for as long as the page is open.
struct Page {
    Page()
        : system(vellix_viewport_width(), vellix_viewport_height()),
          window(system),
          text(font),
          device(system),
          sound(device),
          game(window, sound, SpriteSet::builtIn(), clock),
          play(game, window, system) {}

    PageWindow system;
    frmMain window;
    BrowserTextRasterizer font;
    TextCache text;
    WebSoundDevice device;
    modSound sound;
    SystemTimeOfDay clock;
    GameState game;
    PagePlay play;
    bool pointerShown = true;  // as the page's canvas shows it
    long framesShown = 0;
    std::string state;  // the last answer of vellix_page_state
};

// Puts what the game showed on the page's canvas, for the display refresh at `refreshMs`.
void flush(Page& page, double refreshMs) {
    if (const PageWindow::Composed* picture = page.system.takePicture()) {
        vellix_present(picture->rgba, picture->width, picture->height, refreshMs);
        ++page.framesShown;
    }
    if (page.system.pointerShown() != page.pointerShown) {
        page.pointerShown = page.system.pointerShown();
        vellix_show_pointer(page.pointerShown ? 1 : 0);
    }
}

EM_BOOL onRefresh(double now, void* data) {
    Page& page = *static_cast<Page*>(data);
    // Firefox still calls a hidden page once a second: the game waits until it is shown again.
    EmscriptenVisibilityChangeEvent visibility;
    if (emscripten_get_visibility_status(&visibility) == EMSCRIPTEN_RESULT_SUCCESS && visibility.hidden) return EM_TRUE;
    const bool playing = page.play.refresh(now);
    flush(page, now);
    return playing ? EM_TRUE : EM_FALSE;
}

void refreshWhilePlaying(Page& page) { emscripten_request_animation_frame_loop(onRefresh, &page); }

void eventPosted(Page& page) {
    if (page.play.eventPosted()) refreshWhilePlaying(page);
    flush(page, emscripten_get_now());
}

EM_BOOL onResize(int, const EmscriptenUiEvent* event, void* data) {
    Page& page = *static_cast<Page*>(data);
    page.system.post({PageEvent::Kind::Resize, event->windowInnerWidth, event->windowInnerHeight});
    eventPosted(page);
    return EM_FALSE;
}

EM_BOOL onVisibilityChange(int, const EmscriptenVisibilityChangeEvent*, void* data) {
    static_cast<Page*>(data)->play.visibilityChanged();
    return EM_FALSE;
}

}  // namespace

}  // namespace vellix

using vellix::Page;

// The page's pointer and sound events (page.js, input.js, audio.js): a PageEvent::Kind and its values.
extern "C" EMSCRIPTEN_KEEPALIVE void vellix_page_event(Page* page, int kind, int x, int y, int primary) {
    page->system.post({vellix::PageEvent::Kind(kind), x, y, primary != 0});
    vellix::eventPosted(*page);
}

// The state of play as JSON, for the page's tests and benchmark to read.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vellix_page_state(Page* page) {
    using namespace vellix;
    const GameState& game = page->game;
    int ballsAlive = 0;
    for (std::int16_t i = 0; i < game.balls.count(); ++i) ballsAlive += game.balls[i].isAlive() ? 1 : 0;
    char text[512];
    std::snprintf(text, sizeof text,
                  "{\"level\":%d,\"lives\":%d,\"score\":%.0f,\"over\":%s,\"mouseX\":%.1f,\"paddleX\":%.1f,"
                  "\"paddleY\":%.1f,\"paddleWidth\":%.1f,"
                  "\"ballsAlive\":%d,\"newGame\":%s,\"pointer\":%s,\"width\":%d,\"height\":%d,"
                  "\"busy\":[%d,%d,%d,%d],\"frames\":%ld,\"framesShown\":%ld}",
                  game.getLevel(), game.lives, game.score, game.gameIsOver ? "true" : "false",
                  double(page->window.mouseX()), double(game.paddles[0].xpos()), double(game.paddles[0].ypos()),
                  double(game.paddles[0].width()), ballsAlive,
                  page->window.newGameVisible() ? "true" : "false", page->pointerShown ? "true" : "false",
                  page->system.clientWidth(), page->system.clientHeight(), page->sound.soundBusy(0),
                  page->sound.soundBusy(1), page->sound.soundBusy(2), page->sound.soundBusy(3),
                  page->play.framesPlayed(), page->framesShown);
    page->state = text;
    return page->state.c_str();
}

int main() {
    using namespace vellix;
    Page& page = *new Page;  // lives as long as the page
    vellix_page_open(&page);
    page.window.setText(&page.text);
    page.sound.openSounds(".");
    page.window.Show();
    page.window.attach(page.game, page.sound);
    page.play.onGameOver = [&page] { page.device.standBy(); };
    page.play.onNewGame = [&page] { page.device.wake(); };
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, &page, EM_FALSE, onResize);
    emscripten_set_visibilitychange_callback(&page, EM_FALSE, onVisibilityChange);
    page.play.start();
    refreshWhilePlaying(page);
    return 0;
}
