#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tools/sim/SimOptions.h"

namespace vellix {
class Picture;
class TextCache;
}  // namespace vellix

namespace vellix::sim {

class SimScreen;

// What a vellix-sim program has besides the game: the desktop's writes PNG snapshots, prints text
// in the system's font and can show a run in a window; the one for node has none of these.
class SimProgram {
public:
    virtual ~SimProgram() = default;
    // Checked before the run: why the snapshot surely cannot be written, or "".
    virtual std::string checkSnapshot(const Snapshot& snapshot) = 0;
    // Why the picture could not be written, or "".
    virtual std::string writeSnapshot(const Snapshot& snapshot, const Picture& canvas) = 0;
    // The text the canvas prints in; null for none.
    virtual TextCache* text() = 0;
    // A window for --window, shown; null, with `error` saying why, where there is none (no display).
    virtual SimScreen* screen(std::string& error) = 0;
    // What --help adds about this program, if anything.
    virtual const char* helpNote() const { return ""; }
};

// Runs vellix-sim's command line (without the program's name): --help prints the usage; otherwise
// it reads the options and the script, plays the run and keeps its trace. Returns the exit status: 0 for a run that did all it was
// asked, 1 for one that failed, 2 for bad input; every failure is one line on stderr.
int runSimCommand(const std::vector<std::string>& args, SimProgram& program);

}  // namespace vellix::sim
