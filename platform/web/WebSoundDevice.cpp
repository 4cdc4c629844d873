#include "platform/web/WebSoundDevice.h"

#include "platform/web/PageScript.h"

namespace vellix {

void WebSoundDevice::open(int channel, const std::string& path) { vellix_audio_open(channel, path.c_str()); }

void WebSoundDevice::play(int channel) {
    if (vellix_audio_play(channel) == 0 && onDropped) onDropped(channel);
}

void WebSoundDevice::standBy() { vellix_audio_stand_by(); }
void WebSoundDevice::wake() { vellix_audio_wake(); }

}  // namespace vellix
