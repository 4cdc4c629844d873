#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "media/SoundPlayer.h"

namespace vellix {

// What plays the sounds: one channel per sound. A device never reports failure; a channel whose
// file could not be opened, or whose play failed, is simply silent and never reports an end.
class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual void open(int channel, const std::string& path) = 0;
    // Starts the channel's sound from its beginning and returns at once.
    virtual void play(int channel) = 0;
    // The end of the channel's sound, which the device reported, has been handled.
    virtual void ended(int /*channel*/) {}
    // No sound will be asked for until wake() (the game is over): a device may rest meanwhile.
    virtual void standBy() {}
    virtual void wake() {}
};

// The four sound channels. A channel plays one sound at a time: a request while it is busy is
// dropped, not queued, and the channel is free again once its device reports the end of the sound
// (soundDone, handled at a yield). Sound is never essential: every failure leaves it silent.
class modSound final : public SoundPlayer {
public:
    static constexpr int kChannels = 4;

    explicit modSound(SoundDevice& device) : device_(device) {}

    // Opens each channel with its wave file from `directory` and marks every channel free.
    void openSounds(const std::string& directory);
    void playSound(std::int16_t sound) override;
    // The device reports that `channel` has finished playing.
    void soundDone(std::int16_t channel);
    // At Game over no sound is asked for until the next game: the device may rest meanwhile.
    void standBy() { device_.standBy(); }
    void wake() { device_.wake(); }

    bool soundBusy(int channel) const { return busy_[std::size_t(channel)]; }

    // The wave file of each sound, by sound number.
    static constexpr std::array<const char*, kChannels> kFileNames = {"bounce.wav", "richochet.wav", "break.wav",
                                                                      "sink.wav"};

private:
    SoundDevice& device_;
    std::array<bool, kChannels> busy_{};
};

}  // namespace vellix
