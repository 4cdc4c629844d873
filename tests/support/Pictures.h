#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

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

inline std::uint64_t fnv1a(const std::string& bytes, std::uint64_t hash = 0xcbf29ce484222325ull) {
    for (const unsigned char c : bytes) hash = (hash ^ c) * 0x100000001b3ull;
    return hash;
}

// The pixels as a picture holds them (0x00RRGGBB, least significant byte first), hashed.
inline std::uint64_t pixelHash(const Picture& picture) {
    std::string bytes;
    for (const Pixel p : picture.pixels())
        for (int shift = 0; shift < 32; shift += 8) bytes += char(p >> shift & 0xFF);
    return fnv1a(bytes);
}

}  // namespace vellix::testing
