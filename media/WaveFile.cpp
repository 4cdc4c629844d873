#include "media/WaveFile.h"

#include <algorithm>
#include <cstring>

namespace vellix {

namespace {

constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kFloat = 3;
constexpr std::uint16_t kExtensible = 0xFFFE;  // the real format is the first two bytes of its subformat

std::uint16_t u16(std::span<const std::uint8_t> b, std::size_t at) { return std::uint16_t(b[at] | b[at + 1] << 8); }
std::uint32_t u32(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t(u16(b, at)) | std::uint32_t(u16(b, at + 2)) << 16;
}
bool isTag(std::span<const std::uint8_t> b, std::size_t at, const char* tag) { return std::memcmp(&b[at], tag, 4) == 0; }

struct Format {
    std::uint16_t encoding = 0, channels = 0, blockAlign = 0, bits = 0;
    std::uint32_t rate = 0;
};

// Why the format cannot be played as it stands; "" when it can.
std::string checkFormat(const Format& f) {
    const bool pcm = f.encoding == kPcm && (f.bits == 8 || f.bits == 16 || f.bits == 24 || f.bits == 32);
    const bool floats = f.encoding == kFloat && f.bits == 32;
    if (!pcm && !floats) return "not uncompressed 8 to 32-bit samples";
    if (f.channels < 1 || f.channels > kMaxWaveChannels) return std::to_string(f.channels) + " channels";
    if (f.blockAlign != f.channels * f.bits / 8) return "a frame size that does not fit its samples";
    if (f.rate < kMinWaveRate || f.rate > kMaxWaveRate)
        return "a rate of " + std::to_string(f.rate) + " Hz, not " + std::to_string(kMinWaveRate) + " to " +
               std::to_string(kMaxWaveRate);
    return "";
}

}  // namespace

std::string checkWave(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 12 || !isTag(bytes, 0, "RIFF") || !isTag(bytes, 8, "WAVE")) return "not a WAV file";
    bool haveFormat = false;
    Format format;
    // Chunks: a tag, a 32-bit size, the body, a pad byte after an odd size. 64-bit sums: no wrap.
    for (std::uint64_t at = 12; at + 8 <= bytes.size();) {
        const std::size_t body = std::size_t(at + 8);
        const std::uint32_t size = u32(bytes, body - 4);
        const std::size_t present = std::size_t(std::min<std::uint64_t>(size, bytes.size() - body));
        if (isTag(bytes, std::size_t(at), "fmt ") && !haveFormat) {
            if (present < 16) return "a format chunk too short";
            format = {u16(bytes, body), u16(bytes, body + 2), u16(bytes, body + 12), u16(bytes, body + 14),
                      u32(bytes, body + 4)};
            if (format.encoding == kExtensible) format.encoding = present >= 26 ? u16(bytes, body + 24) : 0;
            haveFormat = true;
            if (std::string why = checkFormat(format); !why.empty()) return why;
        } else if (isTag(bytes, std::size_t(at), "data")) {
            if (!haveFormat) return "sound data before its format";
            const double seconds = double(present / format.blockAlign) / double(format.rate);
            if (seconds > kMaxWaveSeconds)
                return "longer than " + std::to_string(int(kMaxWaveSeconds)) + " seconds";
            return "";
        }
        at = body + std::uint64_t(size) + (size & 1);
    }
    return haveFormat ? "no sound data" : "no format chunk";
}

SmallFile readWaveFile(const std::string& path) {
    SmallFile file = readSmallFile(path, kMaxWaveFileBytes);
    if (file.wasRead()) file.refusal = checkWave(file.bytes);
    if (!file.wasRead()) file.bytes.clear();
    return file;
}

}  // namespace vellix
