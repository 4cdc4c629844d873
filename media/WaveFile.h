#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "media/SmallFile.h"

namespace vellix {

// What a sound file may hold. Room for a short sound effect; and a rate and length that keep a
// mixer's decoding, and its conversion to the device's rate, small and quick whatever the file says
// (a sound of 1 frame a second becomes 44,100 times larger at the device's rate).
inline constexpr std::size_t kMaxWaveFileBytes = 4 * 1024 * 1024;
inline constexpr double kMaxWaveSeconds = 10;
inline constexpr std::uint32_t kMinWaveRate = 8000;
inline constexpr std::uint32_t kMaxWaveRate = 192000;
inline constexpr std::uint16_t kMaxWaveChannels = 8;

// Reads a sound file whole, for a mixer to decode from memory: a regular file of at most
// kMaxWaveFileBytes that checkWave accepts. Never waits on a FIFO or reads a device.
SmallFile readWaveFile(const std::string& path);

// Why `bytes` are not a sound the game plays, in a few words; "" when they are one: a WAV file of
// uncompressed samples (8, 16, 24 or 32-bit integers, or 32-bit floats) in 1 to kMaxWaveChannels
// channels, kMinWaveRate to kMaxWaveRate frames a second, at most kMaxWaveSeconds long. As a
// mixer does, it takes the first format chunk, the first data chunk after it, and as much of that
// data as the file holds.
std::string checkWave(std::span<const std::uint8_t> bytes);

}  // namespace vellix
