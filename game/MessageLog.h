#pragma once

#include <array>
#include <string>

namespace vellix {

// The six-line message log printed at the bottom of the field: line 0 the newest. A message
// stays until six newer ones have pushed it out; the log is never cleared, not even by a new game.
class MessageLog {
public:
    static constexpr int kLines = 6;

    // Pushes every line one down (the oldest falls off) and puts `text` on top.
    void showMessage(std::string text);

    const std::string& operator[](int line) const { return lines_[std::size_t(line)]; }

private:
    std::array<std::string, kLines> lines_;
};

}  // namespace vellix
