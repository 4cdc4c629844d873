#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "media/modSound.h"

struct Mix_Chunk;
union SDL_Event;

namespace vellix {

// The sound channels on SDL_mixer: one mixer channel per sound. Opening the audio device falls
// back to SDL's silent dummy driver when no real device can be opened, so that the channels still
// play, end and report their ends on time, and the game behaves the same without sound. Each
// thing that leaves the game silent, no device or a sound file it will not play, is one line on
// stderr, said once.
//
// The end of a sound is reported as an SDL event: the mixer calls back from its audio thread (or
// from inside a play on the main thread), so the callback only posts the event to SDL's queue,
// and the program's loop, which reads that queue, hands it to the game (finishedChannel).
class SdlMixerSoundDevice final : public SoundDevice {
public:
    // The audio buffer, in sample frames: small, so that a sound starts within about 25 ms.
    static constexpr int kBufferFrames = 512;
    static constexpr int kRate = 44100;

    SdlMixerSoundDevice();
    ~SdlMixerSoundDevice() override;
    SdlMixerSoundDevice(const SdlMixerSoundDevice&) = delete;
    SdlMixerSoundDevice& operator=(const SdlMixerSoundDevice&) = delete;

    void open(int channel, const std::string& path) override;
    void play(int channel) override;
    void ended(int channel) override;

    // No sound will be asked for until wake() (the game is over): once the sounds still playing
    // have ended, the audio device is closed, so that nothing runs while the game waits.
    void standBy() override;
    // Opens the audio device again, if standBy() closed it, before the next sound is asked for.
    void wake() override;
    // Whether the audio device is open now (not closed by standBy()).
    bool isRunning() const { return open_ && !closedForStandBy_; }

    // Whether the mixer is running, on a real device or on the dummy driver.
    bool isOpen() const { return open_; }
    // The name of SDL's audio driver in use, or "" when none could be opened.
    std::string driverName() const;
    // The buffer size and rate the device was opened with.
    int bufferFrames() const { return bufferFrames_; }
    int rate() const { return rate_; }

    // The channel whose sound has ended, if `event` says so.
    static std::optional<int> finishedChannel(const SDL_Event& event);

private:
    // Opens the audio device, or else SDL's silent dummy one; false when it had to fall back.
    bool start();
    bool openDevice();
    void closeDevice();
    // (Re)loads the channel's sound from its file; the first time, says on stderr why it is silent.
    void load(int channel, bool reportFailure);

    bool open_ = false;
    bool standingBy_ = false;
    bool closedForStandBy_ = false;
    std::array<std::string, modSound::kChannels> paths_;
    int bufferFrames_ = 0;
    int rate_ = 0;
    std::array<Mix_Chunk*, modSound::kChannels> chunks_{};
};

}  // namespace vellix
