#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "tests/sim/Invariants.h"
#include "tests/ui/Process.h"
#include "tools/sim/SimRun.h"

namespace vellix::sim {
namespace {

using testing::Invariants;

std::uint64_t fnv1a(const std::string& bytes, std::uint64_t hash = 0xcbf29ce484222325ull) {
    for (const unsigned char c : bytes) hash = (hash ^ c) * 0x100000001b3ull;
    return hash;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<ScriptEvent> script(const std::string& text) {
    std::istringstream in(text);
    return parseScript(in);
}

// A run without text, so that its pictures do not depend on the fonts installed.
std::string traceOf(const SimOptions& options, const std::vector<ScriptEvent>& events, Invariants* invariants = nullptr) {
    std::ostringstream trace;
    SimRun run(options, events, nullptr);
    run.trace = &trace;
    if (invariants != nullptr) run.onFrame = [&](long frame, GameState& game) { invariants->check(frame, game); };
    run.run();
    return trace.str();
}

TEST(Sim, AFixedClockAndScriptReplayExactly) {
    SimOptions options;
    options.clock = 36000;
    options.frames = 3000;
    options.autoplay = true;
    options.snapshots = {{2500, ::testing::TempDir() + "vellix-sim-2500.png"}};
    const auto events = script("30 move 6000\n200 press\n400 resize 12000 6000\n900 move 100\n1500 press\n");
    const std::string first = traceOf(options, events);
    const std::string picture = readFile(options.snapshots[0].file);
    EXPECT_EQ(first, traceOf(options, events));
    EXPECT_EQ(picture, readFile(options.snapshots[0].file));
    EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 3000);
    // Any change to a rule of the game, its arithmetic or its pictures changes these.
    EXPECT_EQ(fnv1a(first), 0x1e5e855faa6710acull) << std::hex << fnv1a(first);
    EXPECT_EQ(fnv1a(picture), 0xcbd107a536f2cb47ull) << std::hex << fnv1a(picture);
}

TEST(Sim, GameOverHandlesTheRestOfTheScriptAtOnce) {
    SimOptions options;
    options.clock = 500;
    options.frames = 100000;
    // No one steers: the game ends well before frame 99000, then the pointer moves and a new
    // game starts at once, whose frames follow.
    const std::string trace = traceOf(options, script("99000 move 4000\n99000 newgame\n"));
    const auto over = trace.find("\"state\":\"over\"");
    ASSERT_NE(over, std::string::npos);
    const std::string after = trace.substr(trace.find('\n', over) + 1);
    EXPECT_EQ(after.find("\"state\":\"playing\",\"level\":1,\"lives\":5,\"score\":0,\"mouseX\":4000,"),
              after.find("\"state\":"));
    EXPECT_NE(trace.rfind("\"state\":\"over\""), over);  // the second game ends too, and the run with it
}

TEST(Sim, AutoplaySoakKeepsEveryInvariant) {
    const char* frames = std::getenv("VELLIX_SOAK_FRAMES");
    SimOptions options;
    options.clock = 12345;
    options.autoplay = true;
    options.frames = frames != nullptr ? std::atol(frames) : 200000;
    Invariants invariants;
    SimRun run(options, {}, nullptr);
    run.onFrame = [&](long frame, GameState& game) { invariants.check(frame, game); };
    EXPECT_EQ(run.run(), options.frames);
    EXPECT_EQ(invariants.checked, options.frames);
    EXPECT_GT(run.game().level + run.game().score, 50);  // the autoplayer really plays
}

TEST(Sim, RandomScriptsKeepEveryInvariant) {
    std::mt19937 random(2024);
    auto pick = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); };
    for (int runIndex = 0; runIndex < 60; ++runIndex) {
        std::ostringstream text;
        for (long frame = 1; frame < 300; frame += long(pick(1, 25))) {
            const double what = pick(0, 1);
            // Sizes from nothing to huge, mostly of a window's order.
            const double scale = pick(0, 1) < 0.1 ? 1e7 : 3e4;
            if (what < 0.5) text << frame << " move " << pick(-2e6, 2e6) << "\n";
            else if (what < 0.7) text << frame << " press\n";
            else if (what < 0.95) text << frame << " resize " << pick(0, scale) << " " << pick(0, scale) << "\n";
            else text << frame << " newgame\n";
        }
        SimOptions options;
        options.clock = std::uint32_t(pick(0, 86399));
        options.frames = 300;
        options.autoplay = runIndex % 2 == 0;
        Invariants invariants;
        SCOPED_TRACE(text.str());
        traceOf(options, script(text.str()), &invariants);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

TEST(Sim, BadCommandLinesAndScriptsAreRefusedInOneLine) {
    const std::string dir = ::testing::TempDir();
    std::ofstream(dir + "bad.script") << "# a comment\n\n5 move 100\n3 press\n";
    std::ofstream(dir + "unknown.script") << "5 jump\n";
    const std::vector<std::vector<std::string>> cases = {
        {"--frames", "0"}, {"--frames=ten"}, {"--width", "-5"}, {"--clock", "86400"}, {"--snapshot", "12"},
        {"--bogus"},       {"--autoplay=1"}, {"--script", dir + "missing.script"},
        {"--script", dir + "bad.script"},    {"--script=" + dir + "unknown.script"}};
    for (std::vector<std::string> args : cases) {
        const std::string trace = dir + "refused.trace";
        std::remove(trace.c_str());
        args.insert(args.end(), {"--trace", trace});
        testing::Process sim(VELLIX_SIM, {}, dir + "refused.err", args);
        EXPECT_EQ(sim.waitForExit(std::chrono::seconds(20)), 2) << args[0];
        const std::string said = readFile(dir + "refused.err");
        EXPECT_EQ(said.find("vellix-sim: "), 0u) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
        EXPECT_FALSE(std::ifstream(trace).good()) << args[0];
        if (args[1] == dir + "bad.script") {
            EXPECT_NE(said.find("line 4"), std::string::npos) << said;
        }
    }
}

}  // namespace
}  // namespace vellix::sim
