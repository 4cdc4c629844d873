#include "game/frmMain.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <tuple>

#include "base/TimeOfDay.h"
#include "game/GameFlow.h"
#include "game/GameState.h"
#include "media/SpriteSet.h"
#include "media/TextCache.h"
#include "media/modSound.h"
#include "tests/support/Pictures.h"

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

// Every character a solid block, 7 by 11 pixels at 96 dpi, n times that at density n as the platforms make it.
struct BlockFont final : TextRasterizer {
    explicit BlockFont(int density) : n(density) {}
    TextImage render(std::string_view t) override {
        return {7 * n * int(t.size()), 11 * n, std::vector<std::uint8_t>(77 * std::size_t(n * n) * t.size(), 255)};
    }
    int lineHeight() const override { return 11 * n; }
    int n;
};

// On a screen two and three times as dense, the button's face, up and pushed in, is the face at
// 96 dpi with every pixel that many times as wide and high (its outline and bevels too), but for
// its caption, which lies as far in and is as large within a device pixel.
TEST(NewGameButton, OnADenserScreenItsFaceIsDrawnThatManyTimesAsLarge) {
    const auto face = [](int density, bool pressed) {
        BlockFont font(density);
        TextCache text(font);
        NewGameButton button;
        button.setDensity(density);
        button.setText(&text);
        button.pressed = pressed;
        return button.picture();
    };
    constexpr Pixel kCaption = rgb(235, 238, 255);
    const auto captionBox = [](const Picture& p) {
        return testing::boxWhere(p, [&](int x, int y) { return p.at(x, y) == kCaption; });
    };
    for (bool pressed : {false, true})
        for (int n : {2, 3}) {
            SCOPED_TRACE(::testing::Message() << (pressed ? "pushed in" : "up") << " at " << n);
            const Picture one = face(1, pressed), dense = face(n, pressed);
            ASSERT_EQ(std::pair(dense.pixelWidth(), dense.pixelHeight()), std::pair(81 * n, 45 * n));
            const auto box = captionBox(dense), oneBox = captionBox(one);
            for (std::size_t edge = 0; edge < 4; ++edge) EXPECT_NEAR(box[edge], oneBox[edge] * n, 1) << edge;
            for (int y = 0; y < dense.pixelHeight(); ++y)
                for (int x = 0; x < dense.pixelWidth(); ++x) {
                    const Pixel wide = one.at(x / n, y / n);
                    const Pixel at = dense.at(x, y);
                    ASSERT_TRUE(wide == kCaption || at == kCaption || at == wide) << x << ", " << y;
                }
        }
}

}  // namespace
}  // namespace vellix
