#include "platform/web/PagePlay.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "base/Twips.h"
#include "game/GameState.h"
#include "game/frmMain.h"
#include "media/SpriteSet.h"
#include "media/modSound.h"
#include "platform/web/PageWindow.h"
#include "tests/support/GameTools.h"

namespace vellix {
namespace {

struct SilentDevice final : SoundDevice {
    void open(int, const std::string&) override {}
    void play(int) override {}
};

constexpr double kRefresh = 1000.0 / 60;

// The page as its program puts it together, with a fixed seed and no sound.
struct Page : ::testing::Test {
    Page() {
        window.Show();
        window.attach(game, sound);
        play.onGameOver = [this] { ++gamesOver; };
        play.onNewGame = [this] { ++gamesStarted; };
        play.start();
    }

    // Runs display refreshes at 60 Hz; returns whether the page still wants them.
    bool refreshes(int count) {
        bool wanted = true;
        for (int i = 0; i < count && wanted; ++i) {
            wanted = play.refresh(now);
            now += kRefresh;
        }
        return wanted;
    }
    void post(PageEvent::Kind kind, int x = 0, int y = 0, bool primary = true) {
        page.post({kind, x, y, primary});
        if (play.eventPosted()) ++newGamesFromEvents;
    }
    // Loses every ball with no spare one left: the next refresh ends the game.
    void endTheGame() {
        game.lives = 0;
        for (std::int16_t i = 0; i < game.balls.count(); ++i)
            if (game.balls[i].isAlive()) testing::dropOut(game, i);
        ASSERT_FALSE(refreshes(1));
        ASSERT_TRUE(game.gameIsOver);
    }
    // The pixel (x, y) of the picture the page would show now.
    std::array<std::uint8_t, 4> shownPixel(int x, int y) {
        const PageWindow::Composed* picture = page.takePicture();
        std::array<std::uint8_t, 4> rgba{};
        if (picture != nullptr) std::memcpy(rgba.data(), picture->rgba + 4 * (y * picture->width + x), 4);
        return rgba;
    }
    int buttonCentreX() { return twipsToPixels(window.canvas().Width()) / 2; }
    int buttonCentreY() { return twipsToPixels(window.canvas().Height()) / 2; }

