#include "tools/sim/TraceWriter.h"

#include <string>

#include "game/GameDescription.h"

namespace vellix::sim {

void writeTraceLine(std::ostream& out, long frame, const Game& game) {
    std::string line = "{\"frame\":" + std::to_string(frame) + ",";
    appendJsonMembers(line, describe(game));
    line += "}\n";
    out << line;
}

}  // namespace vellix::sim
