#include "game/NewGameButton.h"

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

// A raised face with a light top-left bevel and a dark bottom-right one; sunken, the bevels swap
// and the caption moves one pixel down and right.
void NewGameButton::draw(Canvas& face, bool sunken) {
    const int w = twipsToPixels(kWidth);
    const int h = twipsToPixels(kHeight);
    Picture picture(w, h, sunken ? kFaceSunken : kFace);
    const Pixel topLeft = sunken ? kShadow : kLight;
    const Pixel bottomRight = sunken ? kLight : kShadow;
    for (int x = 0; x < w; ++x) {
        picture.at(x, 0) = kOutline;
        picture.at(x, h - 1) = kOutline;
        picture.at(x, 1) = topLeft;
        picture.at(x, h - 2) = bottomRight;
    }
    for (int y = 0; y < h; ++y) {
        picture.at(0, y) = kOutline;
        picture.at(w - 1, y) = kOutline;
        if (y > 0 && y < h - 1) {
            picture.at(1, y) = topLeft;
            picture.at(w - 2, y) = bottomRight;
        }
    }
    face.PaintPicture(picture, 0, 0, RasterOp::SRCCOPY);
    if (text_ == nullptr) return;
    const TextImage& caption = text_->get(kCaptionText);
    const int shift = sunken ? 1 : 0;
    face.setForeColor(kCaption);
    face.setCurrentX(pixelsToTwips((w - caption.width) / 2 + shift));
    face.setCurrentY(pixelsToTwips((h - caption.height) / 2 + shift));
    face.setTextCache(text_);
    face.Print(kCaptionText);
    face.setTextCache(nullptr);
}

void NewGameButton::layout(float fieldWidth, float fieldHeight) {
    top_ = Int(fieldHeight / 2 - kHeight / 2);
    left_ = Int(fieldWidth / 2 - kWidth / 2);
}

bool NewGameButton::contains(int x, int y) const {
    const int left = twipsToPixels(left_);
    const int top = twipsToPixels(top_);
    return x >= left && x < left + twipsToPixels(kWidth) && y >= top && y < top + twipsToPixels(kHeight);
}

}  // namespace vellix
