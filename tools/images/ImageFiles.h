#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "media/BmpFile.h"
#include "media/Picture.h"

namespace vellix {

// The picture files the tools write: the game's sprites as bitmaps, the icons, snapshots and the
// README's pictures as PNG. With `withAlpha` the pixels' top byte is kept as each pixel's alpha.

// A 24-bit bitmap file, or a 32-bit one that keeps the alpha.
std::vector<std::uint8_t> encodeBmp(const Picture& picture, bool withAlpha = false);

// An 8-bit RGB or RGBA PNG file. Throws ImageFileError if the picture cannot be encoded.
std::vector<std::uint8_t> encodePng(const Picture& picture, bool withAlpha = false);
// Reads an 8-bit RGB or RGBA PNG file (alpha into the top byte). Throws ImageFileError.
Picture decodePng(std::span<const std::uint8_t> file, bool withAlpha = false);

}  // namespace vellix
