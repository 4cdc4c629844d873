// Drawing every sprite and the window's icon for a denser screen, as the program does when it
// starts there (at 1: the pictures built into the program, decoded).

#include <benchmark/benchmark.h>

#include "media/SpriteSet.h"

namespace vellix {
namespace {

void drawForDensity(benchmark::State& state) {
    const double density = double(state.range(0)) / 1000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SpriteSet::atDensity(density));
        benchmark::DoNotOptimize(windowIcon(density));
    }
}
// Density in thousandths. Every core draws: the wall's time is the one a start waits for.
BENCHMARK(drawForDensity)->Arg(1000)->Arg(1250)->Arg(2000)->Arg(3000)->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()->UseRealTime();

}  // namespace
}  // namespace vellix
