// Headless throughput: how many frames a second the real game plays itself with no window,
// as `vellix-sim --autoplay --frames 100000` does.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "media/TextCache.h"
#include "platform/sdl/TtfTextRasterizer.h"
#include "tools/sim/SimRun.h"

namespace vellix {
namespace {

void headlessAutoplay(benchmark::State& state) {
    // A smoke run (VELLIX_BENCH_SMOKE) plays only a few frames, so that the benchmark cannot rot.
    const long frames = std::getenv("VELLIX_BENCH_SMOKE") != nullptr ? 200 : 100000;
    const std::unique_ptr<TtfTextRasterizer> font = TtfTextRasterizer::openDefaultFont();
    const std::unique_ptr<TextCache> text = font ? std::make_unique<TextCache>(*font) : nullptr;
    sim::SimOptions options;
    options.clock = 43210;
    options.autoplay = true;
    options.frames = frames;
    long played = 0;
    for (auto _ : state) {
        sim::SimRun run(options, {}, text.get());
        played += run.run();
    }
    state.counters["frames_per_second"] = benchmark::Counter(double(played), benchmark::Counter::kIsRate);
}
BENCHMARK(headlessAutoplay)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace
}  // namespace vellix
