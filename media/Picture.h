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
// so that a sprite's size can be added to a canvas position without conversion. A picture drawn
// for a denser screen keeps its size in twips (a brick is 1365 by 540 twips at any density) and
// has about density times the pixels each way.
class Picture {
public:
    Picture() = default;
    // A picture at 96 dpi: 15 twips to each pixel.
    Picture(int pixelWidth, int pixelHeight, Pixel fill = 0);
    // A picture of the given size in twips at `density`, with as many pixels as a canvas of that
    // density ever shows of it (see pixelsFor).
    static Picture ofTwips(float width, float height, double density, Pixel fill = 0);

    // A picture drawn whole on a canvas covers the device pixels from where its left edge falls
    // to where its right edge falls (Canvas.h), one more or one fewer as its place falls between
    // them. It has the larger number of pixels, ceil(twips * density / 15), so that it always
    // fills what it is given; where it is given one fewer, its last part of a pixel is left out.
    static int pixelsFor(float twips, double density);

    int pixelWidth() const { return width_; }
    int pixelHeight() const { return height_; }
    float Width() const { return twipsWidth_; }
    float Height() const { return twipsHeight_; }
    // Device pixels to each 96-dpi pixel.
    double density() const { return density_; }
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
    float twipsWidth_ = 0;
    float twipsHeight_ = 0;
    double density_ = 1;
    std::vector<Pixel> pixels_;
};

}  // namespace vellix
