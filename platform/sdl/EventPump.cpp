#include "platform/sdl/EventPump.h"

#include <SDL.h>

#include "game/Game.h"
#include "platform/sdl/SdlMixerSoundDevice.h"
#include "platform/sdl/SdlWindow.h"

namespace vellix {

void pumpEvents(Game& game, SdlWindow& window) {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (const auto windowEvent = window.translate(event)) game.post(*windowEvent);
        else if (const auto channel = SdlMixerSoundDevice::finishedChannel(event))
            game.post(WindowEvent::soundDone(*channel));
    }
}

}  // namespace vellix
