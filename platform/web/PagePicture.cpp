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
    const bool resized = field.pixelWidth() != width_ || field.pixelHeight() != height_;
    width_ = field.pixelWidth();
    height_ = field.pixelHeight();
    rgba_.resize(std::size_t(width_) * std::size_t(height_));
    drawnBefore_.resize(std::size_t(height_), 1);
    const bool button = frame.button != nullptr;
    changed_.clear();
    for (int y = 0; y < height_; ++y) {
        const bool drawn = (*frame.rowsDrawn)[std::size_t(y)] != 0;
        if (resized || drawn || drawnBefore_[std::size_t(y)] != 0 || button || buttonBefore_) {
            composeRow(frame, y);
            if (!changed_.empty() && changed_[changed_.size() - 2] + changed_.back() == y) ++changed_.back();
            else changed_.insert(changed_.end(), {y, 1});
        }
        drawnBefore_[std::size_t(y)] = drawn ? 1 : 0;
    }
    buttonBefore_ = button;
}

void PagePicture::composeRow(const Game::Frame& frame, int y) {
    std::uint32_t* to = rgba_.data() + std::size_t(y) * std::size_t(width_);
    toRgba(frame.field->row(y), to, std::size_t(width_));
    const Picture* button = frame.button;
    if (button == nullptr || y < frame.buttonY || y >= frame.buttonY + button->pixelHeight()) return;
    const int x0 = std::max(frame.buttonX, 0), x1 = std::min(frame.buttonX + button->pixelWidth(), width_);
    if (x1 > x0) toRgba(button->row(y - frame.buttonY) + (x0 - frame.buttonX), to + x0, std::size_t(x1 - x0));
}

}  // namespace vellix
