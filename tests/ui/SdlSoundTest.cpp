#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "media/SdlMixerSoundDevice.h"
#include "media/modSound.h"

namespace vellix {
namespace {

namespace fs = std::filesystem;

// The real mixer on SDL's silent dummy driver, which plays in real time and reports each end.
class SdlSound : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    }
    void TearDown() override { SDL_Quit(); }

    // Handles events like the window's yields do, until `channel` reports its end or time runs out.
    static bool waitForEnd(modSound& sound, int channel, std::chrono::milliseconds limit) {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < until) {
            SDL_Event event;
            while (SDL_PollEvent(&event) != 0) {
                if (event.type == SdlMixerSoundDevice::channelFinishedEvent()) sound.soundDone(std::int16_t(event.user.code));
            }
            if (!sound.soundBusy(channel)) return true;
            SDL_Delay(5);
        }
        return false;
    }
};

TEST_F(SdlSound, AChannelIsBusyUntilItsSoundEndsThenPlaysAgain) {
    SdlMixerSoundDevice device;
    ASSERT_TRUE(device.isOpen());
    modSound sound(device);
    sound.openSounds(VELLIX_PROGRAM_DIR);

    sound.playSound(kSoundBounce);
    sound.playSound(kSoundBreak);
    EXPECT_TRUE(sound.soundBusy(kSoundBounce));
    EXPECT_TRUE(sound.soundBusy(kSoundBreak));
    EXPECT_FALSE(sound.soundBusy(kSoundSink));

    ASSERT_TRUE(waitForEnd(sound, kSoundBounce, std::chrono::seconds(3)));
    sound.playSound(kSoundBounce);
    EXPECT_TRUE(sound.soundBusy(kSoundBounce));
    EXPECT_TRUE(waitForEnd(sound, kSoundBounce, std::chrono::seconds(3)));
}

TEST_F(SdlSound, StartsWithinTwentyFiveMilliseconds) {
    SdlMixerSoundDevice device;
    ASSERT_TRUE(device.isOpen());
    EXPECT_LE(double(device.bufferFrames()) / device.rate(), 0.025);
}

TEST_F(SdlSound, FallsBackToTheDummyDriverWhenNoDeviceOpens) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SdlMixerSoundDevice device;
    EXPECT_TRUE(device.isOpen());
    EXPECT_EQ(device.driverName(), "dummy");
}

TEST_F(SdlSound, MissingOrCorruptFilesAreSilentAndStayBusy) {
    const fs::path dir = fs::temp_directory_path() / ("vellix-sound-test-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "bounce.wav") << "";  // empty
    std::ofstream(dir / "break.wav") << "RIFF\x10\0\0\0WAVEfmt garbage";
    SdlMixerSoundDevice device;
    modSound sound(device);
    sound.openSounds(dir.string());
    for (std::int16_t n = 0; n < modSound::kChannels; ++n) sound.playSound(n);
    // Nothing played, so nothing ends: each channel stays busy and silent.
    EXPECT_FALSE(waitForEnd(sound, kSoundBounce, std::chrono::milliseconds(300)));
    EXPECT_TRUE(sound.soundBusy(kSoundBreak));
    EXPECT_TRUE(sound.soundBusy(kSoundSink));
    fs::remove_all(dir);
}

}  // namespace
}  // namespace vellix
