#include "game/objects/clsPaddle.h"

#include <algorithm>
#include <cmath>

#include "base/Arithmetic.h"
#include "game/GameState.h"
#include "media/Canvas.h"
#include "media/SpriteSet.h"

namespace vellix {

namespace {
constexpr float kRestAboveFloor = 2000;  // the rest line's distance above the bottom of the field
constexpr float kDip = 240;              // how far a strike pushes the paddle down
constexpr float kClimb = 20;             // how far a dipped paddle climbs back each frame
constexpr float kNarrowest = 600;
}  // namespace

void clsPaddle::init(bool companion) {
    const Canvas& canvas = game_.canvas();
    baseWidth_ = game_.sprites().imgPaddleCenter.Width();
    width_ = baseWidth_;
    xpos_ = Int(canvas.Width() / 2) * game_.Rnd();
    ypos_ = canvas.Height() - kRestAboveFloor;
    // 180 at level 1, 160 at level 2, 140 from then on.
    const int levelSpeed = 200 - 20 * int(game_.getLevel());
    speed_ = std::int16_t(std::max(levelSpeed, 140));
    companion_ = companion;
}

void clsPaddle::expand() {
    width_ = width_ + 75;
    if (baseWidth_ > width_) width_ = baseWidth_;
}

float clsPaddle::target() const {
    float target = game_.mouseX();
    if (!companion_) return target;
    // The companion sits half a field right of the pointer and wraps round to the left part.
    const float fieldWidth = Int(game_.canvas().Width());
    target = target + Int(game_.canvas().Width() / 2);
    if (fieldWidth < 1) return target;  // no field to wrap round
    // Rounded half to even, then the remainder with the sign of the dividend.
    return float(std::fmod(std::nearbyint(double(target)), double(fieldWidth)));
}

void clsPaddle::move() {
    const std::int16_t step = std::int16_t(game_.getFastPaddle() ? 3 * speed_ : speed_);
    const float goal = target();
    const float d = std::fabs(xpos_ - goal);
    float a;
    float b;
    if (d < step) {
        a = xpos_ - d;
        b = xpos_ + d;
    } else {
        a = xpos_ - step;
        b = xpos_ + step;
    }
    // Within one step the paddle lands on its target; further away it takes exactly one step.
    xpos_ = std::fabs(goal - a) < std::fabs(goal - b) ? a : b;
}

float clsPaddle::left() const { return xpos_ - Int(width_ / 2); }
float clsPaddle::right() const { return xpos_ + Int(width_ / 2); }

void clsPaddle::paint() {
    Canvas& canvas = game_.canvas();
    const SpriteSet& s = game_.sprites();
    const float yDraw = ypos_;
    // A dipped paddle climbs back; the change shows from the next frame.
    if (canvas.Height() - kRestAboveFloor < ypos_) ypos_ = ypos_ - kClimb;
    const float l = left();
    const float r = right();
    const float capX = l - s.imgPaddleLeftMatte.Width();
    canvas.PaintPicture(s.imgPaddleLeftMatte, capX, yDraw, RasterOp::SRCAND);
    canvas.PaintPicture(s.imgPaddleRightMatte, r, yDraw, RasterOp::SRCAND);
    canvas.PaintPicture(s.imgPaddleLeft, capX, yDraw, RasterOp::SRCPAINT);
    // The centre section is `width` wide. The picture is the same in every column, so a paddle
    // grown wider than the picture is drawn with the picture laid side by side.
    // Pieces wholly off the field are skipped: a paddle can grow very wide over a long game.
    const Picture& centre = s.imgPaddleCenter;
    float drawn = std::max(0.0f, std::floor(-l / centre.Width()) * centre.Width());
    do {
        const float piece = std::fmin(centre.Width(), width_ - drawn);
        canvas.PaintPicture(centre, l + drawn, yDraw, piece, centre.Height(), 0, 0, RasterOp::SRCPAINT);
        drawn = drawn + centre.Width();
    } while (drawn < width_ && l + drawn < canvas.Width());
    canvas.PaintPicture(s.imgPaddleRight, r, yDraw, RasterOp::SRCPAINT);
}

float clsPaddle::detectCollision(float ballX, float ballY, float ballSize) {
    const float l = left();
    const float r = right();
    const float h = game_.sprites().imgPaddleCenter.Height();
    const float topLine = ypos_ - Int(h / 2);
    const float bottomLine = ypos_ + Int(h / 2);
    const float half = Int(ballSize / 2);
    float offset = 0;
    // Only the centre section is struck, both ends included; the end caps are not.
    if (ballX >= l && ballX <= r) {
        if (std::fabs(ballY - topLine) < half) {
            offset = ballX - xpos_;
            if (offset == 0) offset = 1;
        }
        if (std::fabs(ballY - bottomLine) < half) {
            offset = ballX - xpos_;
            if (offset == 0) offset = 1;
        }
    }
    if (offset != 0) {
        ypos_ = ypos_ + kDip;
        adjustWidthOnHit();
    }
    return offset;
}

// Narrows the paddle at the early levels, leaves it alone at level 5 and widens it beyond.
void clsPaddle::adjustWidthOnHit() {
    width_ = width_ - 150 + 30 * float(game_.getLevel());
    if (width_ < kNarrowest) width_ = kNarrowest;
}

}  // namespace vellix
