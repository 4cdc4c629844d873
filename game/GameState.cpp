#include "game/GameState.h"

#include <cmath>

#include "media/SoundPlayer.h"

namespace vellix {

GameState::GameState(GameHost& host, SoundPlayer& sound, const SpriteSet& sprites, TimeOfDay& clock)
    : host_(host), sound_(sound), sprites_(sprites), clock_(clock) {}

void GameState::clearPowerups() {
    fastPaddle_ = false;
    frozenBricks_ = false;
    magneticPaddle_ = false;
}

void GameState::dropCompanionPaddle() { paddles.setCount(1); }

void GameState::addPoint() {
    score = score + 1;
    if (std::floor(score / 200) == score / 200) {
        if (lives < 32767) lives = std::int16_t(lives + 1);
        showMessage("Extra life!");
    }
}

void GameState::playSound(std::int16_t sound) { sound_.playSound(sound); }

}  // namespace vellix
