#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vellix::sim {

// A picture of the canvas to write right after a drawn frame.
struct Snapshot {
    long frame = 0;
    std::string file;
};

// What the command line asks for.
struct SimOptions {
    float width = 9105;   // canvas width in twips at start
    float height = 5010;  // canvas height in twips at start
    std::optional<std::uint32_t> clock;  // seconds since midnight for every seeding; none: the time of day
    long frames = 1000;
    std::string script;  // "" for none
    std::string trace;   // "" for none, "-" for standard output
    std::vector<Snapshot> snapshots;
    bool autoplay = false;
    bool window = false;
    double density = 1;  // device pixels to each 96-dpi pixel of the canvas and the pictures
};

// Reads the command line; nothing, with `error` naming the problem, when it cannot.
std::optional<SimOptions> parseOptions(const std::vector<std::string>& args, std::string& error);

}  // namespace vellix::sim
