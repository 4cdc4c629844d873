#include "game/objects/clsBall.h"

#include <cmath>

#include "base/Arithmetic.h"
#include "game/GameState.h"
#include "media/Canvas.h"
#include "media/SoundPlayer.h"
#include "media/SpriteSet.h"

namespace vellix {

namespace {
constexpr float kSpeedCap = 150;   // for falling and for moving right; rising and moving left are not capped
constexpr float kPointerTop = 20;  // where the pointer for a ball above the field is drawn
}  // namespace

void clsBall::init(float x, float y) {
    const Canvas& canvas = game_.canvas();
    // A served ball starts somewhere in the upper left quarter of the field, 60 twips in at least.
    pos_.x = x == 0 ? Int(canvas.Width() / 2 * game_.Rnd() + 60) : x;
    pos_.y = y == 0 ? Int(canvas.Height() / 2 * game_.Rnd() + 60) : y;
    size_ = game_.sprites().imgBall.Width();
    alive_ = true;
    setBoostForLevel();
}

// Bounces lose their extra kick from level 12 on.
void clsBall::setBoostForLevel() {
    if (game_.getLevel() < 12) bounceBoost_ = 20;
}

float clsBall::halfSize() const { return Int(size_ / 2); }

void clsBall::move() {
    if (!alive_) return;
    beAffectedByGravity();
    if (vx_ > kSpeedCap) vx_ = kSpeedCap;
    if (vy_ > kSpeedCap) vy_ = kSpeedCap;
    if (game_.getMagneticPaddle()) followMouse();
    else pos_.x = pos_.x + vx_;
    pos_.y = pos_.y + vy_;
    checkCollisions();
}

// Under the magnet the ball steps |vx| sideways towards the pointer, whichever way vx points,
// and swings about the pointer once it gets there.
void clsBall::followMouse() {
    const float mouse = game_.mouseX();
    const float nx = pos_.x + vx_;
    if (std::fabs(pos_.x - mouse) > std::fabs(nx - mouse)) pos_.x = nx;
    else pos_.x = pos_.x - vx_;
}

void clsBall::paint() {
    Canvas& canvas = game_.canvas();
    const SpriteSet& s = game_.sprites();
    const float half = halfSize();
    canvas.PaintPicture(s.imgBallMatte, pos_.x - half, pos_.y - half, RasterOp::SRCAND);
    canvas.PaintPicture(s.imgBall, pos_.x - half, pos_.y - half, RasterOp::SRCPAINT);
    if (pos_.y < 0) {
        canvas.PaintPicture(s.imgPointerMatte, pos_.x, kPointerTop, RasterOp::SRCAND);
        canvas.PaintPicture(s.imgPointer, pos_.x, kPointerTop, RasterOp::SRCPAINT);
    }
}

// The ball dies where it is; every lasting power-up ends with it, even while other balls play.
void clsBall::loseBall() {
    alive_ = false;
    vx_ = 0;
    vy_ = 0;
    game_.showMessage("Ball is dead :(");
    game_.playSound(kSoundSink);
    game_.clearPowerups();
}

}  // namespace vellix
