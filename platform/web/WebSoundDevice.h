#pragma once

#include <functional>
#include <string>

#include "media/modSound.h"

namespace vellix {

// The sound channels on the browser's Web Audio, one source a sound. The end of a sound comes to
// the page as an event of its window, handled at the game's next yield. A browser lets a page
// sound only after a first gesture of the player: a sound asked for before it (or before its file
// has arrived) is dropped, as on a busy channel, and reported ended at once (onDropped), so that its
// channel is free again at the next yield; nothing is kept to sound later. A channel whose file could
// not be used (missing, or not a sound) reports no end, as on the desktop: it stays busy and silent.
class WebSoundDevice final : public SoundDevice {
public:
    // Fetches the file from the site, a path relative to the page.
    void open(int channel, const std::string& path) override;
    void play(int channel) override;
    // No sound will be asked for until wake() (the game is over): once the sounds still playing
    // have ended, the audio is suspended, so that nothing runs while the page waits.
    void standBy() override;
    void wake() override;

    // Where the end of a sound that could not start is reported.
    std::function<void(int channel)> onDropped;
};

}  // namespace vellix
