// The canvas operations every frame is made of.

#include <benchmark/benchmark.h>

#include <memory>

#include "media/Canvas.h"
#include "media/SpriteSet.h"
#include "media/TextCache.h"
#include "platform/sdl/TtfTextRasterizer.h"

namespace vellix {
namespace {

const SpriteSet& sprites() { return SpriteSet::builtIn(); }

void clear(benchmark::State& state) {
    Canvas canvas(9105, 5010);
    for (auto _ : state) canvas.Cls();
}
BENCHMARK(clear);

void maskedSprite(benchmark::State& state) {
    Canvas canvas(9105, 5010);
    float x = 0;
    for (auto _ : state) {
        canvas.PaintPicture(sprites().imgBallMatte, x, 2000, RasterOp::SRCAND);
        canvas.PaintPicture(sprites().imgBall, x, 2000, RasterOp::SRCPAINT);
        x = x < 8000 ? x + 7 : 0;
    }
}
BENCHMARK(maskedSprite);

void opaqueBrick(benchmark::State& state) {
    Canvas canvas(9105, 5010);
    float x = 0;
    for (auto _ : state) {
        canvas.PaintPicture(sprites().imgBrick[2], x, 540, RasterOp::SRCCOPY);
        x = x < 7000 ? x + 7 : 0;
    }
}
BENCHMARK(opaqueBrick);

// A shard: part of a brick's lower right quarter, OR-ed, reaching past the picture.
void orShard(benchmark::State& state) {
    Canvas canvas(9105, 5010);
    for (auto _ : state) canvas.PaintPicture(sprites().imgBrick[4], 3000, 2000, 600, 500, 682, 270, RasterOp::SRCPAINT);
}
BENCHMARK(orShard);

void cachedTextLine(benchmark::State& state) {
    const std::unique_ptr<TtfTextRasterizer> font = TtfTextRasterizer::openDefaultFont();
    if (!font) {
        state.SkipWithError("no font");
        return;
    }
    TextCache cache(*font);
    Canvas canvas(9105, 5010);
    canvas.setTextCache(&cache);
    canvas.setForeColor(rgb(190, 200, 255));
    for (auto _ : state) {
        canvas.setCurrentX(240);
        canvas.setCurrentY(3210);
        canvas.Print("Powerup - Magnetic paddle");
    }
}
BENCHMARK(cachedTextLine);

}  // namespace
}  // namespace vellix
