// vellix-sim for node: the real game run headless from a script, writing its trace, built to
// WebAssembly as the page is, so that its trace can be set beside the native program's (they must
// be the same bytes). No window, no snapshots; files are read and written directly.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tools/sim/SimRun.h"

namespace {

using namespace vellix::sim;

constexpr const char* kHelp = R"(usage: node vellix-sim.js [options]
  --width T          canvas width in twips at start (default 9105)
  --height T         canvas height in twips at start (default 5010)
  --clock S          seconds since midnight that every seeding uses (default: the time of day)
  --frames N         stop after N drawn frames (default 1000)
  --script FILE      input events, one a line: "K move X", "K press", "K resize W H", "K newgame"
  --trace FILE       one JSON line per drawn frame; '-' = standard output
  --autoplay         follow the lowest falling ball; at Game over start a new game
(--snapshot and --window need the desktop's vellix-sim.)
)";

int fail(int status, const std::string& message) {
    std::fprintf(stderr, "vellix-sim: %s\n", message.c_str());
    return status;
}

int simulate(const std::vector<std::string>& args) {
    SimOptions options;
    std::vector<ScriptEvent> script;
    try {
        options = parseOptions(args);
        if (options.window) throw UsageError{"--window needs the desktop's vellix-sim"};
        if (!options.script.empty()) {
            std::ifstream in(options.script);
            if (!in) return fail(2, "cannot read the script " + options.script);
            script = parseScript(in);
        }
    } catch (const UsageError& error) {
        return fail(2, error.message + " (see --help)");
    } catch (const ScriptError& error) {
        return fail(2, options.script + ": " + error.message);
    }

    std::ofstream traceFile;
    std::ostream* trace = nullptr;
    if (options.trace == "-") {
        trace = &std::cout;
    } else if (!options.trace.empty()) {
        traceFile.open(options.trace, std::ios::trunc);
        if (!traceFile) return fail(2, "cannot write the trace " + options.trace);
        trace = &traceFile;
    }
    SimRun run(options, std::move(script), nullptr);
    run.trace = trace;
    try {
        run.run();
    } catch (const SnapshotError& error) {
        return fail(1, error.message);
    }
    if (trace == nullptr) return 0;
    trace->flush();
    return *trace ? 0 : fail(1, "cannot write the trace " + options.trace);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::fputs(kHelp, stdout);
            return 0;
        }
    }
    return simulate(args);
}
