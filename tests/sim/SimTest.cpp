#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "tests/sim/Invariants.h"
#include "tests/support/Pictures.h"
#include "tests/support/Process.h"
#include "tools/images/ImageFiles.h"
#include "tools/sim/SimRun.h"
#include "tools/sim/SnapshotFile.h"

// The run options below name only what differs from the defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace vellix::sim {
namespace {

using namespace testing;

// A run of a script without text, so that its pictures do not depend on the fonts installed; each
// drawn frame is checked against `invariants`, if given.
std::string traceOf(const SimOptions& options, const std::string& script, Invariants* invariants = nullptr) {
    std::istringstream in(script);
    std::string error;
    std::ostringstream trace;
    SimRun run(options, parseScript(in, error).value(), nullptr);
    run.trace = &trace;
    run.writeSnapshot = writePngSnapshot;
    if (invariants != nullptr) run.onFrame = [&](long frame, const Game& game) { invariants->check(frame, game); };
    run.run();
    return trace.str();
}

TEST(Sim, AFixedClockAndScriptReplayExactly) {
    const std::string snapshot = ::testing::TempDir() + "vellix-sim-2500.png";
    const SimOptions options{.clock = 36000, .frames = 3000, .snapshots = {{2500, snapshot}}, .autoplay = true};
    const std::string script = "30 move 6000\n200 press\n400 resize 12000 6000\n900 move 100\n1500 press\n";
    const std::string first = traceOf(options, script), picture = readFile(snapshot);
    EXPECT_EQ(first, traceOf(options, script));
    EXPECT_EQ(picture, readFile(snapshot));
    EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 3000);
    // The field keeps its size in twips on a denser screen, and the sprites theirs: the game is the same.
    SimOptions dense = options;
    dense.density = 2.625, dense.snapshots = {};
    EXPECT_EQ(first, traceOf(dense, script));

    // Any change to a rule of the game, its arithmetic or its pictures changes these; one meant to
    // be comes with the new hashes (vellix-sim --trace and --snapshot show where a run differs).
    const Picture shown = decodePng(std::vector<std::uint8_t>(picture.begin(), picture.end()));
    EXPECT_EQ(fnv1a(first), 0x1e5e855faa6710acull);
    EXPECT_EQ(pixelHash(shown), 0x120a413a2116e6a5ull) << snapshot;
}

TEST(Sim, AutoplaySoakKeepsEveryInvariant) {
    const char* soak = std::getenv("VELLIX_SOAK_FRAMES");
    const SimOptions options{.clock = 12345, .frames = soak != nullptr ? std::atol(soak) : 200000, .autoplay = true};
    Invariants invariants;
    SimRun run(options, {}, nullptr);
    long best = 0;  // the best level and score of any game in the run: the autoplayer really plays
    run.onFrame = [&](long frame, const Game& game) {
        invariants.check(frame, game);
        best = std::max(best, long(game.state().getLevel()) + long(game.state().score));
    };
    EXPECT_EQ(run.run(), options.frames);
    EXPECT_EQ(invariants.checked, options.frames);
    EXPECT_GT(best, 50);
}

TEST(Sim, RandomScriptsKeepEveryInvariant) {
    std::mt19937 random(2024);
    auto pick = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); };
    for (int runIndex = 0; runIndex < 60 && !::testing::Test::HasFatalFailure(); ++runIndex) {
        std::ostringstream text;
        for (long frame = 1; frame < 300; frame += long(pick(1, 25))) {
            const double what = pick(0, 1);
            // Sizes from nothing (a window can shrink to no field at all: under 15 twips is no pixel)
            // to huge, mostly of a window's order.
            const double band = pick(0, 1), scale = band < 0.1 ? 1e7 : band < 0.15 ? 30 : 3e4;
            if (what < 0.5) text << frame << " move " << pick(-2e6, 2e6) << "\n";
            else if (what < 0.7) text << frame << " press\n";
            else if (what < 0.95) text << frame << " resize " << pick(0, scale) << " " << pick(0, scale) << "\n";
            else text << frame << " newgame\n";
        }
        Invariants invariants;
        SCOPED_TRACE(text.str());
        traceOf({.width = runIndex % 3 == 0 ? 0.0f : 9105.0f, .clock = std::uint32_t(pick(0, 86399)), .frames = 300,
                 .autoplay = runIndex % 2 == 0},
                text.str(), &invariants);
    }
}

// The files in `dir` whose names start with `prefix`.
std::vector<std::string> filesIn(const std::string& dir, const std::string& prefix = "") {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (const std::string name = entry.path().filename().string(); name.starts_with(prefix)) names.push_back(name);
    std::sort(names.begin(), names.end());
    return names;
}

