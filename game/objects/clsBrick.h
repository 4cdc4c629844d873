#pragma once

#include <cstdint>

#include "game/PowerupKind.h"

namespace vellix {

class GameState;

// One brick of the wall. Bricks drift sideways at their own speeds and turn at the side edges of
// the field; a brick may carry a power-up, shown as an icon over it, that fires the moment the
// brick dies. A dead brick scatters shards of itself for ten frames and then stays, inert, in its
// place until the next wall is built. Positions and sizes are twips.
class clsBrick {
public:
    explicit clsBrick(GameState& game) : game_(game) {}

    bool isAlive() const { return alive_; }
    std::int16_t row() const { return row_; }
    float left() const { return left_; }
    float top() const { return top_; }

    // Sets the brick up in its row and column of the wall, with a random colour, drift speed and
    // power-up (random numbers drawn in that order). `index` is the brick's own index in the wall.
    void init(std::int16_t row, std::int16_t column, int index);
    PowerupKind getPowerup() const { return powerup_; }
    // One frame of drift, unless the brick is dead or the bricks are frozen.
    void move();
    void paint();
    // Whether a ball centred at (x, y) of diameter `size` touches the brick's top or bottom edge.
    bool detectCollision(float x, float y, float size) const;
    // The brick breaks: it stops colliding, fires its power-up, scores and plays the break sound,
    // in that order. May run inside a ball's move or inside an explosion.
    void die();

    std::int16_t image() const { return image_; }
    std::int16_t speed() const { return speed_; }
    std::int16_t shatterFrame() const { return shatterFrame_; }

    // For tests and tools that need an exact setting: the left edge, and the power-up carried.
    void setLeft(float left) { left_ = left; }
    void setPowerup(PowerupKind kind) { powerup_ = kind; }

private:
    PowerupKind choosePowerup();
    void bounceOffEdges();
    void paintShards();

    GameState& game_;
    std::int16_t index_ = 0;
    std::int16_t row_ = 0;    // 0 for the top row
    std::int16_t image_ = 0;  // which of the six brick pictures
    float left_ = 0;
    float top_ = 0;
    PowerupKind powerup_ = PowerupKind::None;  // kept after death
    // 0: no shards due; 1 while alive once painted; 1 to 10 while the shards fly.
    std::int16_t shatterFrame_ = 0;
    float width_ = 0;
    float height_ = 0;
    std::int16_t speed_ = 0;  // sideways step per frame; its sign flips at the edges
    bool alive_ = false;
};

}  // namespace vellix
