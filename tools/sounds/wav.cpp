#include "tools/sounds/wav.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace vellix::sounds {

namespace {

void put_u16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xff));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put_u32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>((v >> shift) & 0xff));
}

void putTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

}  // namespace

std::vector<std::int16_t> toPcm16(const Buffer& buf) {
    std::vector<std::int16_t> pcm;
    pcm.reserve(buf.size());
    for (double s : buf) {
        const double scaled = std::clamp(s, -1.0, 1.0) * 32767.0;
        pcm.push_back(static_cast<std::int16_t>(std::lround(scaled)));
    }
    return pcm;
}

std::vector<std::uint8_t> encodeWav(const std::vector<std::int16_t>& pcm, int sampleRate) {
    constexpr std::uint16_t channels = 1;
    constexpr std::uint16_t bits = 16;
    constexpr std::uint16_t blockAlign = channels * bits / 8;
    const auto dataBytes = static_cast<std::uint32_t>(pcm.size() * blockAlign);

    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    put_u32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put_u32(out, 16);  // fmt chunk size for plain PCM
    put_u16(out, 1);   // PCM
    put_u16(out, channels);
    put_u32(out, static_cast<std::uint32_t>(sampleRate));
    put_u32(out, static_cast<std::uint32_t>(sampleRate) * blockAlign);
    put_u16(out, blockAlign);
    put_u16(out, bits);
    putTag(out, "data");
    put_u32(out, dataBytes);
    for (std::int16_t s : pcm) put_u16(out, static_cast<std::uint16_t>(s));
    return out;
}

bool writeWav(const std::string& path, const Buffer& buf) {
    const std::vector<std::uint8_t> bytes = encodeWav(toPcm16(buf), kSampleRate);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return static_cast<bool>(file);
}

}  // namespace vellix::sounds