// Each refusal is one line that names the option or the input at fault, quoted: printable, short,
// whatever the input holds. No trace is left.
TEST(Sim, BadCommandLinesAndScriptsAreRefusedInOneLine) {
    const std::string dir = ::testing::TempDir(), trace = dir + "refused.trace";
    std::ofstream(dir + "bad.script") << "# a comment\n\n5 move 100\n3 press\n";
    std::ofstream(dir + "unknown.script") << "5 jump\n";
    std::ofstream(dir + "escape.script") << "\033]0;PWNED\007 press\n";
    std::ofstream(dir + "number.script") << std::string(4000, '7') << " press\n";
    std::ofstream(dir + "line.script") << "5 move " << std::string(kMaxScriptLineBytes, '1') << "\n";
    const std::pair<std::vector<std::string>, std::string> refusals[] = {
        {{"--frames", "0"}, "--frames takes a whole number from 1 to 1000000000000: '0'"},
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--snapshot", "5:/nonexistent/x.png"}, "--snapshot 5:'/nonexistent/x.png': no such folder"},
        {{"--script", dir + "missing.script"}, "cannot be read as a script: cannot be opened"},
        {{"--script", dir + "line.script"}, "script line 1 is longer than 4096 bytes"},
        {{"--script", dir + "bad.script"}, "script line 4: the frame 3 comes before the previous line's"},
        {{"--script=" + dir + "unknown.script"}, "or 'K newgame', not '5 jump'"},
        {{"--script", dir + "escape.script"}, "1 or more: '\\x1b]0;PWNED\\x07'"},
        {{"--script", dir + "number.script"}, "1 or more: '" + std::string(40, '7') + "'...\n"},
    };
    for (auto [args, expected] : refusals) {
        std::remove(trace.c_str());
        args.insert(args.end(), {"--trace", trace});
        testing::Process sim(VELLIX_SIM, {}, dir + "refused.err", args);
        EXPECT_EQ(sim.waitForExit(std::chrono::seconds(20)), 2) << args[0];
        const std::string said = readFile(dir + "refused.err");
        EXPECT_EQ(said.find("vellix-sim: "), 0u) << said;
        EXPECT_NE(said.find(expected), std::string::npos) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
        EXPECT_TRUE(std::all_of(said.begin(), said.end() - 1, [](char c) { return c >= 0x20 && c < 0x7F; })) << said;
        EXPECT_LT(said.size(), 300u);
        EXPECT_EQ(filesIn(dir, "refused.trace"), std::vector<std::string>{}) << args[0];
    }
    // The limits hold for a script from anywhere, not only from a file.
    std::istringstream blank(std::string(kMaxScriptBytes + 1, '\n'));
    std::string error;
    EXPECT_FALSE(parseScript(blank, error));
    EXPECT_EQ(error, "the script is longer than 1048576 bytes");
}

// A run that could not do all it was asked leaves no trace behind; one that could leaves it whole,
// under its own name alone.
TEST(Sim, OnlyARunThatDidAllItWasAskedLeavesItsTrace) {
    const std::string dir = ::testing::TempDir() + "vellix-sim-kept/", trace = dir + "trace";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    // No one steers, so the game is over and the run ends long before frame 99999.
    testing::Process missed(VELLIX_SIM, {}, dir + "err",
                            {"--clock", "500", "--frames", "100000", "--snapshot", "99999:" + dir + "x.png", "--trace", trace});
    EXPECT_EQ(missed.waitForExit(std::chrono::seconds(60)), 1);
    const std::string said = readFile(dir + "err");
    EXPECT_EQ(said.find("vellix-sim: the run ended at frame "), 0u) << said;
    EXPECT_NE(said.find(", before the snapshot 99999:'" + dir + "x.png'\n"), std::string::npos) << said;
    EXPECT_EQ(filesIn(dir), std::vector<std::string>{"err"});

    // A field of no width is a field still: a window can be that small. Its picture, of no pixel,
    // is written as one transparent pixel.
    testing::Process narrow(VELLIX_SIM, {}, dir + "err",
                            {"--width", "0", "--frames", "5", "--trace", trace, "--snapshot", "5:" + dir + "empty.png"});
    EXPECT_EQ(narrow.waitForExit(std::chrono::seconds(60)), 0) << readFile(dir + "err");
    const std::string lines = readFile(trace), empty = readFile(dir + "empty.png");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 5);
    EXPECT_EQ(decodePng(std::vector<std::uint8_t>(empty.begin(), empty.end()), true), Picture(1, 1, 0));
    EXPECT_EQ(filesIn(dir), (std::vector<std::string>{"empty.png", "err", "trace"}));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vellix::sim
