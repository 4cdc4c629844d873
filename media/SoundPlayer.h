#pragma once

#include <cstdint>

namespace vellix {

// The four sounds of the game, by number; each plays on its own channel.
enum Sound : std::int16_t {
    kSoundBounce = 0,    // a ball bounces off a paddle
    kSoundRicochet = 1,  // a ball bounces off a side wall
    kSoundBreak = 2,     // a brick dies
    kSoundSink = 3,      // a ball is lost below the floor
};

// How the game asks for a sound. It never waits for one and never learns whether it was heard.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void playSound(std::int16_t sound) = 0;
};

}  // namespace vellix
