#pragma once

#include <cstddef>
#include <istream>
#include <optional>
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

// A script longer than these is no script a person wrote or a test made.
inline constexpr std::size_t kMaxScriptBytes = 1024 * 1024;
inline constexpr std::size_t kMaxScriptLineBytes = 4096;

// Reads a script: one event a line ("K move X", "K press", "K resize W H", "K newgame"), '#'
// starting a comment, blank lines ignored, K a whole number >= 1 that never decreases. Nothing,
// with `error` naming the line and the bad input in it quoted, for a bad script; it reads no
// further than the limits.
std::optional<std::vector<ScriptEvent>> parseScript(std::istream& in, std::string& error);

}  // namespace vellix::sim
