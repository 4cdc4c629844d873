#include "game/NewGameButton.h"

#include <algorithm>
#include <cmath>

#include "base/Arithmetic.h"
#include "base/Twips.h"
#include "media/TextCache.h"

namespace vellix {

namespace {
constexpr Pixel kFace = rgb(64, 72, 112);
constexpr Pixel kFaceSunken = rgb(48, 54, 88);
constexpr Pixel kLight = rgb(150, 160, 220);
constexpr Pixel kShadow = rgb(20, 22, 40);
constexpr Pixel kOutline = rgb(0, 0, 0);
constexpr Pixel kCaption = rgb(235, 238, 255);
constexpr const char* kCaptionText = "New Game";
}  // namespace

NewGameButton::NewGameButton() { setText(nullptr); }

void NewGameButton::setText(TextCache* text) {
    text_ = text;
    draw(up_, false);
    draw(down_, true);
}

void NewGameButton::setDensity(double density) {
    density_ = density;
    up_.setDensity(density);
    down_.setDensity(density);
    setText(text_);
}

// A raised face with a light top-left bevel and a dark bottom-right one, each a 96-dpi pixel wide
// (as many device pixels as come nearest, at least one), inside a black outline as wide; sunken,
// the bevels swap and the caption moves that much down and right.
void NewGameButton::draw(Canvas& face, bool sunken) {
    const int w = face.image().pixelWidth();
    const int h = face.image().pixelHeight();
    const int line = std::max(1, int(std::lround(density_)));
    Picture picture = Picture::ofTwips(kWidth, kHeight, density_, sunken ? kFaceSunken : kFace);
    const Pixel topLeft = sunken ? kShadow : kLight;
    const Pixel bottomRight = sunken ? kLight : kShadow;
    // The bevels, the sides' over the top's and the bottom's, and the outline around them.
    const auto band = [&](int x0, int y0, int x1, int y1, Pixel colour) {
        for (int y = std::max(y0, 0); y < std::min(y1, h); ++y)
            for (int x = std::max(x0, 0); x < std::min(x1, w); ++x) picture.at(x, y) = colour;
    };
    band(line, line, w - line, 2 * line, topLeft);
    band(line, h - 2 * line, w - line, h - line, bottomRight);
    band(line, line, 2 * line, h - line, topLeft);
    band(w - 2 * line, line, w - line, h - line, bottomRight);
    band(0, 0, w, line, kOutline);
    band(0, h - line, w, h, kOutline);
    band(0, 0, line, h, kOutline);
    band(w - line, 0, w, h, kOutline);
    face.PaintPicture(picture, 0, 0, RasterOp::SRCCOPY);
    if (text_ == nullptr) return;
    const TextImage& caption = text_->get(kCaptionText);
    const int shift = sunken ? line : 0;
    face.setForeColor(kCaption);
    face.setCurrentX(pixelsToTwips((w - caption.width) / 2 + shift, density_));
    face.setCurrentY(pixelsToTwips((h - caption.height) / 2 + shift, density_));
    face.setTextCache(text_);
    face.Print(kCaptionText);
    face.setTextCache(nullptr);
}

void NewGameButton::layout(float fieldWidth, float fieldHeight) {
    top_ = Int(fieldHeight / 2 - kHeight / 2);
    left_ = Int(fieldWidth / 2 - kWidth / 2);
}

bool NewGameButton::contains(int x, int y) const {
    const int left = pixelLeft(), top = pixelTop();
    return x >= left && x < left + up_.image().pixelWidth() && y >= top && y < top + up_.image().pixelHeight();
}

}  // namespace vellix
