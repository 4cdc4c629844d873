#include "platform/sdl/SdlMixerSoundDevice.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>

#include <cstdio>

#include "media/WaveFile.h"

namespace vellix {

namespace {

// ALSA's error handler, as snd_lib_error_set_handler takes it.
using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int error, const char* format, ...);

void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// On a machine without a sound card ALSA, which SDL loads when it looks for a device, prints its
// errors on stderr. Loaded here first and told to keep quiet, it stays so when SDL loads it: the
// same library, which stays loaded (RTLD_NODELETE) when SDL lets it go.
void quietenAlsa() {
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_NODELETE);
    if (alsa == nullptr) return;  // SDL will not find it either
    if (void* setHandler = dlsym(alsa, "snd_lib_error_set_handler"))
        reinterpret_cast<int (*)(AlsaErrorHandler)>(setHandler)(ignoreAlsaError);
    dlclose(alsa);
}

std::string fileName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// The type of SDL event that reports a sound's end, registered once for the process: the mixer's
// callback carries no context to hold it.
std::uint32_t channelFinishedEvent() {
    static const std::uint32_t type = SDL_RegisterEvents(1);
    return type;
}

void postChannelFinished(int channel) {
    SDL_Event event{};
    event.type = channelFinishedEvent();
    event.user.code = channel;
    SDL_PushEvent(&event);
}

}  // namespace

std::optional<int> SdlMixerSoundDevice::finishedChannel(const SDL_Event& event) {
    if (event.type != channelFinishedEvent()) return std::nullopt;
    return event.user.code;
}

SdlMixerSoundDevice::SdlMixerSoundDevice() {
    channelFinishedEvent();
    quietenAlsa();
    if (!start()) std::fputs("vellix: no sound device could be opened; the game plays silently\n", stderr);
}

bool SdlMixerSoundDevice::start() {
    if (openDevice()) return true;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    // Overrides SDL_AUDIODRIVER from the environment too, which named a driver that failed.
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    openDevice();
    return false;
}

bool SdlMixerSoundDevice::openDevice() {
    if (SDL_WasInit(SDL_INIT_AUDIO) == 0 && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (Mix_OpenAudio(kRate, AUDIO_S16SYS, 2, kBufferFrames) != 0) return false;
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&frequency, &format, &channels);
    rate_ = frequency;
    bufferFrames_ = kBufferFrames;
    open_ = true;
    Mix_AllocateChannels(modSound::kChannels);
    Mix_ChannelFinished(postChannelFinished);
    return true;
}

void SdlMixerSoundDevice::closeDevice() {
    Mix_ChannelFinished(nullptr);
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
}

SdlMixerSoundDevice::~SdlMixerSoundDevice() {
    if (!open_) return;
    if (!closedForStandBy_) closeDevice();
    for (Mix_Chunk* chunk : chunks_) {
        if (chunk != nullptr) Mix_FreeChunk(chunk);
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// Even paused, SDL's audio thread wakes for every buffer; only a closed device lets it sleep.
void SdlMixerSoundDevice::standBy() {
    standingBy_ = true;
    if (isRunning() && Mix_Playing(-1) == 0) {
        closeDevice();
        closedForStandBy_ = true;
    }
}

void SdlMixerSoundDevice::ended(int) {
    if (standingBy_) standBy();
}

// The sounds were converted for the device as it was; one that comes back otherwise gets them anew.
void SdlMixerSoundDevice::wake() {
    standingBy_ = false;
    if (!closedForStandBy_) return;
    closedForStandBy_ = false;
    const int rate = rate_;
    open_ = false;
    start();
    if (open_ && rate_ != rate)
        for (int channel = 0; channel < modSound::kChannels; ++channel) load(channel, false);
}

void SdlMixerSoundDevice::open(int channel, const std::string& path) {
    if (!open_ || channel < 0 || channel >= modSound::kChannels) return;
    paths_[std::size_t(channel)] = path;
    load(channel, true);
}

// The file is read and checked here, and the mixer decodes it from memory: left to itself, the
// mixer would wait on a FIFO for ever, read a device until memory ran out, and convert a sound of
// any length and rate to the device's.
void SdlMixerSoundDevice::load(int channel, bool reportFailure) {
    Mix_Chunk*& chunk = chunks_[std::size_t(channel)];
    if (chunk != nullptr) Mix_FreeChunk(chunk);
    chunk = nullptr;  // a sound that cannot be loaded is silent
    const std::string& path = paths_[std::size_t(channel)];
    const SmallFile wave = readWaveFile(path);
    if (wave.wasRead())
        chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(wave.bytes.data(), int(wave.bytes.size())), 1);
    if (chunk == nullptr && reportFailure)
        std::fprintf(stderr, "vellix: no sound from %s: %s\n", fileName(path).c_str(),
                     wave.wasRead() ? Mix_GetError() : wave.refusal.c_str());
}

void SdlMixerSoundDevice::play(int channel) {
    if (!isRunning() || channel < 0 || channel >= modSound::kChannels) return;
    Mix_Chunk* chunk = chunks_[std::size_t(channel)];
    if (chunk != nullptr) Mix_PlayChannel(channel, chunk, 0);
}

std::string SdlMixerSoundDevice::driverName() const {
    const char* name = open_ ? SDL_GetCurrentAudioDriver() : nullptr;
    return name != nullptr ? name : "";
}

}  // namespace vellix
