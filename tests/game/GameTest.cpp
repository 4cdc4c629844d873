#include "game/Game.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/Twips.h"
#include "game/Collections.h"
#include "tests/support/GameTools.h"

namespace vellix {
namespace {

using namespace testing;
using Kind = WindowEvent::Kind;

// The events wait for the yield that ends a frame and are handled there in the order they came,
// just before the next frame's moves: the paddle heads for the last pointer already in that frame.
TEST(Game, EventsWaitForTheYieldAndAreHandledInOrderBeforeTheNextFramesMoves) {
    StartedGame t;
    ASSERT_TRUE(t.whole.playFrame());
    // The pointer goes to the side of the paddle away from where it was (997).
    const float paddle = t.game.paddles[0].xpos(), target = paddle > 997 ? 9000 : 0;
    t.whole.post(WindowEvent::pointerMoved(4500, 10));
    t.whole.post(WindowEvent::pointerMoved(target, 10));
    EXPECT_EQ(t.whole.mouseX(), 997) << "handled before the yield";
    t.whole.playFrame();
    EXPECT_EQ(t.whole.mouseX(), target);
    EXPECT_EQ(t.game.paddles[0].xpos(), paddle + (target > paddle ? 180 : -180)) << "the paddle did not head for the pointer";
}

// Only the x over the field counts: not beyond the client area, nor over the visible button.
TEST(Game, ThePointerCountsOnlyOverTheField) {
    TestGame t;  // 607 by 334 pixels; the button spans pixels 263 to 343 across and 144 to 188 down
    struct Row {
        float x, y;
        bool buttonShown, counts;
    };
    for (const Row row : {Row{1500, 750, false, true}, Row{4000, 2500, true, false}, Row{4000, 2500, false, true},
                          Row{10500, 150, false, false}, Row{-45, 150, false, false}, Row{9090, 4995, false, true},
                          Row{9090, 5010, false, false}, Row{9105, 10, false, false}, Row{0, 0, false, true}}) {
        t.whole.setNewGameVisible(false);
        t.whole.window().pointerMoved(4500, 150);
        t.whole.setNewGameVisible(row.buttonShown);
        t.whole.window().pointerMoved(row.x, row.y);
        EXPECT_EQ(t.whole.mouseX(), row.counts ? row.x : 4500) << row.x << ", " << row.y;
    }
}

// A close handled at a ball's yield after it breaks a brick ends the program there: the ball breaks
// no second brick, no other ball moves and no frame is drawn.
TEST(Game, ACloseAtABallsYieldEndsTheFrameThere) {
    StartedGame t(9105, 9000);
    GameState& g = t.game;
    g.bricks.rebuild(2);
    for (std::int16_t i = 0; i < 2; ++i) {
        g.bricks[i].init(5, 0, i);  // row 5: 2700 to 3240 down
        g.bricks[i].setLeft(4500 + 100 * float(i));
        g.bricks[i].setPowerup(PowerupKind::None);
    }
    g.balls.rebuild(2);
    g.balls[0].init(4994, 3340);  // rises onto the bottom edges of both
    g.balls[0].setVelocity(6, -41);
    g.balls[1].init(1000, 1000);
    t.whole.onYield = [&] { t.whole.post(WindowEvent::of(Kind::Closed)); };
    EXPECT_FALSE(t.whole.playFrame());
    EXPECT_TRUE(t.whole.ended());
    EXPECT_EQ(std::tuple(g.bricks[0].isAlive(), g.bricks[1].isAlive(), g.balls[1].pos().y, t.whole.framesDrawn()),
              std::tuple(false, true, 1000.0f, 0L));
    EXPECT_EQ(t.whole.runDueFrames(1e6), 0);
}

struct RestingDevice final : SoundDevice {
    void open(int, const std::string&) override {}
    void play(int) override {}
    void standBy() override { rested = true; }
    void wake() override { rested = false; }
    bool rested = false;
};

// At Game over no loop runs: the button and the arrow show, the sound rests, and every event is
// handled as it comes; the picture is handed over again only when it changed or was uncovered.
// Only the primary button, pressed and released over New Game, starts the next game, whose set-up
// hides both again.
TEST(Game, AtGameOverEventsAreHandledAsTheyComeUntilNewGameIsClicked) {
    RestingDevice device;
    FixedTimeOfDay clock(43210);
    Game game(device, clock);
    game.start("", 9105, 5010);
    game.startPlaying();
    game.state().lives = 0;
    dropOut(game.state(), 0);
    EXPECT_TRUE(game.playFrame()) << "the last frame was not drawn";
    ASSERT_TRUE(game.state().gameIsOver);
    EXPECT_TRUE(game.pointerShown() && device.rested && !game.playing());
    EXPECT_TRUE(std::isinf(game.nextFrameDueMs()));
    ASSERT_NE(game.takeFrame(), nullptr);
    EXPECT_EQ(game.takeFrame(), nullptr) << "nothing new to show";
    game.post(WindowEvent::of(Kind::Uncovered));
    EXPECT_NE(game.takeFrame(), nullptr) << "an uncovered window is not shown again";

    game.post(WindowEvent::resized(12000, 7500));  // the button is centred anew: 81 by 45 pixels
    const Game::Frame* frame = game.takeFrame();
    ASSERT_TRUE(frame != nullptr && frame->button != nullptr);
    EXPECT_EQ(std::tuple(frame->field->pixelWidth(), frame->buttonX, frame->buttonY), std::tuple(800, 359, 227));
    struct Click {
        float pressX, releaseX;
        bool primary, starts;
    };
    for (const Click click : {Click{6000, 6000, false, false}, {6000, 7500, true, false}, {5400, 6500, true, true}}) {
        game.post(WindowEvent::buttonPressed(click.pressX, 3750, click.primary));
        EXPECT_NE(game.takeFrame(), nullptr) << "the button is not shown as pressed";
        game.post(WindowEvent::buttonReleased(click.releaseX, 3750, click.primary));
        EXPECT_EQ(game.playing(), click.starts) << click.pressX << " to " << click.releaseX;
    }
    EXPECT_EQ(std::tuple(game.state().lives, game.state().balls.count(), game.pointerShown(), device.rested),
              std::tuple(5, 1, false, false));
    EXPECT_FALSE(game.window().newGameButton().visible);
}

// Frames run in real time only while the player can see them: a hidden window, or a field with no
// room for a ball, waits, handling events as they come, and then plays on with one frame, not the
// time it missed. A page laid out only later starts its game only then, on the field it shows.
TEST(Game, FramesWaitWhileTheFieldCannotBeSeenAndTheTimeAwayIsNotPlayed) {
    TestGame t(0, 0);
    EXPECT_EQ(t.whole.runDueFrames(1000), 0);
    EXPECT_EQ(t.game.getLevel(), 0) << "started on a field no one sees";
    t.whole.post(WindowEvent::resized(9105, 5010));
    EXPECT_EQ(t.whole.runDueFrames(2000), 1);
    EXPECT_EQ(t.game.brickColumns, 5);
    for (const Kind away : {Kind::Hidden, Kind::Resized}) {
        t.whole.post(away == Kind::Hidden ? WindowEvent::of(away) : WindowEvent::resized(9105, 400));
        EXPECT_EQ(t.whole.runDueFrames(3000), 0);
        EXPECT_TRUE(std::isinf(t.whole.nextFrameDueMs()));
        t.whole.post(away == Kind::Hidden ? WindowEvent::of(Kind::Shown) : WindowEvent::resized(9105, 5010));
        EXPECT_EQ(t.whole.runDueFrames(9000), 1) << "the time away was played";
    }
}

// A sound's end is an event like any other: its channel is free from the next yield.
TEST(Game, ASoundsEndFreesItsChannelAtTheNextYield) {
    StartedGame t;
    t.whole.playSound(kSoundSink);
    t.whole.post(WindowEvent::soundDone(kSoundSink));
    EXPECT_TRUE(t.whole.sound().soundBusy(kSoundSink));
    t.whole.playFrame();
    t.whole.playFrame();
    EXPECT_FALSE(t.whole.sound().soundBusy(kSoundSink));
}

}  // namespace
}  // namespace vellix
