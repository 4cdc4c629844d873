#pragma once

#include <cstdint>
#include <vector>

#include "game/Game.h"

namespace vellix {

// The picture the page's canvas shows, composed from the game's frame: the field with the New Game
// button over it, as the bytes R, G, B, A that the browser's ImageData holds. Only the rows that
// changed are composed anew and need to be put on the canvas: a row that held nothing but the
// background in the last picture and holds nothing else now is the same (most of a field is
// empty, and a phone's screen has millions of pixels); the rest of the picture stays as it was.
class PagePicture {
public:
    void compose(const Game::Frame& frame);

    const std::uint8_t* rgba() const { return reinterpret_cast<const std::uint8_t*>(rgba_.data()); }
    int width() const { return width_; }
    int height() const { return height_; }
    // The runs of rows composed anew, as pairs: first row, number of rows.
    const std::vector<std::int32_t>& changedRows() const { return changed_; }

private:
    void composeRow(const Game::Frame& frame, int y);

    std::vector<std::uint32_t> rgba_;
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> drawnBefore_;  // the field's rows drawn in the last picture
    std::vector<std::int32_t> changed_;
    bool buttonBefore_ = false;
};

}  // namespace vellix
