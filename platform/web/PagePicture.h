#pragma once

#include <cstdint>
#include <vector>

#include "game/Game.h"

namespace vellix {

// The picture the page's canvas shows, composed from the game's frame: the field with the New Game
// button over it, as the bytes R, G, B, A that the browser's ImageData holds.
class PagePicture {
public:
    void compose(const Game::Frame& frame);

    const std::uint8_t* rgba() const { return reinterpret_cast<const std::uint8_t*>(rgba_.data()); }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    std::vector<std::uint32_t> rgba_;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace vellix
