#pragma once

#include <cstdint>

namespace vellix {

class GameState;

// The player's bat: a bar of three pieces on a line 2000 twips above the bottom of the field that
// chases the pointer's x at its level's speed. A struck paddle dips 240 twips and climbs back 20
// a frame; it narrows or widens with every strike and grows with every brick broken. The
// companion paddle keeps half a field to the right of the pointer, wrapping at the edges.
// All positions and lengths are twips.
class clsPaddle {
public:
    explicit clsPaddle(GameState& game) : game_(game) {}

    // Vertical reference: the top edge of every piece as drawn, the middle of the hit area.
    float ypos() const { return ypos_; }

    // Sets the paddle up on the rest line at a random x in the left half of the field; the
    // companion paddle chases half a field right of the pointer.
    void init(bool companion);
    void resetWidth() { width_ = baseWidth_; }
    // A ball broke a brick: the centre section grows, and never stays narrower than at the start.
    void expand();
    // One frame of sideways motion towards the pointer (or the companion's target).
    void move();
    // Draws the paddle, then climbs back one step towards the rest line if it is dipped.
    void paint();
    // Whether a ball centred at (ballX, ballY) of diameter ballSize strikes the paddle: 0 if not,
    // else where it struck relative to the centre (1 for dead centre). A struck paddle dips and
    // changes width. May run inside a ball's move.
    float detectCollision(float ballX, float ballY, float ballSize);

    float xpos() const { return xpos_; }
    float width() const { return width_; }
    std::int16_t speed() const { return speed_; }
    bool isCompanion() const { return companion_; }

    // Puts the paddle at a given place and width: for tests and tools that need an exact setting.
    void place(float xpos, float ypos, float width) {
        xpos_ = xpos;
        ypos_ = ypos;
        width_ = width;
    }

private:
    void adjustWidthOnHit();
    float left() const;
    float right() const;
    float target() const;

    GameState& game_;
    float xpos_ = 0;       // centre of the paddle
    float ypos_ = 0;
    float width_ = 0;      // the centre section; the end caps lie outside it
    float baseWidth_ = 0;  // the width it was made with
    std::int16_t speed_ = 0;      // largest step per frame
    bool companion_ = false;
};

}  // namespace vellix
