#include "media/modSound.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace vellix {
namespace {

// Records what the channels ask of it, in order, and never reports the end of a sound by itself,
// like a device whose play failed.
struct RecordingDevice : SoundDevice {
    std::vector<std::string> log;
    void open(int c, const std::string& path) override { log.push_back(std::to_string(c) + " " + path); }
    void play(int c) override { log.push_back("play " + std::to_string(c)); }
};

TEST(SoundChannels, OpeningFreesEveryChannelAndABusyChannelDropsRequestsUntilItsSoundIsDone) {
    for (const char* directory : {"/opt/vellix", "/opt/vellix/"}) {
        RecordingDevice device;
        modSound sound(device);
        // Open the sounds (o), play a sound (p) or report its channel done (d); numbers outside the
        // channels are ignored, and the sink sound, never reported done, is heard once after opening.
        const std::pair<char, std::int16_t> steps[] = {
            {'p', kSoundSink},   {'o', 0},            {'p', kSoundSink},  {'p', kSoundBreak},  {'p', kSoundBreak},
            {'p', kSoundBounce}, {'d', kSoundBounce}, {'p', kSoundBreak}, {'p', kSoundBounce}, {'d', kSoundBreak},
            {'p', kSoundBreak},  {'p', 4}, {'d', 4}, {'p', -1}, {'d', -1}, {'p', -32768}, {'p', 99}, {'p', kSoundSink}};
        for (auto [step, n] : steps)
            step == 'o' ? sound.openSounds(directory) : step == 'p' ? sound.playSound(n) : sound.soundDone(n);
        const std::vector<std::string> expected = {"play 3", "0 /opt/vellix/bounce.wav", "1 /opt/vellix/richochet.wav",
                                                   "2 /opt/vellix/break.wav", "3 /opt/vellix/sink.wav", "play 3",
                                                   "play 2", "play 0", "play 0", "play 2"};
        EXPECT_EQ(device.log, expected) << directory;
    }
}

}  // namespace
}  // namespace vellix
