#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "media/modSound.h"
#include "platform/sdl/SdlMixerSoundDevice.h"

namespace vellix {
namespace {

using namespace std::literals;

// The real mixer on SDL's silent dummy driver, which plays in real time and reports each end.
class SdlSound : public ::testing::Test {
protected:
    void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0); }
    void TearDown() override { SDL_Quit(); }

    // Handles events like the window's yields do, until `channel` reports its end or time runs out.
    static bool waitForEnd(modSound& sound, int channel, std::chrono::milliseconds limit) {
        const auto until = std::chrono::steady_clock::now() + limit;
        for (SDL_Event e; sound.soundBusy(channel) && std::chrono::steady_clock::now() < until; SDL_Delay(5))
            while (SDL_PollEvent(&e) != 0)
                if (e.type == SdlMixerSoundDevice::channelFinishedEvent()) sound.soundDone(std::int16_t(e.user.code));
        return !sound.soundBusy(channel);
    }

    // How many of SDL's audio devices are open, playing or paused.
    static int openAudioDevices() {
        int open = 0;
        for (SDL_AudioDeviceID id = 1; id < 64; ++id) open += SDL_GetAudioDeviceStatus(id) != SDL_AUDIO_STOPPED;
        return open;
    }
};

// At Game over the audio device is closed once the last sound has ended, so that no thread wakes
// while the game waits; it opens again for the next game, whose sounds play as before.
TEST_F(SdlSound, StandingByClosesTheDeviceOnceTheLastSoundHasEndedAndWakingOpensIt) {
    SdlMixerSoundDevice device;
    modSound sound(device);
    sound.openSounds(VELLIX_PROGRAM_DIR);
    sound.playSound(kSoundSink);
    device.standBy();
    EXPECT_TRUE(device.isRunning()) << "closed while the sink sound was playing";
    ASSERT_TRUE(waitForEnd(sound, kSoundSink, 3s));
    EXPECT_EQ(std::pair(device.isRunning(), openAudioDevices()), std::pair(false, 0));
    device.wake();
    EXPECT_EQ(std::pair(device.isRunning(), openAudioDevices()), std::pair(true, 1));
    sound.playSound(kSoundBounce);
    EXPECT_TRUE(waitForEnd(sound, kSoundBounce, 3s)) << "no sound after waking";
}

// No device opens on a driver that does not exist, so the mixer runs on the dummy one; either way
// its buffer lets a sound start within 25 ms.
TEST_F(SdlSound, FallsBackToTheDummyDriverWhenNoDeviceOpensAndStartsWithinTwentyFiveMilliseconds) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SdlMixerSoundDevice device;
    EXPECT_EQ(device.driverName(), "dummy");  // "" when nothing opened
    EXPECT_LE(double(device.bufferFrames()) / device.rate(), 0.025);
}

TEST_F(SdlSound, MissingOrCorruptFilesAreSilentAndStayBusy) {
    const auto dir = std::filesystem::temp_directory_path() / ("vellix-sound-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "bounce.wav");  // empty; break.wav corrupt, the others missing
    std::ofstream(dir / "break.wav") << "RIFF\x10\0\0\0WAVEfmt garbage"s;
    SdlMixerSoundDevice device;
    modSound sound(device);
    sound.openSounds(dir.string());
    for (std::int16_t n = 0; n < modSound::kChannels; ++n) sound.playSound(n);
    // Nothing played, so nothing ends: each channel stays busy and silent.
    EXPECT_FALSE(waitForEnd(sound, kSoundBounce, 300ms));
    for (int n = 0; n < modSound::kChannels; ++n) EXPECT_TRUE(sound.soundBusy(n)) << n;
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vellix
