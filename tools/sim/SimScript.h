#pragma once

#include <istream>
#include <string>
#include <vector>

namespace vellix::sim {

// One input event of a script, due after drawn frame `frame`.
struct ScriptEvent {
    enum class Kind { Move, Press, Resize, NewGame };
    long frame = 0;
    Kind kind = Kind::Move;
    float x = 0;       // Move: the pointer's x in twips
    float width = 0;   // Resize: the canvas's new size in twips
    float height = 0;
};

// Reads a script: one event a line ("K move X", "K press", "K resize W H", "K newgame"), '#'
// starting a comment, blank lines ignored, K a whole number >= 1 that never decreases. Throws
// ScriptError naming the line.
std::vector<ScriptEvent> parseScript(std::istream& in);

struct ScriptError {
    std::string message;
};

}  // namespace vellix::sim
