#include "game/FrameRenderer.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

#include "base/Twips.h"
#include "game/Collections.h"
#include "tests/support/GameTools.h"
#include "tests/support/Pictures.h"

namespace vellix {
namespace {

using namespace testing;

constexpr Pixel kGrey = rgb(0x50, 0x60, 0x70);

// What a masked sprite leaves at one of its pixels over a grey field: the grey where its mask is
// white, its own colour where the mask is black.
Pixel overGrey(const Picture& sprite, const Picture& mask, int x, int y) {
    return mask.at(x, y) == 0 ? sprite.at(x, y) : kGrey;
}

void fillGrey(Canvas& canvas) {
    canvas.PaintPicture(Picture(canvas.image().pixelWidth(), canvas.image().pixelHeight(), kGrey), 0, 0,
                        RasterOp::SRCCOPY);
}

// Spare ball icons run leftward from 500 twips inside the right edge, 1000 above the bottom, each
// laid through its mask; the log's top line and the score line are 1800 above the bottom, the log
// 240 in from the left and the score 2000 in from the right; the log's lines are 240 apart. So on
// a field of any size, as wide as two 4K screens too.
TEST(Renderer, TheSpareBallsTheLogAndTheScoreFollowTheBottomAndRightEdges) {
    StartedGame t;
    SpellingText text(t.host.canvas());
    const SpriteSet& s = t.game.sprites();
    for (const char* line : {"one", "two", "three", "four", "five"}) t.game.showMessage(line);
    for (auto [w, h, lives, score, top, scoreX, scoreLine] :
         {std::tuple{9105.0f, 5010.0f, 5, 0.0, 214, 473, "Score: 0 points."},
          {12000.0f, 7005.0f, 3, 1234.0, 347, 666, "Score: 1234 points."},
          {90000.0f, 4500.0f, 2, 7.0, 180, 5866, "Score: 7 points."}}) {  // 6000 pixels wide
        t.host.canvas().resize(w, h);
        t.game.lives = std::int16_t(lives);
        t.game.score = score;
        fillGrey(t.host.canvas());
        paintLives(t.game);
        const Picture& field = t.host.canvas().image();
        const int iconsTop = twipsToPixels(h - 1000), iconsEnd = twipsToPixels(w - 500);
        for (int y = 0; y < field.pixelHeight(); ++y)
            for (int x = 0; x < field.pixelWidth(); ++x) {
                const int k = (iconsEnd - 1 - x) / 33;  // which icon from the right, 33 pixels each
                const bool onIcon = x < iconsEnd && k < lives && y >= iconsTop && y < iconsTop + 32;
                const int ix = x - (iconsEnd - 33 * (k + 1)), iy = y - iconsTop;
                ASSERT_EQ(field.at(x, y), onIcon ? overGrey(s.imgBall, s.imgBallMatte, ix, iy) : kGrey)
                    << lives << " spare balls, at " << x << ", " << y;
            }

        clearCanvas(t.game);
        paintStatus(t.game);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(textAt(t.host.canvas().image(), 16, top + 16 * i), t.game.messages[i]);
        EXPECT_EQ(textAt(t.host.canvas().image(), scoreX, top), scoreLine);
    }
}

// The marker's picture is centred on the pointer, which the test host holds at 997 (937 twips,
// pixel 62), on the main paddle's line (2505 twips, pixel 167), laid through its mask.
TEST(Renderer, TheMouseMarkerSitsOnTheMainPaddlesLineThroughItsMask) {
    StartedGame t;
    t.game.paddles[0].place(5000, 2505, 1515);
    fillGrey(t.host.canvas());
    paintMouseMarker(t.game);
    const SpriteSet& s = t.game.sprites();
    const Picture& field = t.host.canvas().image();
    for (int y = 150; y < 190; ++y)
        for (int x = 40; x < 90; ++x) {
            const bool onMarker = x >= 62 && x < 70 && y >= 167 && y < 175;
            ASSERT_EQ(field.at(x, y), onMarker ? overGrey(s.imgMouse, s.imgMouseMatte, x - 62, y - 167) : kGrey)
                << x << ", " << y;
        }
}

// One frame in which everything overlaps something drawn before it: the marker under the main
// paddle, the paddle under a brick, the brick under a ball, balls under a spare-ball icon and under
// the log, spare balls under the log's bottom lines. The frame must be what the rules' order gives, step by step; and the scene is such that
// swapping any two neighbouring steps shows.
TEST(Renderer, EachStepOfAFrameIsDrawnOverTheStepsBeforeIt) {
    StartedGame t;
    SpellingText text(t.host.canvas());
    clearPowerupKinds(t.game);
    t.game.paddles[0].place(1100, 200, 1515);  // across the marker (937 to 1057) and brick 0
    t.game.bricks[0].setLeft(1300);             // row 0: 1300 to 2665 across, 0 to 540 down
    t.game.balls.rebuild(3);
    t.game.balls[0].init(2600, 300);                   // over the brick's right end
    t.game.balls[1].init(9105 - 500 - 400, 5010 - 900);  // under the rightmost spare ball
    t.game.balls[2].init(400, 3250);                   // under the log's top line
    for (int i = 0; i < 6; ++i) t.game.showMessage("MMMMMMMMMMMMMMMMMMMMMMMMMMMMMM");
    t.game.lives = 20;  // spare balls all along the bottom lines of the log

    using Step = void (*)(GameState&);
    const std::vector<std::pair<const char*, Step>> steps = {
        {"marker", paintMouseMarker}, {"paddles", paintPaddles}, {"bricks", paintBricks},
        {"balls", paintBalls},        {"lives", paintLives},     {"status", paintStatus}};
    const auto drawnInOrder = [&](std::size_t swapped) {
        clearCanvas(t.game);
        auto order = steps;
        if (swapped < order.size() - 1) std::swap(order[swapped], order[swapped + 1]);
        for (const auto& [name, step] : order) step(t.game);
        return t.host.canvas().image();
    };
    renderFrame(t.game);
    const Picture frame = t.host.canvas().image();
    EXPECT_TRUE(frame == drawnInOrder(steps.size())) << "the frame is not drawn in the rules' order";
    for (std::size_t i = 0; i + 1 < steps.size(); ++i)
        EXPECT_FALSE(frame == drawnInOrder(i)) << steps[i].first << " and " << steps[i + 1].first << " do not overlap";
}

// On a screen two and three times as dense, the spare balls, the mouse marker and a paddle, each
// drawn alone, lie that many times as far from the field's corner and are that many times as large
// as at 96 dpi, give or take one 96-dpi pixel (where an edge falls within one is all a 96-dpi
// picture tells). All lie on whole 96-dpi pixels: a field of 9110 by 5005 twips puts the spare
// balls there.
TEST(Renderer, OnADenserScreenEachPartOfAFrameLiesThatManyTimesAsFarAndIsThatManyTimesAsLarge) {
    const std::vector<std::pair<const char*, std::function<void(GameState&)>>> parts = {
        {"spare balls", [](GameState& g) { g.lives = 3, paintLives(g); }},
        {"mouse marker", paintMouseMarker},
        {"paddle", [](GameState& g) { g.paddles[0].paint(); }}};
    const auto boxes = [&](double density) {
        StartedGame t(9110, 5005, 43210, density);
        t.host.pointerX = 3000;
        t.game.paddles[0].place(3000, 3000, 1500);
        std::vector<std::array<int, 4>> found;
        for (const auto& [name, paint] : parts) {
            clearCanvas(t.game);
            paint(t.game);
            const Picture& field = t.host.field.image();
            found.push_back(boxWhere(field, [&](int x, int y) { return field.at(x, y) != 0; }));
        }
        return found;
    };
    const auto ones = boxes(1);
    for (double n : {2.0, 3.0}) {
        const auto dense = boxes(n);
        for (std::size_t i = 0; i < parts.size(); ++i)
            for (std::size_t edge = 0; edge < 4; ++edge)
                EXPECT_NEAR(dense[i][edge], ones[i][edge] * n, n) << parts[i].first << " at " << n << ", edge " << edge;
    }
}

}  // namespace
}  // namespace vellix
