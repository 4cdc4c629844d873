#pragma once

#include <ostream>

namespace vellix {
class Game;
}

namespace vellix::sim {

// Writes one JSON line for a drawn frame: its number, then the whole state of the game as the
// frame shows it and every sound asked for since the previous line (see GameDescription).
void writeTraceLine(std::ostream& out, long frame, const Game& game);

}  // namespace vellix::sim
