#pragma once

// Small drawing kit for the game's pictures: vectors and colours, shapes as signed distances,
// repeatable noise, and a supersampling renderer that turns a "what colour is this point" function
// into the game's picture formats.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "media/Picture.h"

namespace vellix::art {

struct Vec {
    float x = 0;
    float y = 0;
};

inline Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
inline Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
inline Vec operator*(Vec a, float k) { return {a.x * k, a.y * k}; }
inline float dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
inline float length(Vec a) { return std::sqrt(dot(a, a)); }
inline Vec rotated(Vec a, float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    return {a.x * c - a.y * s, a.x * s + a.y * c};
}

// The largest whole number not above v, for any v well inside the range of int.
inline int floorToInt(float v) {
    const int i = int(v);
    return float(i) > v ? i - 1 : i;
}

inline float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
inline float lerp(float a, float b, float t) { return a + (b - a) * t; }
inline float smoothstep(float edge0, float edge1, float v) {
    const float t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

// A colour with channels from 0 to 1.
struct Color {
    float r = 0;
    float g = 0;
    float b = 0;
};

inline Color operator+(Color a, Color b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Color operator*(Color a, float k) { return {a.r * k, a.g * k, a.b * k}; }
inline Color operator*(Color a, Color b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline Color mix(Color a, Color b, float t) { return a * (1 - t) + b * t; }
constexpr Color rgb8(int r, int g, int b) { return {float(r) / 255.0f, float(g) / 255.0f, float(b) / 255.0f}; }
inline constexpr Color kWhite{1, 1, 1};

// What one point sample of a picture sees: a colour and how much of it covers the point.
struct Sample {
    Color color;
    float alpha = 0;
};

// The colour of any point of a picture, in 96-dpi pixel coordinates (pixel (0,0) spans 0..1 on
// both axes), whatever the density the picture is drawn at.
using Scene = std::function<Sample(Vec)>;

// A rendered picture before it is turned into pixels: per device pixel the average colour over its
// samples (already weighted by coverage, i.e. as seen over black) and the covered fraction.
struct Layer {
    int width = 0;  // device pixels
    int height = 0;
    float twipsWidth = 0;
    float twipsHeight = 0;
    double density = 1;
    std::vector<Color> color;
    std::vector<float> alpha;

    // A picture of the layer's size, in pixels and in twips, all `fill`.
    Picture blank(Pixel fill) const;
};

// Draws `scene`, `width` by `height` 96-dpi pixels, at `density` device pixels to each
// (Picture::pixelsFor): samples x samples points inside every device pixel. Points beyond the
// scene's own size (in the last part of a pixel) see nothing.
Layer render(int width, int height, double density, const Scene& scene, int samples);

// How many samples each way a device pixel gets at `density`. The pictures built into the program
// (density 1) are drawn once, ahead of time, with many: `builtIn` each way. At any other density
// the program draws its pictures as it starts, with as few as keep their look: about `perPixel`
// each way in a 96-dpi pixel, and never fewer than one a device pixel.
int samplesAt(int builtIn, float perPixel, double density);

// Every pixel fully opaque.
Picture opaquePicture(const Layer& layer);

// A sprite and its matte. Pixels at least `threshold` covered are opaque: the matte is black there
// and the sprite keeps its colour as seen over black, so soft edges turn into darker rim pixels.
// Elsewhere the matte is white and the sprite black.
struct MaskedSprite {
    Picture sprite;
    Picture matte;
};
MaskedSprite maskedSprite(const Layer& layer, float threshold);

// Colour plus an alpha byte in each pixel's top byte, for the window and desktop icons.
Picture alphaPicture(const Layer& layer);

// Signed distances: negative inside the shape, positive outside, in the caller's units.
float sdCircle(Vec p, Vec centre, float radius);
float sdSegment(Vec p, Vec a, Vec b, float radius);
float sdTaperedSegment(Vec p, Vec a, Vec b, float radiusA, float radiusB);
float sdPolygon(Vec p, const std::vector<Vec>& corners);

// Repeatable pseudo-random values: the same inputs always give the same result.
std::uint32_t hash(std::uint32_t seed, int x, int y);
inline float hash01(std::uint32_t seed, int x, int y) { return float(hash(seed, x, y) >> 8) / 16777216.0f; }

// Smooth repeatable noise from 0 to 1: a value at every whole-number point, blended between. A
// picture samples the same few points again and again, so the values within `reach` of the origin
// either way are worked out once, at the start, and kept.
class ValueNoise {
public:
    ValueNoise(std::uint32_t seed, int reach);
    float operator()(Vec p);

private:
    std::uint32_t seed_;
    int reach_;
    std::vector<float> kept_;
};

// Octaves of value noise, each one turned and about twice as fine as the one before, at half the
// weight. `reach` bounds the points it is asked for, as for ValueNoise.
class FractalNoise {
public:
    FractalNoise(std::uint32_t seed, int octaves, float reach);
    float operator()(Vec p);

private:
    std::vector<ValueNoise> octaves_;
};

// Lighting of a glossy sphere seen from the front with the light at the upper left. `onDisc` is
// the point on the unit disc; `lit` and `shadow` are the colours of the lit and the turned-away sides.
Color sphereShade(Vec onDisc, Color lit, Color shadow, float shine);

// An icon built from parts painted in order (later parts on top), with a dark rim of `inkWidth`
// drawn around the whole silhouette. Each part paints with its own distance at hand, so it can
// darken its own edge where it lies over another part.
struct Part {
    std::function<float(Vec)> shape;
    std::function<Color(Vec, float)> paint;
};
Sample outlined(const std::vector<Part>& parts, Vec p, float inkWidth, Color ink);

}  // namespace vellix::art
