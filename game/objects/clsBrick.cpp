#include "game/objects/clsBrick.h"

#include <cmath>
#include <cstdlib>

#include "base/Arithmetic.h"
#include "game/GameState.h"
#include "game/Powerups.h"
#include "media/Canvas.h"
#include "media/SoundPlayer.h"
#include "media/SpriteSet.h"

namespace vellix {

void clsBrick::init(std::int16_t row, std::int16_t column, int index) {
    const SpriteSet& s = game_.sprites();
    width_ = s.imgBrick[0].Width();
    height_ = s.imgBrick[0].Height();
    index_ = toInt16(index);
    alive_ = true;
    row_ = row;
    image_ = std::int16_t(Int(6 * game_.Rnd()));
    // Odd rows stand one whole brick further right.
    left_ = row % 2 == 0 ? float(column) * width_ : float(column + 1) * width_;
    top_ = float(row) * height_;
    // From -50 to -3: the slowest speeds are all raised to 3, so no brick ever stands still.
    speed_ = std::int16_t(Int(game_.Rnd() * 50 - 50));
    if (speed_ >= -3 && speed_ <= 0) speed_ = -3;
    powerup_ = choosePowerup();
    shatterFrame_ = 0;
}

// Six bricks in a hundred draw a kind; a kind that some brick of the wall already carries is not
// drawn again, so each power-up can happen at most once a level.
PowerupKind clsBrick::choosePowerup() {
    const float r = Int(game_.Rnd() * 100) + 1;
    if (r > 6) return PowerupKind::None;
    const auto kind = PowerupKind(Int(6 * game_.Rnd() + 1));
    return isPowerupFree(game_, kind) ? kind : PowerupKind::None;
}

void clsBrick::move() {
    if (!alive_ || game_.getFrozenBricks()) return;
    bounceOffEdges();
    // Every speed starts negative: even rows set off to the right, odd rows to the left.
    if (row_ % 2 == 0) left_ = left_ - float(speed_);
    else left_ = left_ + float(speed_);
}

// The brick turns when it touches a side edge and is pushed back inside, one twip at a time, before
// this frame's step; so it may stand up to one step past an edge until the next frame.
void clsBrick::bounceOffEdges() {
    Canvas& canvas = game_.canvas();
    const float fieldWidth = canvas.Width();
    if (left_ <= 0 || left_ + width_ >= fieldWidth) speed_ = std::int16_t(-speed_);
    left_ = pushBack(left_, 1.0f, 0.0, [](float left) { return left <= 0; });
    left_ = pushBack(left_, -1.0f, double(canvas.Width()) - double(width_),
                     [&](float left) { return left + width_ >= canvas.Width(); });
}

void clsBrick::paint() {
    Canvas& canvas = game_.canvas();
    const SpriteSet& s = game_.sprites();
    if (alive_) {
        canvas.PaintPicture(s.imgBrick[std::size_t(image_)], left_, top_, RasterOp::SRCCOPY);
        if (powerup_ != PowerupKind::None) {
            const Picture& icon = s.imgPowerup[std::size_t(powerup_)];
            const float px = Int(width_ / 2) + left_ - Int(icon.Width() / 2);
            const float py = Int(height_ / 2) + top_ - Int(icon.Height() / 2);
            canvas.PaintPicture(s.imgPowerupMatte[std::size_t(powerup_)], px, py, RasterOp::SRCAND);
            canvas.PaintPicture(icon, px, py, RasterOp::SRCPAINT);
        }
        // Only a brick that has been seen scatters shards when it dies.
        shatterFrame_ = 1;
    } else if (shatterFrame_ != 0) {
        paintShards();
    }
}

// Ten frames of shards, ten of them in the first frame and one fewer in each later one: pieces of
// the lower right quarter of the brick's picture, OR-ed at random places right of and below the
// centre where the brick died.
void clsBrick::paintShards() {
    Canvas& canvas = game_.canvas();
    const Picture& picture = game_.sprites().imgBrick[std::size_t(image_)];
    const float cx = Int(width_ / 2) + left_;
    const float cy = Int(height_ / 2) + top_;
    const int n = std::abs(10 - shatterFrame_);
    for (int i = 0; i <= n; ++i) {
        const float x = Int(game_.Rnd() * 1000 + cx) + 1;
        const float y = Int(game_.Rnd() * 1000 + cy) + 1;
        const float a = Int(game_.Rnd() * 600) + 240;
        const float b = Int(game_.Rnd() * 600) + 240;
        canvas.PaintPicture(picture, x, y, a, b, Int(width_ / 2), Int(height_ / 2), RasterOp::SRCPAINT);
    }
    shatterFrame_ = std::int16_t(shatterFrame_ + 1);
    if (shatterFrame_ > 10) shatterFrame_ = 0;
}

// Only the top and bottom edges are hit, by a ball whose centre lies within the brick's width
// (both ends included) and less than half its size from the edge line.
bool clsBrick::detectCollision(float x, float y, float size) const {
    if (!alive_) return false;
    const float r = Int(size / 2);
    if (x > left_ + width_ || x < left_) return false;
    if (std::fabs(y - top_) < r) return true;
    return std::fabs(y - (top_ + height_)) < r;
}

// The alive flag falls first, so that an explosion this brick sets off never counts it.
void clsBrick::die() {
    alive_ = false;
    if (powerup_ != PowerupKind::None) activatePowerup(game_, index_);
    game_.addPoint();
    game_.playSound(kSoundBreak);
}

}  // namespace vellix
