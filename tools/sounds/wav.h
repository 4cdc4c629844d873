// Minimal WAV writer: RIFF/WAVE, 16-bit signed PCM, mono, plain 44-byte header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/sounds/dsp.h"

namespace vellix::sounds {

// Converts [-1, 1] floating-point samples to rounded, clamped 16-bit PCM.
std::vector<std::int16_t> toPcm16(const Buffer& buf);

// Builds the complete file image (header followed by little-endian samples).
std::vector<std::uint8_t> encodeWav(const std::vector<std::int16_t>& pcm, int sampleRate);

// Writes the file; returns false if it could not be written completely.
bool writeWav(const std::string& path, const Buffer& buf);

}  // namespace vellix::sounds
