// present-clock: a preload library that times, from outside, every frame a program shows.
//
//   LD_PRELOAD=present-clock.so PRESENT_CLOCK_FILE=frames.log program
//
// Each call that puts a frame in the window appends one line "present <ns>", the
// CLOCK_MONOTONIC time in nanoseconds right after the real call returned:
//   SDL2:    SDL_UpdateWindowSurface, SDL_UpdateWindowSurfaceRects, SDL_RenderPresent
//   SDL 1.2: SDL_Flip, SDL_UpdateRect, SDL_UpdateRects
// A program that shows one frame with several calls (a rectangle at a time) writes several
// lines; the reader groups lines that lie close together into one frame.
//
// Opening the sound device appends "audio <samples> <rate> <via>" with what the device gave
// (the obtained buffer in sample frames and the rate), and Mix_OpenAudio appends
// "mixer-asked <chunksize> <rate>" with what the program asked for.
//
// The SDL 1.2 and SDL2 calls share a few names (SDL_OpenAudio, Mix_OpenAudio) and their
// SDL_AudioSpec has the same layout in both, so one wrapper serves both.
//
// Build: g++ -std=c++20 -O2 -shared -fPIC present-clock.cpp -o present-clock.so -ldl

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

// The fields of SDL_AudioSpec, the same in SDL 1.2 and SDL2.
struct AudioSpec {
    int freq;
    std::uint16_t format;
    std::uint8_t channels;
    std::uint8_t silence;
    std::uint16_t samples;
    std::uint16_t padding;
    std::uint32_t size;
    void (*callback)(void*, std::uint8_t*, int);
    void* userdata;
};

// One write per line, on a descriptor opened for appending: lines from several threads never mix.
void logLine(const char* line, int length) {
    static int fd = -2;
    if (fd == -2) {
        const char* path = std::getenv("PRESENT_CLOCK_FILE");
        fd = path != nullptr ? open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644) : -1;
    }
    if (fd >= 0 && length > 0) {
        const ssize_t written = write(fd, line, std::size_t(length));
        (void)written;
    }
}

long long monotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

void logPresent() {
    char line[64];
    logLine(line, std::snprintf(line, sizeof line, "present %lld\n", monotonicNanoseconds()));
}

void logAudio(const AudioSpec* format, const char* via) {
    if (format == nullptr) return;
    char line[96];
    logLine(line, std::snprintf(line, sizeof line, "audio %u %d %s\n", unsigned(format->samples), format->freq, via));
}

// The next definition of a function after this library: the real SDL's.
template <typename Function>
Function real(Function, const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

// SDL2: a frame drawn in software and copied to the window.
int SDL_UpdateWindowSurface(void* window) {
    static auto next = real(&SDL_UpdateWindowSurface, "SDL_UpdateWindowSurface");
    const int result = next != nullptr ? next(window) : -1;
    logPresent();
    return result;
}

int SDL_UpdateWindowSurfaceRects(void* window, const void* rects, int count) {
    static auto next = real(&SDL_UpdateWindowSurfaceRects, "SDL_UpdateWindowSurfaceRects");
    const int result = next != nullptr ? next(window, rects, count) : -1;
    logPresent();
    return result;
}

// SDL2: a frame drawn with a renderer.
void SDL_RenderPresent(void* renderer) {
    static auto next = real(&SDL_RenderPresent, "SDL_RenderPresent");
    if (next != nullptr) next(renderer);
    logPresent();
}

// SDL 1.2: the whole screen, one rectangle, or a list of rectangles.
int SDL_Flip(void* screen) {
    static auto next = real(&SDL_Flip, "SDL_Flip");
    const int result = next != nullptr ? next(screen) : -1;
    logPresent();
    return result;
}

void SDL_UpdateRect(void* screen, std::int32_t x, std::int32_t y, std::uint32_t w, std::uint32_t h) {
    static auto next = real(&SDL_UpdateRect, "SDL_UpdateRect");
    if (next != nullptr) next(screen, x, y, w, h);
    logPresent();
}

void SDL_UpdateRects(void* screen, int count, void* rects) {
    static auto next = real(&SDL_UpdateRects, "SDL_UpdateRects");
    if (next != nullptr) next(screen, count, rects);
    logPresent();
}

// The sound device: SDL 1.2 and SDL2's simple call (SDL_mixer 1.2 opens through it).
int SDL_OpenAudio(AudioSpec* desired, AudioSpec* obtained) {
    static auto next = real(&SDL_OpenAudio, "SDL_OpenAudio");
    const int result = next != nullptr ? next(desired, obtained) : -1;
    // Without an obtained format the device takes the desired one as it is.
    if (result == 0) logAudio(obtained != nullptr ? obtained : desired, "SDL_OpenAudio");
    return result;
}

// SDL2's device call (SDL_mixer 2 opens through it); it returns the device's id, 0 on failure.
std::uint32_t SDL_OpenAudioDevice(const char* device, int iscapture, const AudioSpec* desired, AudioSpec* obtained,
                                  int allowedChanges) {
    static auto next = real(&SDL_OpenAudioDevice, "SDL_OpenAudioDevice");
    const std::uint32_t id = next != nullptr ? next(device, iscapture, desired, obtained, allowedChanges) : 0;
    if (id != 0) logAudio(obtained != nullptr ? obtained : desired, "SDL_OpenAudioDevice");
    return id;
}

// SDL_mixer (1.2 and 2): what the program asked for.
int Mix_OpenAudio(int frequency, std::uint16_t format, int channels, int chunksize) {
    static auto next = real(&Mix_OpenAudio, "Mix_OpenAudio");
    char line[64];
    logLine(line, std::snprintf(line, sizeof line, "mixer-asked %d %d\n", chunksize, frequency));
    return next != nullptr ? next(frequency, format, channels, chunksize) : -1;
}

}  // extern "C"
