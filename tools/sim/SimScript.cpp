#include "tools/sim/SimScript.h"

#include <charconv>
#include <sstream>

#include "base/FloatText.h"
#include "tools/sim/Quoted.h"

namespace vellix::sim {

namespace {

bool readWhole(const std::string& text, long& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// Reads the next line, without its newline, into `line`; false at the end of the input, or with
// `error` set when the line goes past the limits of a script.
bool readLine(std::streambuf& in, std::string& line, std::size_t& total, long lineNumber, std::string& error) {
    line.clear();
    for (int c = in.sbumpc(); c != std::char_traits<char>::eof(); c = in.sbumpc()) {
        if (++total > kMaxScriptBytes) {
            error = "the script is longer than " + std::to_string(kMaxScriptBytes) + " bytes";
            return false;
        }
        if (c == '\n') return true;
        if (line.size() == kMaxScriptLineBytes) {
            error = "script line " + std::to_string(lineNumber) + " is longer than " +
                    std::to_string(kMaxScriptLineBytes) + " bytes";
            return false;
        }
        line += char(c);
    }
    return !line.empty();
}

// Reads one line's event; false with `why` set when the line is no event.
bool readEvent(const std::vector<std::string>& word, const std::string& line, long lastFrame, ScriptEvent& event,
               std::string& why) {
    if (!readWhole(word[0], event.frame) || event.frame < 1) {
        why = "the frame must be a whole number, 1 or more: " + quoted(word[0]);
        return false;
    }
    if (event.frame < lastFrame) {
        why = "the frame " + word[0] + " comes before the previous line's";
        return false;
    }
    const std::string what = word.size() > 1 ? word[1] : "";
    if (what == "move" && word.size() == 3) {
        event.kind = ScriptEvent::Kind::Move;
        if (readFloat(word[2], event.x)) return true;
        why = "move takes a number of twips: " + quoted(word[2]);
    } else if (what == "press" && word.size() == 2) {
        event.kind = ScriptEvent::Kind::Press;
        return true;
    } else if (what == "resize" && word.size() == 4) {
        event.kind = ScriptEvent::Kind::Resize;
        if (readFloat(word[2], event.width) && readFloat(word[3], event.height) && event.width >= 0 &&
            event.height >= 0)
            return true;
        why = "resize takes two sizes in twips, 0 or more";
    } else if (what == "newgame" && word.size() == 2) {
        event.kind = ScriptEvent::Kind::NewGame;
        return true;
    } else {
        why = "expected 'K move X', 'K press', 'K resize W H' or 'K newgame', not " + quoted(line);
    }
    return false;
}

}  // namespace

std::optional<std::vector<ScriptEvent>> parseScript(std::istream& in, std::string& error) {
    std::vector<ScriptEvent> events;
    std::string line;
    long lineNumber = 0;
    long lastFrame = 1;
    std::size_t total = 0;
    while (in.rdbuf() != nullptr && readLine(*in.rdbuf(), line, total, lineNumber + 1, error)) {
        ++lineNumber;
        if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::vector<std::string> word;
        for (std::string w; words >> w;) word.push_back(w);
        if (word.empty()) continue;
        ScriptEvent event;
        std::string why;
        if (!readEvent(word, line, lastFrame, event, why)) {
            error = "script line " + std::to_string(lineNumber) + ": " + why;
            return std::nullopt;
        }
        lastFrame = event.frame;
        events.push_back(event);
    }
    if (!error.empty()) return std::nullopt;
    return events;
}

}  // namespace vellix::sim
