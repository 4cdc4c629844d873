#pragma once

#include <cstdint>
#include <string>

#include "base/RandomSource.h"
#include "game/GameHost.h"
#include "game/MessageLog.h"
#include "game/ObjectCollection.h"
#include "game/objects/clsBall.h"
#include "game/objects/clsBrick.h"
#include "game/objects/clsPaddle.h"

namespace vellix {

class Canvas;
class SoundPlayer;
class TimeOfDay;
struct SpriteSet;

// The one record of a game: level, lives, score, the three collections, the wall's shape, the
// message log and the power-up flags, with the operations through which the objects read and
// change them. It also hands the objects what they need from outside the game (the canvas, the
// sprites, the pointer, the random source, the sounds and the window's yields), so that any
// number of independent games can run side by side, with or without a window.
class GameState {
public:
    GameState(GameHost& host, SoundPlayer& sound, const SpriteSet& sprites, TimeOfDay& clock);
    GameState(const GameState&) = delete;
    GameState& operator=(const GameState&) = delete;

    std::int16_t lives = 0;  // spare balls: how many more balls the player may deploy
    double score = 0;        // always a whole number

    ObjectCollection<clsPaddle> paddles{*this};  // index 0 is the main paddle, 1 the companion
    ObjectCollection<clsBall> balls{*this};      // dead balls keep their places
    ObjectCollection<clsBrick> bricks{*this};    // the wall, dead bricks included
    std::int16_t brickRows = 0;
    std::int16_t brickColumns = 0;

    MessageLog messages;

    // True from the end of a game until the next new game: no frame loop runs then.
    bool gameIsOver = false;

    // The level being played, from 1.
    std::int16_t getLevel() const { return level_; }
    void setLevel(std::int16_t level) { level_ = level; }
    // The lasting power-up effects; at most one is on, because every activation clears all three.
    bool getFastPaddle() const { return fastPaddle_; }
    bool getFrozenBricks() const { return frozenBricks_; }
    bool getMagneticPaddle() const { return magneticPaddle_; }
    void setFastPaddle(bool on) { fastPaddle_ = on; }
    void setFrozenBricks(bool on) { frozenBricks_ = on; }
    void setMagneticPaddle(bool on) { magneticPaddle_ = on; }
    void clearPowerups();
    // The companion paddle leaves play; it stays in the collection, unvisited, until the rebuild.
    void dropCompanionPaddle();
    // One point for a brick; every 200th point also gives a life.
    void addPoint();
    // Pushes a line onto the message log; it shows from the next frame drawn.
    void showMessage(std::string text) { messages.showMessage(std::move(text)); }

    // What the game reaches outside itself.
    GameHost& host() { return host_; }
    Canvas& canvas() { return host_.canvas(); }
    float mouseX() const { return host_.mouseX(); }
    const SpriteSet& sprites() const { return sprites_; }
    // Rnd: the next uniform random number in [0, 1).
    float Rnd() { return random_.Rnd(); }
    RandomSource& random() { return random_; }
    TimeOfDay& clock() { return clock_; }
    void playSound(std::int16_t sound);
    // Lets the window system handle its pending events (a ball's yield after breaking a brick).
    void doEvents() { host_.doEvents(); }

private:
    std::int16_t level_ = 0;
    bool fastPaddle_ = false;      // paddles may step three times as far
    bool frozenBricks_ = false;    // the wall stops drifting
    bool magneticPaddle_ = false;  // balls steer their sideways steps towards the pointer

    GameHost& host_;
    SoundPlayer& sound_;
    const SpriteSet& sprites_;
    TimeOfDay& clock_;
    RandomSource random_;
};

}  // namespace vellix
