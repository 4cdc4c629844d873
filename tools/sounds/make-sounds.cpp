// Renders Vellix's sound effects into WAV files.
//
// Usage: make-sounds <output-directory>
//
// Everything is synthesised from scratch with a fixed-seed noise source, so
// the output is byte-for-byte identical on every run.

#include <filesystem>
#include <iostream>
#include <system_error>

#include "tools/sounds/effects.h"
#include "tools/sounds/wav.h"

namespace {

struct Effect {
    const char* file;
    vellix::sounds::Buffer (*make)();
};

constexpr Effect kEffects[] = {
    {"bounce.wav", vellix::sounds::makeBounce},
    {"richochet.wav", vellix::sounds::makeRichochet},
    {"break.wav", vellix::sounds::makeBreak},
    {"sink.wav", vellix::sounds::makeSink},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << (argc > 0 ? argv[0] : "make-sounds") << " <output-directory>\n";
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        std::cerr << "make-sounds: cannot create " << dir.string() << ": " << ec.message() << "\n";
        return 1;
    }
    for (const Effect& effect : kEffects) {
        const std::filesystem::path path = dir / effect.file;
        if (!vellix::sounds::writeWav(path.string(), effect.make())) {
            std::cerr << "make-sounds: failed to write " << path.string() << "\n";
            return 1;
        }
    }
    return 0;
}
