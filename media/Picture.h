#pragma once

#include <cstdint>
#include <vector>

#include "base/Twips.h"

namespace vellix {

// One pixel as 0x00RRGGBB. Pictures that carry transparency (the window icon) keep an alpha value
// in the top byte; the game's sprites and the canvas leave it 0.
using Pixel = std::uint32_t;

constexpr Pixel rgb(int r, int g, int b) {
    return (Pixel(r & 0xFF) << 16) | (Pixel(g & 0xFF) << 8) | Pixel(b & 0xFF);
}

// A rectangle of pixels held in memory, rows from the top. It reports its size in twips too,
// so that a sprite's size can be added to a canvas position without conversion.
class Picture {
public:
    Picture() = default;
    Picture(int pixelWidth, int pixelHeight, Pixel fill = 0);

    int pixelWidth() const { return width_; }
    int pixelHeight() const { return height_; }
    float Width() const { return float(width_) * kTwipsPerPixel; }
    float Height() const { return float(height_) * kTwipsPerPixel; }
    bool empty() const { return width_ == 0 || height_ == 0; }

    Pixel at(int x, int y) const { return pixels_[index(x, y)]; }
    Pixel& at(int x, int y) { return pixels_[index(x, y)]; }
    const Pixel* row(int y) const { return pixels_.data() + index(0, y); }
    Pixel* row(int y) { return pixels_.data() + index(0, y); }
    const std::vector<Pixel>& pixels() const { return pixels_; }

    friend bool operator==(const Picture&, const Picture&) = default;

private:
    std::size_t index(int x, int y) const { return std::size_t(y) * std::size_t(width_) + std::size_t(x); }

    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
};

}  // namespace vellix
