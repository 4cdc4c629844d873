#include "tools/sim/SimCommand.h"

#include <cstdio>
#include <iostream>
#include <optional>
#include <sstream>

#include "media/SmallFile.h"
#include "tools/sim/Quoted.h"
#include "tools/sim/SimRun.h"
#include "tools/sim/TraceFile.h"

namespace vellix::sim {

namespace {

constexpr const char* kHelp = R"(usage: vellix-sim [options]
  --width T          canvas width in twips at start (default 9105)
  --height T         canvas height in twips at start (default 5010)
  --clock S          seconds since midnight that every seeding uses (default: the time of day)
  --frames N         stop after N drawn frames (default 1000)
  --script FILE      input events, one a line: "K move X", "K press", "K resize W H", "K newgame"
                     (a plain text file of at most 1 MB, its lines at most 4 KB)
  --trace FILE       one JSON line per drawn frame; '-' = standard output. The file is left
                     only by a run that did all it was asked
  --snapshot K:FILE  write the canvas as a PNG right after drawn frame K (may repeat); a frame
                     the run does not reach is an error
  --scale N          draw the canvas and the pictures at N device pixels to each 96-dpi pixel,
                     as for a screen that dense (default 1: the pictures built into the program;
                     not with --window); the game and its trace are the same at any scale
  --autoplay         follow the lowest falling ball; at Game over start a new game
  --window           show the run in a real window at 60 frames a second
)";

int fail(int status, const std::string& message) {
    std::fprintf(stderr, "vellix-sim: %s\n", message.c_str());
    return status;
}

// The script's events; nothing, with `error` saying why, for a bad one. Only a plain text file of
// sane size is a script: a folder, a FIFO or a device is refused unread.
std::optional<std::vector<ScriptEvent>> readScript(const std::string& path, std::string& error) {
    const SmallFile file = readSmallFile(path, kMaxScriptBytes);
    if (!file.wasRead()) {
        error = "cannot be read as a script: " + file.refusal;
        return std::nullopt;
    }
    std::istringstream in(std::string(file.bytes.begin(), file.bytes.end()));
    return parseScript(in, error);
}

}  // namespace

int runSimCommand(const std::vector<std::string>& args, SimProgram& program) {
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::fputs(kHelp, stdout);
            std::fputs(program.helpNote(), stdout);
            return 0;
        }
    }
    std::string error;
    std::optional<SimOptions> options = parseOptions(args, error);
    if (!options) return fail(2, error + " (see --help)");
    for (const Snapshot& snapshot : options->snapshots)
        if (error = program.checkSnapshot(snapshot); !error.empty()) return fail(2, error + " (see --help)");
    std::vector<ScriptEvent> script;
    if (!options->script.empty()) {
        std::optional<std::vector<ScriptEvent>> read = readScript(options->script, error);
        if (!read) return fail(2, quoted(options->script, 200) + ": " + error);
        script = std::move(*read);
    }
    SimScreen* screen = nullptr;
    if (options->window && (screen = program.screen(error)) == nullptr) return fail(1, error);
    if (screen != nullptr) options->density = screen->density();
    std::optional<TraceFile> traceFile;
    if (!options->trace.empty() && options->trace != "-" && !traceFile.emplace(options->trace).opened())
        return fail(2, "cannot write the trace " + quoted(options->trace, 200) + " (see --help)");
    std::ostream* trace = options->trace == "-" ? &std::cout : traceFile ? &traceFile->stream() : nullptr;

    SimRun run(*options, std::move(script), program.text(), screen);
    run.trace = trace;
    run.writeSnapshot = [&program](const Snapshot& snapshot, const Picture& canvas) {
        return program.writeSnapshot(snapshot, canvas);
    };
    const long drawn = run.run();
    if (!run.failure().empty()) return fail(1, run.failure());
    for (const Snapshot& snapshot : options->snapshots)
        if (snapshot.frame > drawn)
            return fail(1, "the run ended at frame " + std::to_string(drawn) + ", before the snapshot " +
                               std::to_string(snapshot.frame) + ":" + quoted(snapshot.file, 200));
    if (trace != nullptr) trace->flush();
    if ((trace != nullptr && !*trace) || (traceFile && !traceFile->keep()))
        return fail(1, "cannot write the trace " + quoted(options->trace, 200));
    return 0;
}

}  // namespace vellix::sim
