#include "tools/images/ImageFiles.h"

namespace vellix {

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

}  // namespace

std::vector<std::uint8_t> encodeBmp(const Picture& picture, bool withAlpha) {
    const int bits = withAlpha ? 32 : 24;
    const std::uint32_t headerSize = withAlpha ? 108 : 40;  // BITMAPV4HEADER carries the alpha mask
    const std::uint32_t dataOffset = 14 + headerSize;
    const std::size_t stride = (std::size_t(picture.pixelWidth()) * bits / 8 + 3) & ~std::size_t(3);
    const auto imageSize = std::uint32_t(stride * std::size_t(picture.pixelHeight()));

    std::vector<std::uint8_t> out;
    out.reserve(dataOffset + imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, dataOffset + imageSize);
    put32(out, 0);
    put32(out, dataOffset);
    put32(out, headerSize);
    put32(out, std::uint32_t(picture.pixelWidth()));
    put32(out, std::uint32_t(picture.pixelHeight()));  // bottom-up, as most readers expect
    put16(out, 1);
    put16(out, std::uint16_t(bits));
    put32(out, withAlpha ? kBiBitfields : kBiRgb);
    put32(out, imageSize);
    put32(out, 3780);  // 96 dpi
    put32(out, 3780);
    put32(out, 0);
    put32(out, 0);
    if (withAlpha) {
        put32(out, 0x00FF0000);
        put32(out, 0x0000FF00);
        put32(out, 0x000000FF);
        put32(out, 0xFF000000);
        put32(out, 0x73524742);  // 'sRGB'
        for (int i = 0; i < 12; ++i) put32(out, 0);
    }
    for (int y = picture.pixelHeight() - 1; y >= 0; --y) {
        const Pixel* row = picture.row(y);
        const std::size_t start = out.size();
        for (int x = 0; x < picture.pixelWidth(); ++x) {
            out.push_back(std::uint8_t(row[x]));
            out.push_back(std::uint8_t(row[x] >> 8));
            out.push_back(std::uint8_t(row[x] >> 16));
            if (withAlpha) out.push_back(std::uint8_t(row[x] >> 24));
        }
        out.resize(start + stride, 0);
    }
    return out;
}

}  // namespace vellix
