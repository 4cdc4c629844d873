// vellix-sim for node: the real game run headless from a script, writing its trace, built to
// WebAssembly as the page is, so that its trace can be set beside the native program's (they must
// be the same bytes). It has no window and writes no pictures; files are read and written directly.

#include <cstdio>
#include <string>
#include <vector>

#include "tools/sim/SimCommand.h"
#include "tools/sim/SimRun.h"

namespace {

using namespace vellix;
using namespace vellix::sim;

class NodeSim final : public SimProgram {
public:
    std::string checkSnapshot(const Snapshot&) override { return "--snapshot needs the desktop's vellix-sim"; }
    std::string writeSnapshot(const Snapshot&, const Picture&) override { return "no snapshots here"; }
    TextCache* text() override { return nullptr; }
    SimScreen* screen(std::string& error) override {
        error = "--window needs the desktop's vellix-sim";
        return nullptr;
    }
    const char* helpNote() const override { return "(--snapshot and --window need the desktop's vellix-sim.)\n"; }
};

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    NodeSim program;
    return runSimCommand(args, program);
}
