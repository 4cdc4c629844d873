#include "platform/web/PagePicture.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "media/Picture.h"

namespace vellix {

namespace {

static_assert(std::endian::native == std::endian::little);

// 0x00RRGGBB to the bytes R, G, B and an opaque A, in memory order: red and blue change places.
std::uint32_t toRgba(Pixel pixel) {
    return 0xFF000000u | (pixel & 0x0000FF00u) | ((pixel >> 16) & 0xFFu) | ((pixel & 0xFFu) << 16);
}

// The same for a whole row, two pixels at a time in a 64-bit word: this pass over every pixel is a
// good part of a frame's work in a browser.
void toRgba(const Pixel* from, std::uint32_t* to, std::size_t count) {
    constexpr std::uint64_t kGreen = 0x0000FF000000FF00u, kLow = 0x000000FF000000FFu, kAlpha = 0xFF000000FF000000u;
    std::size_t i = 0;
    for (; i + 2 <= count; i += 2) {
        std::uint64_t two = 0;
        std::memcpy(&two, from + i, sizeof two);
        two = kAlpha | (two & kGreen) | ((two >> 16) & kLow) | ((two & kLow) << 16);
        std::memcpy(to + i, &two, sizeof two);
    }
    if (i < count) to[i] = toRgba(from[i]);
}

}  // namespace

void PagePicture::compose(const Game::Frame& frame) {
    const Picture& field = *frame.field;
    width_ = field.pixelWidth();
    height_ = field.pixelHeight();
    rgba_.resize(std::size_t(width_) * std::size_t(height_));
    toRgba(field.pixels().data(), rgba_.data(), rgba_.size());
    const Picture* button = frame.button;
    if (button == nullptr) return;
    const int x0 = std::max(frame.buttonX, 0), x1 = std::min(frame.buttonX + button->pixelWidth(), width_);
    if (x1 <= x0) return;
    for (int y = std::max(frame.buttonY, 0); y < std::min(frame.buttonY + button->pixelHeight(), height_); ++y) {
        const Pixel* from = button->row(y - frame.buttonY);
        std::uint32_t* to = rgba_.data() + std::size_t(y) * std::size_t(width_);
        toRgba(from + (x0 - frame.buttonX), to + x0, std::size_t(x1 - x0));
    }
}

}  // namespace vellix
