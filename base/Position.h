#pragma once

namespace vellix {

// The centre of a ball, in twips from the canvas's top-left corner.
struct Position {
    float x = 0;
    float y = 0;
};

}  // namespace vellix
