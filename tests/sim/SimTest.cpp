#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "tests/sim/Golden.h"
#include "tests/sim/Invariants.h"
#include "tests/support/Process.h"
#include "tools/images/ImageFiles.h"
#include "tools/sim/SimRun.h"
#include "tools/sim/SnapshotFile.h"

// The run options below name only what differs from the defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace vellix::sim {
namespace {

using testing::Invariants;

std::uint64_t fnv1a(const std::string& bytes, std::uint64_t hash = 0xcbf29ce484222325ull) {
    for (const unsigned char c : bytes) hash = (hash ^ c) * 0x100000001b3ull;
    return hash;
}

// The pixels as the canvas holds them (0x00RRGGBB, least significant byte first), hashed.
std::uint64_t pixelHash(const Picture& picture) {
    std::string bytes;
    for (const Pixel p : picture.pixels())
        for (int shift = 0; shift < 32; shift += 8) bytes += char(p >> shift & 0xFF);
    return fnv1a(bytes);
}

std::string readFile(const std::string& path) {
    return {std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}};
}

// A run of a script without text, so that its pictures do not depend on the fonts installed; each
// drawn frame is checked against `invariants`, if given.
std::string traceOf(const SimOptions& options, const std::string& script, Invariants* invariants = nullptr) {
    std::istringstream in(script);
    std::ostringstream trace;
    SimRun run(options, parseScript(in), nullptr);
    run.trace = &trace;
    run.writeSnapshot = writePngSnapshot;
    if (invariants != nullptr) run.onFrame = [&](long frame, GameState& game) { invariants->check(frame, game); };
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

    // Any change to a rule of the game, its arithmetic or its pictures changes these. The golden
    // run is kept beside this test, so that a change is shown where it first appears; after a
    // change meant to be, VELLIX_UPDATE_GOLDEN=1 writes the new golden run there.
    const Picture shown = decodePng(std::vector<std::uint8_t>(picture.begin(), picture.end()));
    if (std::getenv("VELLIX_UPDATE_GOLDEN") != nullptr) {
        writeGzip(kGoldenTrace, first);
        std::ofstream(kGoldenPicture, std::ios::binary) << picture;
    }
    EXPECT_EQ(fnv1a(first), 0x1e5e855faa6710acull) << firstDifference(readGzip(kGoldenTrace), first);
    EXPECT_EQ(pixelHash(shown), 0x120a413a2116e6a5ull) << pictureDifference(kGoldenPicture, shown, snapshot);
}

TEST(Sim, GameOverHandlesTheRestOfTheScriptAtOnce) {
    // No one steers: the game ends well before frame 99000, then the pointer moves and a new
    // game starts at once, whose frames follow.
    const std::string trace = traceOf({.clock = 500, .frames = 100000}, "99000 move 4000\n99000 newgame\n");
    const auto over = trace.find("\"state\":\"over\"");
    ASSERT_NE(over, std::string::npos);
    const std::string after = trace.substr(trace.find('\n', over) + 1);
    EXPECT_EQ(after.find("\"state\":\"playing\",\"level\":1,\"lives\":5,\"score\":0,\"mouseX\":4000,"),
              after.find("\"state\":"));
    EXPECT_NE(trace.rfind("\"state\":\"over\""), over);  // the second game ends too, and the run with it
}

TEST(Sim, AutoplaySoakKeepsEveryInvariant) {
    const char* soak = std::getenv("VELLIX_SOAK_FRAMES");
    const SimOptions options{.clock = 12345, .frames = soak != nullptr ? std::atol(soak) : 200000, .autoplay = true};
    Invariants invariants;
    SimRun run(options, {}, nullptr);
    long best = 0;  // the best level and score of any game in the run: the autoplayer really plays
    run.onFrame = [&](long frame, GameState& game) {
        invariants.check(frame, game);
        best = std::max(best, long(game.getLevel()) + long(game.score));
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
            // Sizes from nothing to huge, mostly of a window's order.
            const double scale = pick(0, 1) < 0.1 ? 1e7 : 3e4;
            if (what < 0.5) text << frame << " move " << pick(-2e6, 2e6) << "\n";
            else if (what < 0.7) text << frame << " press\n";
            else if (what < 0.95) text << frame << " resize " << pick(0, scale) << " " << pick(0, scale) << "\n";
            else text << frame << " newgame\n";
        }
        Invariants invariants;
        SCOPED_TRACE(text.str());
        traceOf({.clock = std::uint32_t(pick(0, 86399)), .frames = 300, .autoplay = runIndex % 2 == 0}, text.str(),
                &invariants);
    }
}

TEST(Sim, BadCommandLinesAndScriptsAreRefusedInOneLine) {
    const std::string dir = ::testing::TempDir(), trace = dir + "refused.trace";
    std::ofstream(dir + "bad.script") << "# a comment\n\n5 move 100\n3 press\n";
    std::ofstream(dir + "unknown.script") << "5 jump\n";
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {"--frames", "0"}, {"--frames=ten"}, {"--width", "-5"}, {"--clock", "86400"}, {"--snapshot", "12"},
             {"--bogus"}, {"--autoplay=1"}, {"--script", dir + "missing.script"},
             {"--script", dir + "bad.script"}, {"--script=" + dir + "unknown.script"}}) {
        std::remove(trace.c_str());
        args.insert(args.end(), {"--trace", trace});
        testing::Process sim(VELLIX_SIM, {}, dir + "refused.err", args);
        EXPECT_EQ(sim.waitForExit(std::chrono::seconds(20)), 2) << args[0];
        const std::string said = readFile(dir + "refused.err");
        EXPECT_EQ(said.find("vellix-sim: "), 0u) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
        EXPECT_FALSE(std::ifstream(trace).good()) << args[0];
        EXPECT_TRUE(args[1] != dir + "bad.script" || said.find("line 4") != std::string::npos) << said;
    }
}

}  // namespace
}  // namespace vellix::sim
