#include "game/LevelBuilder.h"

#include <algorithm>

#include "base/Arithmetic.h"
#include "base/TimeOfDay.h"
#include "game/GameState.h"
#include "media/Canvas.h"
#include "media/SpriteSet.h"

namespace vellix {

void setupLevel(GameState& game) {
    game.random().seed(game.clock().secondsSinceMidnight());
    game.host().setMousePointer(kCustomPointer);
    game.host().setNewGameVisible(false);

    game.paddles.rebuild(1);
    // Odd places of the collection hold companions; at a level's start that is no place at all.
    for (std::int16_t i = 0; i < game.paddles.count(); ++i) game.paddles[i].init(i % 2 == 1);

    game.balls.rebuild(1);
    for (std::int16_t i = 0; i < game.balls.count(); ++i) game.balls[i].init(0, 0);

    buildWall(game);
}

namespace {

std::int16_t rowsForLevel(std::int16_t level) {
    if (level <= 3) return 4;
    if (level <= 11) return 6;
    return 8;
}

}  // namespace

void buildWall(GameState& game) {
    const float brickWidth = game.sprites().imgBrick[0].Width();
    game.brickRows = rowsForLevel(game.getLevel());
    // A field narrower than two bricks still gets a wall of one column, and a field too wide for
    // the wall's count still gets the widest wall that can be counted.
    const double columns = double(Int(game.canvas().Width() / brickWidth)) - 1;
    const double mostColumns = ObjectCollection<clsBrick>::kMaxCount / game.brickRows;
    game.brickColumns = std::int16_t(std::clamp(columns, 1.0, mostColumns));
    const auto brickCount = std::int16_t(game.brickRows * game.brickColumns);

    game.bricks.rebuild(brickCount);
    std::int16_t column = -1;
    std::int16_t row = 0;
    for (std::int16_t i = 0; i < brickCount; ++i) {
        column = std::int16_t(column + 1);
        if (column >= game.brickColumns) {
            row = std::int16_t(row + 1);
            column = 0;
        }
        game.bricks[i].init(row, column, i);
    }
}

}  // namespace vellix
