#include "tools/sim/SimOptions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <string_view>

#include "base/FloatText.h"
#include "tools/sim/Quoted.h"

namespace vellix::sim {

namespace {

// The most frames a run may take: a million million, or as many as a long holds where it has 32
// bits (WebAssembly).
constexpr long kMostFrames = long(std::min<long long>(1'000'000'000'000, std::numeric_limits<long>::max()));

// Each reader takes the option's name and its text, and fills `error` when it cannot read it.
struct Reader {
    std::string& error;

    bool fail(const std::string& why) {
        if (error.empty()) error = why;
        return false;
    }

    // A finite, non-negative number of twips.
    float twips(const std::string& option, const std::string& text) {
        float value = 0;
        if (!readFloat(text, value) || value < 0) fail(option + " takes a number of twips, 0 or more: " + quoted(text));
        return value;
    }

    long whole(const std::string& option, const std::string& text, long lowest, long highest) {
        long value = 0;
        const auto [end, result] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (result != std::errc() || end != text.data() + text.size() || value < lowest || value > highest)
            fail(option + " takes a whole number from " + std::to_string(lowest) + " to " + std::to_string(highest) +
                 ": " + quoted(text));
        return value;
    }

    // A screen's density: device pixels to each 96-dpi pixel, above 0 and at most twice the densest
    // phone's.
    float scale(const std::string& text) {
        float value = 0;
        if (!readFloat(text, value) || !(value > 0) || value > 8) fail("--scale takes a number above 0, at most 8: " + quoted(text));
        return value;
    }

    Snapshot snapshot(const std::string& text) {
        const auto colon = text.find(':');
        if (colon == std::string::npos || colon + 1 == text.size()) {
            fail("--snapshot takes K:FILE: " + quoted(text));
            return {};
        }
        return {whole("--snapshot", text.substr(0, colon), 1, kMostFrames), text.substr(colon + 1)};
    }
};

constexpr std::array<std::string_view, 8> kValued = {"--width",  "--height", "--clock",    "--frames",
                                                     "--script", "--trace",  "--snapshot", "--scale"};

}  // namespace

std::optional<SimOptions> parseOptions(const std::vector<std::string>& args, std::string& error) {
    SimOptions options;
    Reader read{error};
    for (std::size_t i = 0; i < args.size() && error.empty(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (const auto equals = name.find('='); name.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        const bool flag = name == "--autoplay" || name == "--window";
        // Named before its value is looked for: the word after an unknown option is no value of it.
        if (!flag && std::find(kValued.begin(), kValued.end(), name) == kValued.end()) {
            read.fail("unknown option " + quoted(name));
            break;
        }
        if (flag) {
            if (value) read.fail(name + " takes no value");
            (name == "--autoplay" ? options.autoplay : options.window) = true;
            continue;
        }
        if (!value) {
            if (i + 1 >= args.size()) {
                read.fail(name + " needs a value");
                break;
            }
            value = args[++i];
        }
        if (name == "--width") options.width = read.twips(name, *value);
        else if (name == "--height") options.height = read.twips(name, *value);
        else if (name == "--clock") options.clock = std::uint32_t(read.whole(name, *value, 0, 86399));
        else if (name == "--frames") options.frames = read.whole(name, *value, 1, kMostFrames);
        else if (name == "--script") options.script = *value;
        else if (name == "--trace") options.trace = *value;
        else if (name == "--snapshot") options.snapshots.push_back(read.snapshot(*value));
        else if (name == "--scale") options.density = read.scale(*value);
        if ((name == "--script" || name == "--trace") && value->empty()) read.fail(name + " needs a file");
    }
    if (options.window && options.density != 1)
        read.fail("--scale is for a run without a window: a window is drawn at its own screen's density");
    for (const Snapshot& shot : options.snapshots)
        if (error.empty() && shot.frame > options.frames)
            read.fail("--snapshot " + std::to_string(shot.frame) + " comes after the last frame, " +
                      std::to_string(options.frames));
    if (!error.empty()) return std::nullopt;
    return options;
}

}  // namespace vellix::sim
