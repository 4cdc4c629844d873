// One pass of the frame loop (moves and the full redraw into the canvas, no present), beside its
// floor: clearing the canvas and copying it once, which any frame of any game must pay. Both are
// timed in the thread's CPU time, so that other work on the machine does not skew the ratio.

#include <benchmark/benchmark.h>

#include <time.h>

#include <cstring>
#include <vector>

#include "game/Collections.h"
#include "game/FrameRenderer.h"
#include "game/GameFlow.h"
#include "game/LevelBuilder.h"
#include "tests/support/TestGame.h"

namespace vellix {
namespace {

using testing::TestGame;

double cpuMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e6 + double(now.tv_nsec) / 1e3;
}

struct Scenario {
    int pixelWidth;
    int pixelHeight;
    std::int16_t level;
    int extraBalls;
};

// A level under way: the wall built, and the pointer following a ball, as a player would.
void setUp(TestGame& t, const Scenario& s) {
    t.game.setLevel(s.level);
    t.game.lives = 5;
    setupLevel(t.game);
    for (int i = 0; i < s.extraBalls; ++i) t.game.balls.append([](clsBall& ball) { ball.init(0, 0); });
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
    TestGame t(float(s.pixelWidth) * 15, float(s.pixelHeight) * 15, 43210);
    const double floor = floorMicroseconds(t.host.canvas(), 200);
    setUp(t, s);
    double spent = 0;
    long frames = 0;
    long sinceSetUp = 0;
    for (auto _ : state) {
        // Balls fall out within a hundred frames or so: start the level afresh now and then.
        if (++sinceSetUp == 60) {
            state.PauseTiming();
            setUp(t, s);
            sinceSetUp = 0;
            state.ResumeTiming();
        }
        if (t.game.balls.count() > 0) t.host.pointerX = t.game.balls[0].pos().x;
        const double start = cpuMicroseconds();
        gameLoopPass(t.game);
        spent += cpuMicroseconds() - start;
        ++frames;
    }
    state.counters["frame_us"] = spent / double(frames);
    state.counters["floor_us"] = floor;
    state.counters["ratio"] = spent / double(frames) / floor;
}

BENCHMARK_CAPTURE(framePass, level1_607x334, Scenario{607, 334, 1, 0});
BENCHMARK_CAPTURE(framePass, level12_1920x1080, Scenario{1920, 1080, 12, 0});
BENCHMARK_CAPTURE(framePass, level12_3840x2160, Scenario{3840, 2160, 12, 0});
BENCHMARK_CAPTURE(framePass, stress1000balls_1920x1080, Scenario{1920, 1080, 1, 999});

}  // namespace
}  // namespace vellix
