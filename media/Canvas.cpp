#include "media/Canvas.h"

#include <algorithm>
#include <cstring>

#include "base/Twips.h"
#include "media/TextCache.h"

namespace vellix {

namespace {

// Applies `op` to a run of canvas pixels with a run of source pixels.
void combine(Pixel* dst, const Pixel* src, int count, RasterOp op) {
    switch (op) {
        case RasterOp::SRCCOPY:
            std::memcpy(dst, src, std::size_t(count) * sizeof(Pixel));
            break;
        case RasterOp::SRCAND:
            for (int i = 0; i < count; ++i) dst[i] &= src[i];
            break;
        case RasterOp::SRCPAINT:
            for (int i = 0; i < count; ++i) dst[i] |= src[i];
            break;
    }
}

// Applies `op` to a run of canvas pixels with a black source (what lies outside a picture).
void combineBlack(Pixel* dst, int count, RasterOp op) {
    if (op != RasterOp::SRCPAINT) std::fill(dst, dst + count, Pixel(0));
}

}  // namespace

Canvas::Canvas(float widthTwips, float heightTwips, int maxPixels)
    : width_(widthTwips), height_(heightTwips), maxPixels_(maxPixels),
      image_(imagePixels(widthTwips), imagePixels(heightTwips), kBackColor),
      rowsDrawn_(std::size_t(image_.pixelHeight()), 0) {}

int Canvas::imagePixels(float twips) const { return std::clamp(pixels(twips), 0, maxPixels_); }

void Canvas::setDensity(double density) {
    density_ = density;
    image_ = Picture(imagePixels(width_), imagePixels(height_), kBackColor);
    rowsDrawn_.assign(std::size_t(image_.pixelHeight()), 0);
}

void Canvas::resize(float widthTwips, float heightTwips) {
    width_ = widthTwips;
    height_ = heightTwips;
    Picture resized(imagePixels(widthTwips), imagePixels(heightTwips), kBackColor);
    const int keepW = std::min(resized.pixelWidth(), image_.pixelWidth());
    const int keepH = std::min(resized.pixelHeight(), image_.pixelHeight());
    // An image with no width has rows of nothing and no memory for them: nothing to copy from or to.
    for (int y = 0; y < keepH && keepW > 0; ++y)
        std::memcpy(resized.row(y), image_.row(y), std::size_t(keepW) * sizeof(Pixel));
    image_ = std::move(resized);
    rowsDrawn_.assign(std::size_t(image_.pixelHeight()), 1);
}

void Canvas::Cls() {
    std::fill(image_.row(0), image_.row(0) + image_.pixels().size(), kBackColor);
    std::fill(rowsDrawn_.begin(), rowsDrawn_.end(), 0);
    currentX_ = 0;
    currentY_ = 0;
}

void Canvas::PaintPicture(const Picture& picture, float x, float y, RasterOp op) {
    const int dx = pixels(x), dy = pixels(y);
    const int width = std::min(pixels(double(x) + double(picture.Width())) - dx, picture.pixelWidth());
    const int height = std::min(pixels(double(y) + double(picture.Height())) - dy, picture.pixelHeight());
    paint(picture, dx, dy, width, height, 0, 0, op);
}

void Canvas::PaintPicture(const Picture& picture, float x, float y, float w, float h, float sx, float sy,
                          RasterOp op) {
    const int dx = pixels(x), dy = pixels(y);
    // At 96 dpi a part keeps the size it has always had, floor(w / 15) pixels. At any other
    // density it spans from its left edge's pixel to its right edge's, as a whole picture does, so
    // that a paddle's pieces, laid side by side in twips, touch on the canvas too.
    const int width = density_ == 1 ? pixels(w) : pixels(double(x) + double(w)) - dx;
    const int height = density_ == 1 ? pixels(h) : pixels(double(y) + double(h)) - dy;
    paint(picture, dx, dy, width, height, twipsToPixels(sx, picture.density()), twipsToPixels(sy, picture.density()),
          op);
}

void Canvas::paint(const Picture& picture, int dx, int dy, int width, int height, int srcX, int srcY, RasterOp op) {
    if (width <= 0 || height <= 0) return;

    // The part of the destination that lies on the image.
    const int x0 = std::max(dx, 0);
    const int x1 = std::min(dx + width, image_.pixelWidth());
    const int y0 = std::max(dy, 0);
    const int y1 = std::min(dy + height, image_.pixelHeight());
    if (x0 >= x1 || y0 >= y1) return;

    // Of that part, the columns whose source lies inside the picture; the rest reads black.
    const int offset = srcX - dx;  // source column = canvas column + offset
    const int inside0 = std::clamp(-offset, x0, x1);
    const int inside1 = std::clamp(picture.pixelWidth() - offset, inside0, x1);
    std::fill(rowsDrawn_.begin() + y0, rowsDrawn_.begin() + y1, 1);

    for (int row = y0; row < y1; ++row) {
        Pixel* dst = image_.row(row);
        const int sourceRow = srcY + (row - dy);
        if (sourceRow < 0 || sourceRow >= picture.pixelHeight()) {
            combineBlack(dst + x0, x1 - x0, op);
            continue;
        }
        combineBlack(dst + x0, inside0 - x0, op);
        combine(dst + inside0, picture.row(sourceRow) + inside0 + offset, inside1 - inside0, op);
        combineBlack(dst + inside1, x1 - inside1, op);
    }
}

void Canvas::Print(std::string_view text) {
    if (text_ != nullptr) {
        if (!text.empty()) blendText(pixels(currentX_), pixels(currentY_), text_->get(text));
        currentY_ += float(double(text_->lineHeight()) * double(kTwipsPerPixel) / density_);
    }
    currentX_ = 0;
}

void Canvas::blendText(int x, int y, const TextImage& text) {
    const int x0 = std::max(x, 0);
    const int x1 = std::min(x + text.width, image_.pixelWidth());
    const int y0 = std::max(y, 0);
    const int y1 = std::min(y + text.height, image_.pixelHeight());
    const int fore[3] = {int(foreColor_ >> 16) & 0xFF, int(foreColor_ >> 8) & 0xFF, int(foreColor_) & 0xFF};
    if (y0 < y1) std::fill(rowsDrawn_.begin() + y0, rowsDrawn_.begin() + y1, 1);
    for (int row = y0; row < y1; ++row) {
        Pixel* dst = image_.row(row);
        const std::uint8_t* cover = text.coverage.data() + std::size_t(row - y) * std::size_t(text.width);
        for (int col = x0; col < x1; ++col) {
            const int a = cover[col - x];
            if (a == 0) continue;
            Pixel out = 0;
            for (int c = 0; c < 3; ++c) {
                const int shift = 16 - 8 * c;
                const int under = int(dst[col] >> shift) & 0xFF;
                out |= Pixel((under * (255 - a) + fore[c] * a + 127) / 255) << shift;
            }
            dst[col] = out;
        }
    }
}

}  // namespace vellix
