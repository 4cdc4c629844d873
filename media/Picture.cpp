#include "media/Picture.h"

#include <algorithm>

namespace vellix {

Picture::Picture(int pixelWidth, int pixelHeight, Pixel fill)
    : width_(std::max(pixelWidth, 0)),
      height_(std::max(pixelHeight, 0)),
      pixels_(std::size_t(width_) * std::size_t(height_), fill) {}

}  // namespace vellix
