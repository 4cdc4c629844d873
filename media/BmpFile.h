#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>

#include "media/Picture.h"

namespace vellix {

struct ImageFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads a Windows bitmap file, the form the game's pictures are built into the program in:
// uncompressed 24-bit and 32-bit files (a 32-bit file's alpha goes into the top byte of each
// pixel). Throws ImageFileError on anything else.
Picture decodeBmp(std::span<const std::uint8_t> file);

}  // namespace vellix
