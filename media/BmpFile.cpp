#include "media/BmpFile.h"

#include <cstring>

namespace vellix {

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

std::uint32_t read32(std::span<const std::uint8_t> data, std::size_t at) {
    if (at + 4 > data.size()) throw ImageFileError("bitmap file is truncated");
    return std::uint32_t(data[at]) | std::uint32_t(data[at + 1]) << 8 | std::uint32_t(data[at + 2]) << 16 |
           std::uint32_t(data[at + 3]) << 24;
}

std::uint16_t read16(std::span<const std::uint8_t> data, std::size_t at) {
    if (at + 2 > data.size()) throw ImageFileError("bitmap file is truncated");
    return std::uint16_t(data[at] | data[at + 1] << 8);
}

// The value of the field that `mask` selects, scaled to 8 bits.
std::uint32_t field(std::uint32_t value, std::uint32_t mask) {
    if (mask == 0) return 0xFF;
    int shift = 0;
    while (((mask >> shift) & 1u) == 0) ++shift;
    const std::uint32_t max = mask >> shift;
    return ((value & mask) >> shift) * 255u / max;
}

}  // namespace

Picture decodeBmp(std::span<const std::uint8_t> file) {
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') throw ImageFileError("not a bitmap file");
    const std::uint32_t dataOffset = read32(file, 10);
    const std::uint32_t headerSize = read32(file, 14);
    const auto width = std::int32_t(read32(file, 18));
    const auto rawHeight = std::int32_t(read32(file, 22));
    const std::uint16_t bits = read16(file, 28);
    const std::uint32_t compression = read32(file, 30);
    if (width <= 0 || rawHeight == 0 || width > 65536 || rawHeight > 65536 || rawHeight < -65536)
        throw ImageFileError("bitmap has an unusable size");
    if (bits != 24 && bits != 32) throw ImageFileError("bitmap is not 24 or 32 bits a pixel");

    std::uint32_t masks[4] = {0xFF0000, 0xFF00, 0xFF, 0};  // red, green, blue, alpha
    if (compression == kBiBitfields && bits == 32) {
        const std::size_t at = headerSize >= 52 ? 54 : 14 + headerSize;
        for (int i = 0; i < 3; ++i) masks[i] = read32(file, at + 4 * std::size_t(i));
        masks[3] = headerSize >= 56 ? read32(file, 54 + 12) : 0;
    } else if (compression != kBiRgb) {
        throw ImageFileError("bitmap is compressed");
    }

    const bool bottomUp = rawHeight > 0;
    const int height = bottomUp ? rawHeight : -rawHeight;
    const std::size_t stride = (std::size_t(width) * bits / 8 + 3) & ~std::size_t(3);
    if (dataOffset + stride * std::size_t(height) > file.size()) throw ImageFileError("bitmap file is truncated");

    Picture picture(width, height);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = file.data() + dataOffset + stride * std::size_t(bottomUp ? height - 1 - y : y);
        Pixel* dst = picture.row(y);
        for (int x = 0; x < width; ++x) {
            if (bits == 24) {
                const std::uint8_t* p = src + 3 * x;
                dst[x] = rgb(p[2], p[1], p[0]);
            } else {
                std::uint32_t v;
                std::memcpy(&v, src + 4 * x, 4);
                const std::uint32_t alpha = masks[3] != 0 ? field(v, masks[3]) : 0;
                dst[x] = alpha << 24 | field(v, masks[0]) << 16 | field(v, masks[1]) << 8 | field(v, masks[2]);
            }
        }
    }
    return picture;
}

}  // namespace vellix
