#include "game/FrameRenderer.h"

#include <cstdio>
#include <string>

#include "base/Arithmetic.h"
#include "game/Collections.h"
#include "game/GameState.h"
#include "media/Canvas.h"
#include "media/SpriteSet.h"

namespace vellix {

namespace {
constexpr Pixel kStatusColour = rgb(190, 200, 255);
constexpr float kStatusAboveBottom = 1800;  // the top line of the log and the score line
constexpr float kLineSpacing = 240;
constexpr float kLogLeft = 240;
constexpr float kScoreLeftOfRight = 2000;
constexpr float kLivesAboveBottom = 1000;
constexpr float kLivesLeftOfRight = 500;

std::string scoreLine(double score) {
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.0f", score);
    return std::string("Score: ") + digits + " points.";
}
}  // namespace

void renderFrame(GameState& game) {
    clearCanvas(game);
    paintMouseMarker(game);
    paintPaddles(game);
    paintBricks(game);
    paintBalls(game);
    paintLives(game);
    paintStatus(game);
    game.host().Refresh();
}

void clearCanvas(GameState& game) { game.canvas().Cls(); }

void paintMouseMarker(GameState& game) {
    const SpriteSet& s = game.sprites();
    const float w = s.imgMouse.Width();
    // The floor applies to the width alone, before the halving.
    const float x = game.mouseX() - Int(w) / 2;
    const float y = game.paddles[0].ypos();
    game.canvas().PaintPicture(s.imgMouseMatte, x, y, RasterOp::SRCAND);
    game.canvas().PaintPicture(s.imgMouse, x, y, RasterOp::SRCPAINT);
}

void paintLives(GameState& game) {
    Canvas& canvas = game.canvas();
    const SpriteSet& s = game.sprites();
    const float y = canvas.Height() - kLivesAboveBottom;
    float x = canvas.Width() - kLivesLeftOfRight;
    for (int i = 0; i < game.lives; ++i) {
        x = x - s.imgBall.Width();
        // The row runs on past the left edge with many lives; icons wholly off the field show nothing.
        if (x + s.imgBall.Width() <= 0) break;
        canvas.PaintPicture(s.imgBallMatte, x, y, RasterOp::SRCAND);
        canvas.PaintPicture(s.imgBall, x, y, RasterOp::SRCPAINT);
    }
}

void paintStatus(GameState& game) {
    Canvas& canvas = game.canvas();
    const float top = canvas.Height() - kStatusAboveBottom;
    canvas.setForeColor(kStatusColour);
    for (int i = 0; i < MessageLog::kLines; ++i) {
        canvas.setCurrentX(kLogLeft);
        canvas.setCurrentY(top + kLineSpacing * float(i));
        canvas.Print(game.messages[i]);
    }
    canvas.setCurrentX(canvas.Width() - kScoreLeftOfRight);
    canvas.setCurrentY(top);
    canvas.Print(scoreLine(game.score));
}

}  // namespace vellix
