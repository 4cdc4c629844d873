#include "game/frmMain.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <tuple>

#include "base/TimeOfDay.h"
#include "game/GameFlow.h"
#include "game/GameState.h"
#include "media/SpriteSet.h"
#include "media/modSound.h"

namespace vellix {
namespace {

// A window system of the test's own: the events it is given are handed on at the next yield, and
// what the window shows is kept.
struct ScriptedWindowSystem final : WindowSystem {
    int clientWidth() const override { return width; }
    int clientHeight() const override { return height; }
    void resizeClient(int w, int h) override { width = w, height = h; }
    void show(const Picture& field, const Picture* button, int x, int y) override {
        lastField = field;
        buttonShown = button != nullptr;
        buttonAt = {x, y};
    }
    void showPointer(bool arrow) override { pointerShown = arrow; }
    void handleEvents(frmMain& window) override {
        while (!events.empty()) {
            auto event = events.front();
            events.pop_front();
            event(window);
        }
    }
    void waitForEvents(frmMain& window) override { handleEvents(window); }
    void waitForNextFrame() override {}
    void restartFrames() override {}

    int width = frmMain::kStartWidth, height = frmMain::kStartHeight;
    std::deque<std::function<void(frmMain&)>> events;
    Picture lastField;
    bool buttonShown = false;
    std::pair<int, int> buttonAt;
    bool pointerShown = true;
};

struct SilentDevice final : SoundDevice {
    void open(int, const std::string&) override {}
    void play(int) override {}
};

struct Window : ::testing::Test {
    Window() {
        window.attach(game, sound);
        window.Show();
        startUp(game);
    }
    ScriptedWindowSystem system;
    frmMain window{system};
    SilentDevice device;
    modSound sound{device};
    FixedTimeOfDay clock{43210};
    GameState game{window, sound, SpriteSet::builtIn(), clock};
};

// Only the x over the field is kept; the x over the visible New Game button or beyond the client
// area leaves the last x seen on the field.
TEST_F(Window, ThePointerCountsOnlyOverTheField) {
    for (auto [x, y, buttonShown, seen] : {std::tuple{100, 50, false, 1500.0f}, {300, 167, false, 4500},
                                           {300, 167, true, 4500 + 0.0f}, {700, 10, false, 4500}, {-3, 10, false, 4500},
                                           {606, 333, false, 9090}, {606, 334, false, 9090}}) {
        window.setNewGameVisible(buttonShown);
        window.pointerMoved(x, y);
        EXPECT_EQ(window.mouseX(), seen) << x << ", " << y;
    }
}

// At Game over the button shows, centred on the field at every size, and the arrow with it; only
// a press and release of the primary button over it starts a game, whose set-up hides both again.
TEST_F(Window, TheNewGameButtonShowsCentredAtGameOverAndAPrimaryClickStartsANewGame) {
    game.lives = 0;
    for (std::int16_t i = 0; i < game.balls.count(); ++i) game.balls[i].init(100, game.canvas().Height() + 100);
    playUntilGameOver(game);
    EXPECT_TRUE(window.newGameVisible() && system.pointerShown);
    system.events.push_back([](frmMain& w) { w.resized(800, 500); });
    window.doEvents();
    // 1215 by 675 twips (81 by 45 pixels) centred: Int(6000 - 607.5) and Int(3750 - 337.5) twips.
    EXPECT_EQ(std::tuple(system.buttonShown, system.buttonAt.first, system.buttonAt.second), std::tuple(true, 359, 227));
    EXPECT_EQ(std::pair(system.lastField.pixelWidth(), system.lastField.pixelHeight()), std::pair(800, 500));

    system.events.push_back([](frmMain& w) { w.buttonPressed(400, 250, false); });  // the right button
    system.events.push_back([](frmMain& w) { w.buttonReleased(400, 250, false); });
    system.events.push_back([](frmMain& w) { w.buttonPressed(400, 250, true); });
    system.events.push_back([](frmMain& w) { w.buttonReleased(500, 250, true); });   // released off it
    window.doEvents();
    EXPECT_FALSE(window.newGameClicked());
    EXPECT_EQ(game.balls.count(), 1) << "a press on the button deployed a ball";
    system.events.push_back([](frmMain& w) { w.buttonPressed(400, 250, true); });
    system.events.push_back([](frmMain& w) { w.buttonReleased(401, 251, true); });
    window.waitForNewGame();
    newGame(game);
    EXPECT_FALSE(window.newGameVisible() || system.pointerShown);
}

}  // namespace
}  // namespace vellix
