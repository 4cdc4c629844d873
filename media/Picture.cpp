#include "media/Picture.h"

#include <algorithm>

namespace vellix {

Picture::Picture(int pixelWidth, int pixelHeight, Pixel fill)
    : width_(std::max(pixelWidth, 0)),
      height_(std::max(pixelHeight, 0)),
      twipsWidth_(pixelsToTwips(width_)),
      twipsHeight_(pixelsToTwips(height_)),
      pixels_(std::size_t(width_) * std::size_t(height_), fill) {}

Picture Picture::ofTwips(float width, float height, double density, Pixel fill) {
    Picture picture(pixelsFor(width, density), pixelsFor(height, density), fill);
    picture.twipsWidth_ = width;
    picture.twipsHeight_ = height;
    picture.density_ = density;
    return picture;
}

int Picture::pixelsFor(float twips, double density) {
    const double exact = double(twips) * density / double(kTwipsPerPixel);
    return std::max(int(std::ceil(exact)), 0);
}

}  // namespace vellix
