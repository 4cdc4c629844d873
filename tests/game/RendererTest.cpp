#include "game/FrameRenderer.h"

#include <gtest/gtest.h>

#include <functional>
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
    SpellingText text(t.canvas());
    const SpriteSet& s = t.game.sprites();
    for (const char* line : {"one", "two", "three", "four", "five"}) t.game.showMessage(line);
    struct Row {
        float width, height;
        std::int16_t lives;
        double score;
        int top, scoreX;
        const char* scoreLine;
    };
    for (const Row row : {Row{9105, 5010, 5, 0, 214, 473, "Score: 0 points."},
                          Row{12000, 7005, 3, 1234, 347, 666, "Score: 1234 points."},
                          Row{90000, 4500, 2, 7, 180, 5866, "Score: 7 points."}}) {
        t.canvas().resize(row.width, row.height);
        t.game.lives = row.lives;
        t.game.score = row.score;
        fillGrey(t.canvas());
        paintLives(t.game);
        const Picture& field = t.canvas().image();
        const int iconsTop = twipsToPixels(row.height - 1000), iconsEnd = twipsToPixels(row.width - 500);
        for (int y = 0; y < field.pixelHeight(); ++y)
            for (int x = 0; x < field.pixelWidth(); ++x) {
                const int k = (iconsEnd - 1 - x) / 33;  // which icon from the right, 33 pixels each
                const bool onIcon = x < iconsEnd && k < row.lives && y >= iconsTop && y < iconsTop + 32;
                const int ix = x - (iconsEnd - 33 * (k + 1)), iy = y - iconsTop;
                ASSERT_EQ(field.at(x, y), onIcon ? overGrey(s.imgBall, s.imgBallMatte, ix, iy) : kGrey)
                    << row.lives << " spare balls, at " << x << ", " << y;
            }
        clearCanvas(t.game);
        paintStatus(t.game);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(textAt(t.canvas().image(), 16, row.top + 16 * i), t.game.messages[i]);
        EXPECT_EQ(textAt(t.canvas().image(), row.scoreX, row.top), row.scoreLine);
    }
}

// Where things overlap, what a player sees on top: the paddle over the marker, a brick over the
// paddle, a ball over the brick, a spare-ball icon over a ball, and the log over them all.
TEST(Renderer, EachPartOfAFrameLiesOverThePartsDrawnBeforeIt) {
    StartedGame t;
    SpellingText text(t.canvas());
    const SpriteSet& s = t.game.sprites();
    t.game.paddles[0].place(1100, 200, 1515);  // its centre section: pixels 22 to 123 across, 13 to 27 down
    t.game.bricks.rebuild(1);
    t.game.bricks[0].init(0, 0, 0);
    t.game.bricks[0].setLeft(1500);  // row 0: pixels 100 to 190 across, 0 to 35 down
    t.game.bricks[0].setPowerup(PowerupKind::None);
    t.game.balls.rebuild(2);
    t.game.balls[0].init(2600, 300);                     // pixels 156 to 188, 3 to 34: over the brick
    t.game.balls[1].init(9105 - 900, 5010 - 900);        // 530 to 562, 257 to 288: under the last spare ball
    t.game.lives = 20;                                    // spare balls (rows 267 to 298) under the log's end
    for (int i = 0; i < 6; ++i) t.game.showMessage("MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM");
    renderFrame(t.game);
    const Picture& frame = t.canvas().image();
    EXPECT_EQ(frame.at(63, 18), s.imgPaddleCenter.at(41, 5) | s.imgMouse.at(1, 5)) << "the paddle, OR-ed over the marker";
    EXPECT_EQ(frame.at(110, 20), s.imgBrick[std::size_t(t.game.bricks[0].image())].at(10, 20)) << "the brick";
    EXPECT_EQ(frame.at(173, 19), s.imgBall.at(17, 16)) << "the ball";
    EXPECT_EQ(frame.at(556, 274), s.imgBall.at(16, 7)) << "the spare ball";
    EXPECT_EQ(frame.at(28, 294), rgb(190, 200, 255)) << "the log's bottom line";
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
        t.pointAt(3000);
        t.game.paddles[0].place(3000, 3000, 1500);
        std::vector<std::array<int, 4>> found;
        for (const auto& [name, paint] : parts) {
            clearCanvas(t.game);
            paint(t.game);
            const Picture& field = t.canvas().image();
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
