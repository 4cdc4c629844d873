#include <SDL.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
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
                if (const auto ended = SdlMixerSoundDevice::finishedChannel(e)) sound.soundDone(std::int16_t(*ended));
        return !sound.soundBusy(channel);
    }

    // What `run` writes on stderr.
    template <class Run> static std::string stderrOf(Run run) {
        const std::string file = ::testing::TempDir() + "vellix-sound-stderr-" + std::to_string(getpid());
        std::fflush(stderr);
        const int saved = dup(2), capture = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(capture, 2);
        close(capture);
        run();
        std::fflush(stderr);
        dup2(saved, 2);
        close(saved);
        std::string said{std::istreambuf_iterator<char>(std::ifstream(file).rdbuf()), {}};
        std::remove(file.c_str());
        return said;
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

// ALSA, on a machine with no sound card (here: asked for a device it does not have), would print
// a page of its errors; the game says one line of its own, and plays on SDL's silent dummy driver.
TEST_F(SdlSound, WithoutASoundCardTheOnlyLineOnStderrIsTheGamesOwn) {
    setenv("SDL_AUDIODRIVER", "alsa", 1);
    setenv("AUDIODEV", "vellix-no-such-device", 1);
    std::string driver;
    const std::string said = stderrOf([&] { driver = SdlMixerSoundDevice().driverName(); });
    unsetenv("AUDIODEV");
    EXPECT_EQ(said, "vellix: no sound device could be opened; the game plays silently\n");
    EXPECT_EQ(driver, "dummy");
}

// Each sound that cannot play is silent, its channel stays busy, and it is one line on stderr.
// The others play.
TEST_F(SdlSound, FilesThatCannotPlayAreSilentStayBusyAndAreSaidOnceEach) {
    const auto dir = std::filesystem::temp_directory_path() / ("vellix-sound-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "bounce.wav");  // empty
    std::ofstream(dir / "break.wav") << "RIFF\x10\0\0\0WAVEfmt garbage"s;
    std::filesystem::copy_file(std::filesystem::path(VELLIX_PROGRAM_DIR) / "richochet.wav", dir / "richochet.wav");
    SdlMixerSoundDevice device;
    modSound sound(device);
    const std::string said = stderrOf([&] {
        sound.openSounds(dir.string());
        sound.playSound(kSoundRicochet);
        waitForEnd(sound, kSoundRicochet, 3s);
    });
    EXPECT_FALSE(sound.soundBusy(kSoundRicochet)) << "the good sound did not play";
    EXPECT_EQ(said, "vellix: no sound from bounce.wav: not a WAV file\n"
                    "vellix: no sound from break.wav: a format chunk too short\n"
                    "vellix: no sound from sink.wav: cannot be opened: No such file or directory\n");
    for (std::int16_t n = 0; n < modSound::kChannels; ++n) sound.playSound(n);
    // Nothing played, so nothing ends: each channel stays busy and silent.
    EXPECT_FALSE(waitForEnd(sound, kSoundBounce, 300ms));
    for (int n : {kSoundBounce, kSoundBreak, kSoundSink}) EXPECT_TRUE(sound.soundBusy(n)) << n;
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vellix
