#include "tools/sim/SimScript.h"

#include <charconv>
#include <cmath>
#include <sstream>

namespace vellix::sim {

namespace {

bool readWhole(const std::string& text, long& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool readNumber(const std::string& text, float& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

}  // namespace

std::vector<ScriptEvent> parseScript(std::istream& in) {
    std::vector<ScriptEvent> events;
    std::string line;
    long lineNumber = 0;
    long lastFrame = 1;
    while (std::getline(in, line)) {
        ++lineNumber;
        const auto fail = [&](const std::string& why) {
            return ScriptError{"script line " + std::to_string(lineNumber) + ": " + why};
        };
        if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::vector<std::string> word;
        for (std::string w; words >> w;) word.push_back(w);
        if (word.empty()) continue;

        ScriptEvent event;
        if (!readWhole(word[0], event.frame) || event.frame < 1)
            throw fail("the frame must be a whole number, 1 or more: '" + word[0] + "'");
        if (event.frame < lastFrame) throw fail("the frame " + word[0] + " comes before the previous line's");
        lastFrame = event.frame;
        const std::string what = word.size() > 1 ? word[1] : "";
        if (what == "move" && word.size() == 3) {
            event.kind = ScriptEvent::Kind::Move;
            if (!readNumber(word[2], event.x)) throw fail("move takes a number of twips: '" + word[2] + "'");
        } else if (what == "press" && word.size() == 2) {
            event.kind = ScriptEvent::Kind::Press;
        } else if (what == "resize" && word.size() == 4) {
            event.kind = ScriptEvent::Kind::Resize;
            if (!readNumber(word[2], event.width) || !readNumber(word[3], event.height) || event.width < 0 ||
                event.height < 0)
                throw fail("resize takes two sizes in twips, 0 or more");
        } else if (what == "newgame" && word.size() == 2) {
            event.kind = ScriptEvent::Kind::NewGame;
        } else {
            throw fail("expected 'K move X', 'K press', 'K resize W H' or 'K newgame'");
        }
        events.push_back(event);
    }
    return events;
}

}  // namespace vellix::sim
