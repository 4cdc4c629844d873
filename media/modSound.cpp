#include "media/modSound.h"

namespace vellix {

void modSound::openSounds(const std::string& directory) {
    std::string base = directory;
    while (!base.empty() && base.back() == '/') base.pop_back();
    for (int channel = 0; channel < kChannels; ++channel) {
        device_.open(channel, base + "/" + kFileNames[std::size_t(channel)]);
        busy_[std::size_t(channel)] = false;
    }
}

// The channel counts as busy even when its play failed: such a channel never reports an end and
// stays silent from then on.
void modSound::playSound(std::int16_t sound) {
    if (sound < 0 || sound >= kChannels) return;
    if (busy_[std::size_t(sound)]) return;
    device_.play(sound);
    busy_[std::size_t(sound)] = true;
}

void modSound::soundDone(std::int16_t channel) {
    if (channel < 0 || channel >= kChannels) return;
    busy_[std::size_t(channel)] = false;
    device_.ended(channel);
}

}  // namespace vellix
