// The ball's collision checks: what one step of a ball runs into, and how it bounces.

#include <cmath>

#include "base/Arithmetic.h"
#include "game/Collections.h"
#include "game/GameState.h"
#include "game/objects/clsBall.h"
#include "media/Canvas.h"
#include "media/SoundPlayer.h"

namespace vellix {

namespace {
constexpr float kCeiling = -2000;  // the ceiling lies this far above the top edge of the field
}  // namespace

// Every check runs, whatever the earlier ones did: a ball lost below the floor still goes through
// the others where it died, with both velocities 0.
void clsBall::checkCollisions() {
    if (checkFloor()) loseBall();
    if (checkCeiling()) bounceOffCeiling();
    if (checkWalls()) bounceOffWall();
    bounceOffPaddle(checkPaddles());
    checkBricks();
}

// Lost once the centre passes below the bottom edge, so up to half the ball may still show.
bool clsBall::checkFloor() const { return pos_.y > game_.canvas().Height(); }

bool clsBall::checkCeiling() const { return pos_.y < kCeiling; }

// Back down to just inside the top edge of the field, with no kick and no sound.
void clsBall::bounceOffCeiling() {
    vy_ = -vy_;
    const float half = halfSize();
    pos_.y = pushBack(pos_.y, 1.0f, double(half), [half](float y) { return y - half <= 0; });
}

// Touching an edge counts.
bool clsBall::checkWalls() const {
    const float half = halfSize();
    return pos_.x + half >= game_.canvas().Width() || pos_.x - half <= 0;
}

// The reflection does not look at which wall was touched, nor which way the ball was going.
void clsBall::bounceOffWall() {
    Canvas& canvas = game_.canvas();
    const float half = halfSize();
    vx_ = -vx_;
    pos_.x = pushBack(pos_.x, 1.0f, double(half), [half](float x) { return x - half <= 0; });
    pos_.x = pushBack(pos_.x, -1.0f, double(canvas.Width()) - double(half),
                      [&](float x) { return x + half >= canvas.Width(); });
    game_.playSound(kSoundRicochet);
}

float clsBall::checkPaddles() { return detectPaddleCollision(game_, pos_, size_); }

// Every 20 twips between the ball and the paddle's centre add one twip a frame of sideways speed;
// the ball leaves faster by the boost. A rising ball that meets a paddle is turned back down too.
void clsBall::bounceOffPaddle(float offset) {
    if (offset == 0) return;
    vx_ = vx_ + offset / 20;
    vy_ = -(vy_ + float(bounceBoost_));
    game_.playSound(kSoundBounce);
}

// Breaks every brick the ball overlaps, lowest index first, without moving the ball; each break
// flips vy again, and the window system gets a turn after each (which may end the program).
void clsBall::checkBricks() {
    for (;;) {
        const std::int16_t index = detectBrickCollision(game_, pos_.x, pos_.y, size_);
        if (index <= -1) return;
        killBrick(game_, index);
        vy_ = -vy_ - float(bounceBoost_);
        game_.doEvents();
        if (game_.host().ended()) return;
    }
}

}  // namespace vellix
