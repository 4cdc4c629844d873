#include "game/FrameRenderer.h"

#include <gtest/gtest.h>

#include <tuple>

#include "game/Collections.h"
#include "tests/support/GameTools.h"

namespace vellix {
namespace {

using namespace testing;

// Spare ball icons run leftward from 500 twips inside the right edge, 1000 above the bottom. The
// log's top line and the score line are 1800 above the bottom, the log 240 in from the left and
// the score 2000 in from the right; the log's lines are 240 apart.
TEST(Renderer, TheSpareBallsTheLogAndTheScoreFollowTheBottomAndRightEdges) {
    StartedGame t;
    SpellingText text(t.host.canvas());
    for (const char* line : {"one", "two", "three", "four", "five"}) t.game.showMessage(line);
    for (auto [w, h, lives, score, top, scoreX, scoreLine] :
         {std::tuple{9105.0f, 5010.0f, 5, 0.0, 214, 473, "Score: 0 points."},
          {12000.0f, 7005.0f, 3, 1234.0, 347, 666, "Score: 1234 points."}}) {
        t.host.canvas().resize(w, h);
        t.game.lives = std::int16_t(lives);
        t.game.score = score;
        clearCanvas(t.game);
        paintLives(t.game);
        Canvas icons(w, h);
        for (int k = 1; k <= lives; ++k)
            icons.PaintPicture(t.game.sprites().imgBall, w - 500 - 495 * float(k), h - 1000, RasterOp::SRCPAINT);
        EXPECT_EQ(t.host.canvas().image(), icons.image()) << lives << " spare balls";

        clearCanvas(t.game);
        paintStatus(t.game);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(textAt(t.host.canvas().image(), 16, top + 16 * i), t.game.messages[i]);
        EXPECT_EQ(textAt(t.host.canvas().image(), scoreX, top), scoreLine);
    }
}

TEST(Renderer, TheMouseMarkerSitsOnTheMainPaddlesLineUnderThePaddles) {
    StartedGame t;
    t.game.paddles.rebuild(2);  // a second paddle, on another line
    t.game.paddles[0].place(1100, 2505, 1515);
    t.game.balls[0].init(1000, 4000);
    paintPaddles(t.game);
    const Picture paddles = t.host.canvas().image();
    renderFrame(t.game);
    const Picture& frame = t.host.canvas().image();
    // The marker's picture is centred on the pointer, which the test host holds at 997 (937 twips,
    // pixel 62), on the main paddle's line (2505 twips, pixel 167); the paddles are OR-ed over it.
    const Picture& marker = t.game.sprites().imgMouse;
    for (int y = 0; y < marker.pixelHeight(); ++y)
        for (int x = 0; x < marker.pixelWidth(); ++x)
            EXPECT_EQ(frame.at(62 + x, 167 + y), marker.at(x, y) | paddles.at(62 + x, 167 + y)) << x << "," << y;
    EXPECT_NE(frame.at(1000 / 15, 4000 / 15), 0u) << "no ball";
}

}  // namespace
}  // namespace vellix
