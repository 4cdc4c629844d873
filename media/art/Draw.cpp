#include "media/art/Draw.h"

namespace vellix::art {

namespace {

// To the nearest of 0 to 255, halves up (as lround, without a call into the maths library).
int toByte(float v) {
    const float scaled = clamp01(v) * 255.0f;
    const int whole = int(scaled);
    return scaled - float(whole) >= 0.5f ? whole + 1 : whole;
}

Pixel toPixel(Color c) { return rgb(toByte(c.r), toByte(c.g), toByte(c.b)); }

std::uint32_t scramble(std::uint32_t h) {
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return h;
}

}  // namespace

Layer render(int width, int height, double density, const Scene& scene, int samples) {
    const float sceneWidth = float(width), sceneHeight = float(height);
    Layer layer;
    layer.twipsWidth = pixelsToTwips(width);
    layer.twipsHeight = pixelsToTwips(height);
    layer.density = density;
    layer.width = Picture::pixelsFor(layer.twipsWidth, density);
    layer.height = Picture::pixelsFor(layer.twipsHeight, density);
    const std::size_t size = std::size_t(layer.width) * std::size_t(layer.height);
    layer.color.resize(size);
    layer.alpha.resize(size);
    const float unit = float(1 / density);  // of a 96-dpi pixel, per device pixel
    const float step = 1.0f / float(samples);
    const float weight = 1.0f / float(samples * samples);
    for (int y = 0; y < layer.height; ++y) {
        for (int x = 0; x < layer.width; ++x) {
            Color sum;
            float covered = 0;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const Vec p{(float(x) + (float(sx) + 0.5f) * step) * unit,
                                (float(y) + (float(sy) + 0.5f) * step) * unit};
                    if (p.x >= sceneWidth || p.y >= sceneHeight) continue;
                    const Sample s = scene(p);
                    sum = sum + s.color * s.alpha;
                    covered += s.alpha;
                }
            }
            const std::size_t i = std::size_t(y) * std::size_t(layer.width) + std::size_t(x);
            layer.color[i] = sum * weight;
            layer.alpha[i] = covered * weight;
        }
    }
    return layer;
}

int samplesAt(int builtIn, float perPixel, double density) {
    if (density == 1) return builtIn;
    return std::max(1, int(std::lround(double(perPixel) / density)));
}

Picture Layer::blank(Pixel fill) const { return Picture::ofTwips(twipsWidth, twipsHeight, density, fill); }

Picture opaquePicture(const Layer& layer) {
    Picture picture = layer.blank(0);
    for (int y = 0; y < layer.height; ++y)
        for (int x = 0; x < layer.width; ++x)
            picture.at(x, y) = toPixel(layer.color[std::size_t(y) * std::size_t(layer.width) + std::size_t(x)]);
    return picture;
}

MaskedSprite maskedSprite(const Layer& layer, float threshold) {
    constexpr Pixel kShow = 0x000000;
    constexpr Pixel kHide = 0xFFFFFF;
    MaskedSprite out{layer.blank(0), layer.blank(kHide)};
    for (int y = 0; y < layer.height; ++y) {
        for (int x = 0; x < layer.width; ++x) {
            const std::size_t i = std::size_t(y) * std::size_t(layer.width) + std::size_t(x);
            if (layer.alpha[i] < threshold) continue;
            Pixel p = toPixel(layer.color[i]);
            // A shown pixel should not be pure black, or it would look like a hole in the sprite.
            if (p == 0) p = rgb(6, 6, 6);
            out.sprite.at(x, y) = p;
            out.matte.at(x, y) = kShow;
        }
    }
    return out;
}

Picture alphaPicture(const Layer& layer) {
    Picture picture = layer.blank(0);
    for (int y = 0; y < layer.height; ++y) {
        for (int x = 0; x < layer.width; ++x) {
            const std::size_t i = std::size_t(y) * std::size_t(layer.width) + std::size_t(x);
            const int a = toByte(layer.alpha[i]);
            if (a == 0) continue;
            const Pixel c = toPixel(layer.color[i] * (1.0f / layer.alpha[i]));
            picture.at(x, y) = (Pixel(a) << 24) | c;
        }
    }
    return picture;
}

float sdCircle(Vec p, Vec centre, float radius) { return length(p - centre) - radius; }

float sdSegment(Vec p, Vec a, Vec b, float radius) {
    const Vec ab = b - a;
    const float t = clamp01(dot(p - a, ab) / dot(ab, ab));
    return length(p - (a + ab * t)) - radius;
}

float sdTaperedSegment(Vec p, Vec a, Vec b, float radiusA, float radiusB) {
    const Vec ab = b - a;
    const float t = clamp01(dot(p - a, ab) / dot(ab, ab));
    return length(p - (a + ab * t)) - lerp(radiusA, radiusB, t);
}

