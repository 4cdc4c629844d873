#pragma once

#include <cstdint>

#include "base/Position.h"

namespace vellix {

class GameState;

// One ball in play. It falls under gravity (one twip per frame per frame), its downward and
// rightward speeds capped at 150 twips a frame, and after every step it is checked against the
// floor, the ceiling, the side walls, the paddles and the bricks, in that order. A lost ball stays
// in the collection where it died, dead, and is still drawn there.
class clsBall {
public:
    explicit clsBall(GameState& game) : game_(game) {}

    bool isAlive() const { return alive_; }
    // Brings a fresh ball to life at rest at (x, y); a coordinate given as exactly 0 is chosen at
    // random instead (x first, then y).
    void init(float x, float y);
    // Draws the ball, and the pointer at the top of the field while the ball is above it.
    void paint();
    void beAffectedByGravity() { vy_ = vy_ + 1; }
    // One frame of motion followed by the collision checks. A dead ball does not move. Yields to
    // the window system after every brick it breaks.
    void move();

    const Position& pos() const { return pos_; }
    float vx() const { return vx_; }
    float vy() const { return vy_; }
    float size() const { return size_; }
    std::int16_t bounceBoost() const { return bounceBoost_; }

    // Sets the velocity: for tests and tools that need an exact setting.
    void setVelocity(float vx, float vy) {
        vx_ = vx;
        vy_ = vy;
    }

private:
    void setBoostForLevel();
    void followMouse();
    // The collision checks of one step, in this order; each sees the velocities the earlier ones left.
    void checkCollisions();
    void checkBricks();
    void bounceOffPaddle(float offset);
    void loseBall();
    bool checkFloor() const;
    bool checkCeiling() const;
    float checkPaddles();
    bool checkWalls() const;
    void bounceOffCeiling();
    void bounceOffWall();
    float halfSize() const;

    GameState& game_;
    float vx_ = 0;  // twips per frame, positive to the right
    float vy_ = 0;  // twips per frame, positive downward
    Position pos_;  // the centre
    float size_ = 0;
    bool alive_ = false;
    std::int16_t bounceBoost_ = 0;  // extra speed that every paddle and brick bounce gives
};

}  // namespace vellix