    PageWindow page{frmMain::kStartWidth, frmMain::kStartHeight};
    frmMain window{page};
    SilentDevice device;
    modSound sound{device};
    FixedTimeOfDay clock{43210};
    GameState game{window, sound, SpriteSet::builtIn(), clock};
    PagePlay play{game, window, page};
    double now = 5000;
    int gamesOver = 0, gamesStarted = 0, newGamesFromEvents = 0;
};

// In play, the page's events wait for the game's yield at the end of the next frame, and are then
// handed to the window in the order they came.
TEST_F(Page, EventsInPlayWaitForTheYieldAndKeepTheirOrder) {
    ASSERT_TRUE(refreshes(3));
    post(PageEvent::Kind::Move, 100, 150);
    post(PageEvent::Kind::Press, 100, 150, false);
    post(PageEvent::Kind::Release, 100, 150, false);
    post(PageEvent::Kind::Move, 200, 150);
    EXPECT_EQ(window.mouseX(), 997);
    EXPECT_EQ(game.lives, 5);
    const long drawn = play.framesPlayed();
    ASSERT_TRUE(refreshes(1));
    EXPECT_EQ(play.framesPlayed(), drawn + 1);
    EXPECT_EQ(window.mouseX(), pixelsToTwips(200));
    EXPECT_EQ(game.lives, 4);
    EXPECT_EQ(newGamesFromEvents, 0);
}

// A refresh that runs two frames (a slow display) shows only the last: the page composes one
// picture a refresh, and none when no frame was drawn.
TEST_F(Page, OnePictureARefreshOfTheLastFrame) {
    ASSERT_TRUE(refreshes(1));
    ASSERT_NE(page.takePicture(), nullptr);
    EXPECT_EQ(page.takePicture(), nullptr);
    const long drawn = play.framesPlayed();
    ASSERT_TRUE(play.refresh(now + kRefresh));  // a refresh at 30 Hz
    EXPECT_EQ(play.framesPlayed(), drawn + 2);
    const PageWindow::Composed* picture = page.takePicture();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->width, frmMain::kStartWidth);
    EXPECT_EQ(picture->height, frmMain::kStartHeight);
    EXPECT_EQ(page.takePicture(), nullptr);
}

// At Game over no frame runs and the arrow shows; events are handled as they come, and a click on
// New Game starts the next game at once, which wants refreshes again. A second Game over waits
// for a click of its own.
TEST_F(Page, AtGameOverEventsAreHandledAsTheyComeUntilNewGame) {
    ASSERT_TRUE(refreshes(2));
    EXPECT_FALSE(page.pointerShown());
    endTheGame();
    EXPECT_EQ(gamesOver, 1);
    EXPECT_TRUE(window.newGameVisible());
    EXPECT_TRUE(page.pointerShown());
    const long drawn = play.framesPlayed();
    EXPECT_FALSE(play.refresh(now));
    EXPECT_EQ(play.framesPlayed(), drawn);
    EXPECT_EQ(shownPixel(buttonCentreX() - 30, buttonCentreY() - 10), (std::array<std::uint8_t, 4>{64, 72, 112, 255}));

    post(PageEvent::Kind::Move, 40, 100);
    EXPECT_EQ(window.mouseX(), pixelsToTwips(40));
    post(PageEvent::Kind::Press, buttonCentreX(), buttonCentreY());
    EXPECT_EQ(newGamesFromEvents, 0);
    post(PageEvent::Kind::Release, buttonCentreX(), buttonCentreY());
    EXPECT_EQ(newGamesFromEvents, 1);
    EXPECT_EQ(gamesStarted, 1);
    EXPECT_FALSE(game.gameIsOver);
    EXPECT_EQ(game.lives, 5);
    EXPECT_FALSE(window.newGameVisible());
    EXPECT_FALSE(page.pointerShown());
    EXPECT_TRUE(refreshes(2));
    EXPECT_EQ(play.framesPlayed(), drawn + 2);

    endTheGame();
    post(PageEvent::Kind::Move, buttonCentreX(), buttonCentreY());
    post(PageEvent::Kind::SoundDone, 2);
    EXPECT_EQ(newGamesFromEvents, 1);
    EXPECT_TRUE(game.gameIsOver);
}

// The viewport's new size lays the field out again: the picture takes it, the button stays centred
// (also on a viewport smaller than the button), and the client area reports it.
TEST_F(Page, AResizeLaysTheFieldOutAgain) {
    endTheGame();
    post(PageEvent::Kind::Resize, 390, 844);
    EXPECT_EQ(page.clientWidth(), 390);
    EXPECT_EQ(window.canvas().Width(), pixelsToTwips(390));
    const PageWindow::Composed* picture = page.takePicture();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->width, 390);
    EXPECT_EQ(picture->height, 844);
    window.repaint();
    EXPECT_EQ(shownPixel(195 - 30, 422 - 10), (std::array<std::uint8_t, 4>{64, 72, 112, 255}));

    for (const auto& [w, h] : {std::pair{50, 20}, std::pair{0, 0}, std::pair{1, 900}}) {
        post(PageEvent::Kind::Resize, w, h);
        picture = page.takePicture();
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->width, w);
        EXPECT_EQ(picture->height, h);
    }
}

// Each colour of the field keeps its place in the bytes the page's canvas takes: R, G, B, then an
// opaque A, for every pixel of a row (an odd count too) and under the button.
TEST_F(Page, ThePictureIsRgbaOfTheField) {
    page.post({PageEvent::Kind::Resize, 5, 3});
    page.handleEvents(window);
    Picture colours(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) colours.at(x, y) = rgb(10 * x + 1, 20 * y + 2, 3 + x + y);
    window.canvas().PaintPicture(colours, 0, 0, RasterOp::SRCCOPY);
    window.repaint();
    const PageWindow::Composed* picture = page.takePicture();
    ASSERT_NE(picture, nullptr);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const std::uint8_t* p = picture->rgba + 4 * (y * 5 + x);
            EXPECT_EQ((std::array<int, 4>{p[0], p[1], p[2], p[3]}), (std::array<int, 4>{10 * x + 1, 20 * y + 2, 3 + x + y, 255}))
                << x << "," << y;
        }
}

}  // namespace
}  // namespace vellix
