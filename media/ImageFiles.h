#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

#include "media/Picture.h"

namespace vellix {

struct ImageFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Windows bitmap files, the form the game's pictures are kept in. Reads uncompressed 24-bit and
// 32-bit files (a 32-bit file's alpha goes into the top byte of each pixel). Throws ImageFileError
// on anything else.
Picture decodeBmp(std::span<const std::uint8_t> file);
// A 24-bit file, or a 32-bit file that keeps the alpha in the pixels' top byte.
std::vector<std::uint8_t> encodeBmp(const Picture& picture, bool withAlpha = false);

// A PNG file: 8-bit RGB, or RGBA from the pixels' top byte.
std::vector<std::uint8_t> encodePng(const Picture& picture, bool withAlpha = false);

}  // namespace vellix
