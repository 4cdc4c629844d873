#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vellix {

// A file read whole into memory, or why it was not. A file the game reads may have been replaced
// by anything: a link to a device that never ends, a FIFO that never opens, a huge file.
struct SmallFile {
    std::vector<std::uint8_t> bytes;  // the whole file, when it was read
    std::string refusal;              // otherwise why not, in a few words ("not a regular file")

    bool wasRead() const { return refusal.empty(); }
};

// Reads `path` whole if it is a regular file (links followed) of at most `maxBytes`. Anything else
// is refused without reading it and without waiting: a FIFO or a device is never read from.
SmallFile readSmallFile(const std::string& path, std::size_t maxBytes);

}  // namespace vellix
