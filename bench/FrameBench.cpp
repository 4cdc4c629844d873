// One pass of the frame loop (moves and the full redraw into the canvas, no present), beside its
// floor: clearing the canvas and copying it once, which any frame of any game must pay. Both are
// timed in the thread's CPU time, so that other work on the machine does not skew the ratio.

#include <benchmark/benchmark.h>

#include <time.h>

#include <cstring>
#include <vector>

#include "base/TimeOfDay.h"
#include "base/Twips.h"
#include "game/Game.h"
#include "game/GameFlow.h"
#include "game/LevelBuilder.h"
#include "media/SpriteSet.h"

namespace vellix {
namespace {

struct Silence final : SoundDevice {
    void open(int, const std::string&) override {}
    void play(int) override {}
};

double cpuMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e6 + double(now.tv_nsec) / 1e3;
}

struct Scenario {
    int pixelWidth;  // device pixels
    int pixelHeight;
    std::int16_t level;
    int extraBalls;
    double density = 1;
};

// A level under way: the wall built, and the pointer following a ball, as a player would.
void setUp(GameState& game, const Scenario& s) {
    game.setLevel(s.level);
    game.lives = 5;
    setupLevel(game);
    for (int i = 0; i < s.extraBalls; ++i) game.balls.append([](clsBall& ball) { ball.init(0, 0); });
}

double floorMicroseconds(Canvas& canvas, int repeats) {
    std::vector<Pixel> shown(canvas.image().pixels().size());
    const double start = cpuMicroseconds();
    for (int i = 0; i < repeats; ++i) {
        canvas.Cls();
        std::memcpy(shown.data(), canvas.image().row(0), shown.size() * sizeof(Pixel));
        benchmark::DoNotOptimize(shown.data());
    }
    return (cpuMicroseconds() - start) / repeats;
}

void framePass(benchmark::State& state, Scenario s) {
    Silence silence;
    FixedTimeOfDay clock(43210);
    Game whole(silence, clock, s.density);
    whole.start("", pixelsToTwips(s.pixelWidth, s.density), pixelsToTwips(s.pixelHeight, s.density));
    GameState& game = whole.state();
    const double floor = floorMicroseconds(whole.canvas(), 200);
    setUp(game, s);
    double spent = 0;
    long frames = 0;
    long sinceSetUp = 0;
    for (auto _ : state) {
        // Balls fall out within a hundred frames or so: start the level afresh now and then.
        if (++sinceSetUp == 60) {
            state.PauseTiming();
            setUp(game, s);
            sinceSetUp = 0;
            state.ResumeTiming();
        }
        if (game.balls.count() > 0) whole.window().pointerMoved(game.balls[0].pos().x, 0);
        const double start = cpuMicroseconds();
        gameLoopPass(game);
        spent += cpuMicroseconds() - start;
        ++frames;
    }
    state.counters["frame_us"] = spent / double(frames);
    state.counters["floor_us"] = floor;
    state.counters["ratio"] = spent / double(frames) / floor;
}

BENCHMARK_CAPTURE(framePass, level1_607x334, Scenario{607, 334, 1, 0});
BENCHMARK_CAPTURE(framePass, level1_1214x668_at2x, Scenario{1214, 668, 1, 0, 2});
BENCHMARK_CAPTURE(framePass, level12_1920x1080, Scenario{1920, 1080, 12, 0});
BENCHMARK_CAPTURE(framePass, level12_3840x2160, Scenario{3840, 2160, 12, 0});
BENCHMARK_CAPTURE(framePass, stress1000balls_1920x1080, Scenario{1920, 1080, 1, 999});

}  // namespace
}  // namespace vellix