float sdPolygon(Vec p, const std::vector<Vec>& v) {
    float best = dot(p - v[0], p - v[0]);
    float sign = 1;
    for (std::size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
        const Vec e = v[j] - v[i];
        const Vec w = p - v[i];
        const Vec b = w - e * clamp01(dot(w, e) / dot(e, e));
        best = std::min(best, dot(b, b));
        const bool c1 = p.y >= v[i].y, c2 = p.y < v[j].y, c3 = e.x * w.y > e.y * w.x;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) sign = -sign;
    }
    return sign * std::sqrt(best);
}

std::uint32_t hash(std::uint32_t seed, int x, int y) {
    std::uint32_t h = scramble(seed ^ 0x9E3779B9u);
    h = scramble(h ^ std::uint32_t(x) * 0x27D4EB2Fu);
    h = scramble(h ^ std::uint32_t(y) * 0x165667B1u);
    return h;
}

ValueNoise::ValueNoise(std::uint32_t seed, int reach)
    : seed_(seed), reach_(reach), kept_(std::size_t(2 * reach + 1) * std::size_t(2 * reach + 1)) {
    const int side = 2 * reach + 1;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) kept_[std::size_t(y * side + x)] = hash01(seed, x - reach, y - reach);
}

float ValueNoise::operator()(Vec p) {
    const int ix = floorToInt(p.x), iy = floorToInt(p.y);
    const float tx = p.x - float(ix), ty = p.y - float(iy);
    const float sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
    float v00, v10, v01, v11;
    if (ix >= -reach_ && ix < reach_ && iy >= -reach_ && iy < reach_) {
        const int side = 2 * reach_ + 1;
        const float* at = kept_.data() + (iy + reach_) * side + (ix + reach_);
        v00 = at[0], v10 = at[1], v01 = at[side], v11 = at[side + 1];
    } else {
        v00 = hash01(seed_, ix, iy), v10 = hash01(seed_, ix + 1, iy);
        v01 = hash01(seed_, ix, iy + 1), v11 = hash01(seed_, ix + 1, iy + 1);
    }
    return lerp(lerp(v00, v10, sx), lerp(v01, v11, sx), sy);
}

namespace {
constexpr float kOctaveTurn = 0.7f;
constexpr float kOctaveScale = 2.03f;
}  // namespace

FractalNoise::FractalNoise(std::uint32_t seed, int octaves, float reach) {
    for (int i = 0; i < octaves; ++i, reach *= kOctaveScale)
        octaves_.emplace_back(seed + std::uint32_t(i) * 101u, int(reach) + 2);
}

float FractalNoise::operator()(Vec p) {
    float sum = 0, amplitude = 0.5f, total = 0;
    for (ValueNoise& octave : octaves_) {
        sum += octave(p) * amplitude;
        total += amplitude;
        p = rotated(p, kOctaveTurn) * kOctaveScale;
        amplitude *= 0.5f;
    }
    return sum / total;
}

Color sphereShade(Vec d, Color lit, Color shadow, float shine) {
    const float r2 = std::min(dot(d, d), 1.0f);
    const float nz = std::sqrt(1 - r2);
    // Light from the upper left and somewhat in front.
    const float lx = -0.48f, ly = -0.56f, lz = 0.675f;
    const float diffuse = clamp01(d.x * lx + d.y * ly + nz * lz);
    Color c = mix(shadow, lit, std::pow(diffuse, 0.9f));
    // A faint bounce of light along the lower right rim keeps the dark side round.
    const float rim = smoothstep(0.75f, 1.0f, std::sqrt(r2)) * clamp01(d.x * 0.7f + d.y * 0.7f);
    c = c + lit * (0.18f * rim);
    // The glossy highlight: reflection of the light towards the viewer.
    const float hx = lx, hy = ly, hz = lz + 1.0f;
    const float hl = std::sqrt(hx * hx + hy * hy + hz * hz);
    const float gloss = std::pow(clamp01((d.x * hx + d.y * hy + nz * hz) / hl), 40.0f);
    return mix(c, kWhite, clamp01(gloss * shine));
}

Sample outlined(const std::vector<Part>& parts, Vec p, float inkWidth, Color ink) {
    float nearest = 1e9f;
    for (auto it = parts.rbegin(); it != parts.rend(); ++it) {
        const float d = it->shape(p);
        if (d < 0) return {it->paint(p, d), 1};
        nearest = std::min(nearest, d);
    }
    if (nearest < inkWidth) return {ink, 1};
    return {};
}

}  // namespace vellix::art
