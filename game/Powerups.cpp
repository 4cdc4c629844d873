#include "game/Powerups.h"

#include <cmath>

#include "base/Arithmetic.h"
#include "game/GameState.h"
#include "media/Canvas.h"
#include "media/SpriteSet.h"

namespace vellix {

void activatePowerup(GameState& game, std::int16_t index) {
    game.clearPowerups();
    switch (game.bricks[index].getPowerup()) {
        case PowerupKind::ExplodingBrick:
            explodeBrick(game, index);
            game.showMessage("Powerup - Exploding brick");
            break;
        case PowerupKind::CompanionPaddle:
            addCompanionPaddle(game);
            game.showMessage("Powerup - Companion paddle");
            break;
        case PowerupKind::Ball:
            addBallAtBrick(game, index);
            game.showMessage("Powerup - Ball");
            break;
        case PowerupKind::FastPaddle:
            game.setFastPaddle(true);
            game.showMessage("Powerup - Fast paddle");
            break;
        case PowerupKind::FrozenBricks:
            game.setFrozenBricks(true);
            game.showMessage("Powerup - Frozen bricks");
            break;
        case PowerupKind::MagneticPaddle:
            game.setMagneticPaddle(true);
            game.showMessage("Powerup - Magnetic paddle");
            break;
        case PowerupKind::None:
            break;
    }
}

void explodeBrick(GameState& game, std::int16_t index) {
    const float reach = 0.1f * game.canvas().Width();
    const Picture& brick = game.sprites().imgBrick[0];
    const float halfW = Int(brick.Width() / 2);
    const float halfH = Int(brick.Height() / 2);
    const float cx = game.bricks[index].left() + halfW;
    const float cy = game.bricks[index].top() + halfH;
    // The wall's count is read once; a victim's own power-up may walk the wall again, nested.
    const std::int16_t count = game.bricks.count();
    for (std::int16_t i = 0; i < count; ++i) {
        if (i == index) continue;
        clsBrick& victim = game.bricks[i];
        if (!victim.isAlive()) continue;  // a brick killed earlier in this blast is left alone
        const float bx = victim.left() + halfW;
        const float by = victim.top() + halfH;
        if (std::fabs(cx - bx) < reach && std::fabs(cy - by) < reach) victim.die();
    }
}

void addCompanionPaddle(GameState& game) {
    if (game.paddles.count() >= 2) return;
    game.paddles.append([](clsPaddle& paddle) { paddle.init(true); });
}

void addBallAtBrick(GameState& game, std::int16_t index) {
    const Picture& brick = game.sprites().imgBrick[0];
    const float x = game.bricks[index].left() + Int(brick.Width() / 2);
    const float y = game.bricks[index].top() + Int(brick.Height() / 2);
    game.balls.append([&](clsBall& ball) { ball.init(x, y); });
}

bool isPowerupFree(GameState& game, PowerupKind kind) {
    const std::int16_t count = game.bricks.count();
    for (std::int16_t i = 0; i < count; ++i) {
        if (game.bricks[i].getPowerup() == kind) return false;
    }
    return true;
}

}  // namespace vellix
