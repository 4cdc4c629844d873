#pragma once

#include <algorithm>
#include <array>

#include "media/Picture.h"

namespace vellix::testing {

// Left, top, right and bottom (the last two just past it) of the pixels (x, y) of `picture` for
// which `shows(x, y)` holds.
template <typename Shows> std::array<int, 4> boxWhere(const Picture& picture, Shows shows) {
    std::array<int, 4> box{picture.pixelWidth(), picture.pixelHeight(), 0, 0};
    for (int y = 0; y < picture.pixelHeight(); ++y)
        for (int x = 0; x < picture.pixelWidth(); ++x)
            if (shows(x, y))
                box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x + 1), std::max(box[3], y + 1)};
    return box;
}

}  // namespace vellix::testing
