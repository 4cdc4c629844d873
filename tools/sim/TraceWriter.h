#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

namespace vellix {
class GameState;
}

namespace vellix::sim {

// Writes one JSON line per drawn frame: the whole state of the game as the frame shows it, and
// every sound asked for since the previous line. Floats are written so that they read back as the
// same 32-bit float.
void writeTraceLine(std::ostream& out, long frame, GameState& game, float mouseX,
                    const std::vector<std::int16_t>& sounds);

}  // namespace vellix::sim
