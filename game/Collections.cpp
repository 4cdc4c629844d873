#include "game/Collections.h"

#include "game/GameState.h"

namespace vellix {

namespace {

// Calls `action` on every object the collection holds when the walk starts. An object appended
// during the walk (a ball deployed in a yield, a power-up ball) waits for the next walk.
template <class Collection, class Action>
void walk(Collection& collection, Action action) {
    const std::int16_t count = collection.count();
    for (std::int16_t i = 0; i < count; ++i) action(collection[i]);
}

}  // namespace

void movePaddles(GameState& game) { walk(game.paddles, [](clsPaddle& p) { p.move(); }); }
// A ball may yield to the window after breaking a brick; a close handled there ends the walk.
void moveBalls(GameState& game) {
    const std::int16_t count = game.balls.count();
    for (std::int16_t i = 0; i < count && !game.host().ended(); ++i) game.balls[i].move();
}
void moveBricks(GameState& game) { walk(game.bricks, [](clsBrick& b) { b.move(); }); }
void paintPaddles(GameState& game) { walk(game.paddles, [](clsPaddle& p) { p.paint(); }); }
void paintBricks(GameState& game) { walk(game.bricks, [](clsBrick& b) { b.paint(); }); }
void paintBalls(GameState& game) { walk(game.balls, [](clsBall& b) { b.paint(); }); }
void resetPaddleWidths(GameState& game) { walk(game.paddles, [](clsPaddle& p) { p.resetWidth(); }); }
void expandPaddles(GameState& game) { walk(game.paddles, [](clsPaddle& p) { p.expand(); }); }

bool anyBallAlive(GameState& game) {
    const std::int16_t count = game.balls.count();
    for (std::int16_t i = 0; i < count; ++i) {
        if (game.balls[i].isAlive()) return true;
    }
    return false;
}

std::int16_t countLiveBricks(GameState& game) {
    std::int16_t live = 0;
    walk(game.bricks, [&](clsBrick& b) {
        if (b.isAlive()) ++live;
    });
    return live;
}

float detectPaddleCollision(GameState& game, const Position& pos, float size) {
    const std::int16_t count = game.paddles.count();
    for (std::int16_t i = 0; i < count; ++i) {
        const float offset = game.paddles[i].detectCollision(pos.x, pos.y, size);
        if (offset != 0) return offset;
    }
    return 0;
}

std::int16_t detectBrickCollision(GameState& game, float x, float y, float size) {
    const std::int16_t count = game.bricks.count();
    for (std::int16_t i = 0; i < count; ++i) {
        if (game.bricks[i].detectCollision(x, y, size)) {
            expandPaddles(game);
            return i;
        }
    }
    return -1;
}

void killBrick(GameState& game, std::int16_t index) { game.bricks[index].die(); }

}  // namespace vellix
