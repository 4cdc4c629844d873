// Power-up icons. Each sits in the middle of a brick-sized picture and is drawn over whichever
// brick hides it, so every icon has a thin dark rim that separates it from any brick colour.

#include <numbers>

#include "media/art/Art.h"

namespace vellix::art {

namespace {

constexpr Vec kCentre{kBrickWidth * 0.5f, kBrickHeight * 0.5f};
constexpr float kInk = 1.35f;
constexpr Color kDarkInk = rgb8(26, 16, 20);
constexpr float kPi = std::numbers::pi_v<float>;

float sdRect(Vec p, Vec centre, Vec half) {
    const float qx = std::abs(p.x - centre.x) - half.x, qy = std::abs(p.y - centre.y) - half.y;
    const float outside = std::sqrt(std::max(qx, 0.0f) * std::max(qx, 0.0f) + std::max(qy, 0.0f) * std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f);
}

// A small paddle lying level, shaped like the real one: a straight bar of `halfLength` each side
// of the centre, closed by flattened round ends `capWidth` long.
Part paddlePart(Vec centre, float halfLength, float radius, float capWidth) {
    const auto local = [=](Vec p) { return Vec{std::max(std::abs(p.x - centre.x) - halfLength, 0.0f), p.y - centre.y}; };
    return {[=](Vec p) {
                const Vec q = local(p);
                if (q.x <= 0) return std::abs(q.y) - radius;
                // Distance to an ellipse, close enough for drawing a rim of even width.
                const float k0 = length({q.x / capWidth, q.y / radius});
                const float k1 = length({q.x / (capWidth * capWidth), q.y / (radius * radius)});
                return k0 * (k0 - 1) / k1;
            },
            [=](Vec p, float) {
                const Vec q = local(p);
                return paddleShade(q.y / radius, q.x / capWidth);
            }};
}

std::vector<Vec> star(Vec centre, int points, float outer, float inner, float turn, float wobble) {
    std::vector<Vec> corners;
    for (int i = 0; i < points * 2; ++i) {
        float r = (i % 2 == 0) ? outer : inner;
        if (i % 4 == 2) r *= wobble;  // every other spike shorter, for a livelier burst
        corners.push_back(centre + rotated({0, -r}, turn + float(i) * kPi / float(points)));
    }
    return corners;
}

std::vector<Part> explosion() {
    const std::vector<Vec> outer = star(kCentre, 12, 15.0f, 6.5f, 0.0f, 0.78f);
    const std::vector<Vec> inner = star(kCentre, 8, 8.5f, 4.2f, 0.2f, 0.85f);
    return {
        {[=](Vec p) { return sdPolygon(p, outer); },
         [](Vec p, float) {
             const float t = length(p - kCentre) / 15.0f;
             return mix(rgb8(255, 96, 40), rgb8(190, 18, 24), smoothstep(0.3f, 0.9f, t));
         }},
        {[=](Vec p) { return sdPolygon(p, inner); },
         [](Vec p, float) {
             const float t = length(p - kCentre) / 8.5f;
             return mix(rgb8(255, 252, 210), rgb8(255, 186, 40), smoothstep(0.15f, 0.85f, t));
         }},
    };
}

std::vector<Part> twinPaddles() {
    return {paddlePart(kCentre + Vec{-13.0f, 0}, 7.0f, 5.5f, 3.6f), paddlePart(kCentre + Vec{13.0f, 0}, 7.0f, 5.5f, 3.6f)};
}

std::vector<Part> extraBall() {
    return {{[](Vec p) { return sdCircle(p, kCentre, 12.0f); },
             [](Vec p, float) {
                 return sphereShade((p - kCentre) * (1 / 12.0f), rgb8(200, 255, 190), rgb8(34, 112, 52), 0.9f);
             }}};
}

std::vector<Part> fastPaddle() {
    std::vector<Part> parts;
    const float ys[3] = {-5.5f, 0.0f, 5.5f};
    const float starts[3] = {24.0f, 18.0f, 24.0f};
    for (int i = 0; i < 3; ++i) {
        const Vec a{starts[i], kCentre.y + ys[i]}, b{33.5f, kCentre.y + ys[i]};
        parts.push_back({[=](Vec p) { return sdTaperedSegment(p, a, b, 0.8f, 1.35f); },
                         [=](Vec p, float) {
                             // Brightest next to the paddle, fading towards the tail.
                             return mix(rgb8(150, 190, 230), rgb8(255, 255, 255), smoothstep(a.x, b.x, p.x));
                         }});
    }
    parts.push_back(paddlePart(kCentre + Vec{7.0f, 0}, 10.0f, 5.5f, 3.6f));
    return parts;
}

std::vector<Part> snowflake() {
    struct Stroke {
        Vec a, b;
        float radius;
    };
    std::vector<Stroke> strokes;
    for (int arm = 0; arm < 6; ++arm) {
        const Vec dir = rotated({0, -1}, float(arm) * kPi / 3);
        strokes.push_back({kCentre, kCentre + dir * 12.6f, 1.15f});
        const float at[2] = {5.6f, 9.2f};
        const float len[2] = {4.4f, 3.0f};
        for (int k = 0; k < 2; ++k) {
            const Vec root = kCentre + dir * at[k];
            strokes.push_back({root, root + rotated(dir, kPi / 3) * len[k], 0.95f});
            strokes.push_back({root, root + rotated(dir, -kPi / 3) * len[k], 0.95f});
        }
    }
    return {{[=](Vec p) {
                 float d = sdCircle(p, kCentre, 2.6f);
                 for (const Stroke& s : strokes) d = std::min(d, sdSegment(p, s.a, s.b, s.radius));
                 return d;
             },
             [](Vec p, float d) {
                 // White ice with a cool blue tint deeper in from the edge of each stroke.
                 const float t = length(p - kCentre) / 13.0f;
                 const Color ice = mix(rgb8(255, 255, 255), rgb8(214, 234, 255), t);
                 return mix(ice, rgb8(170, 205, 245), smoothstep(-0.2f, -1.1f, d) * 0.35f);
             }}};
}

std::vector<Part> magnet() {
    constexpr float kRadius = 8.6f, kHalfThick = 3.9f, kArchY = 18.2f, kLegEnd = 30.2f, kTipStart = 25.2f;
    const Vec arch{kCentre.x, kArchY};
    const auto shape = [=](Vec p) {
        const float bend = std::max(std::abs(length(p - arch) - kRadius) - kHalfThick, p.y - kArchY);
        const Vec legHalf{kHalfThick, (kLegEnd - kArchY) * 0.5f + 0.5f};
        const float midY = (kArchY + kLegEnd) * 0.5f - 0.5f;
        const float legs = std::min(sdRect(p, {arch.x - kRadius, midY}, legHalf), sdRect(p, {arch.x + kRadius, midY}, legHalf));
        return std::min(bend, legs);
    };
    const auto paint = [=](Vec p, float) {
        // Shade the bar as a rounded tube bent into a U.
        Vec outward, onTube;
        if (p.y < kArchY) {
            const Vec r = p - arch;
            outward = r * (1 / length(r));
            onTube = outward * ((length(r) - kRadius) / kHalfThick);
        } else {
            const float side = p.x < arch.x ? -1.0f : 1.0f;
            outward = {side, 0};
            onTube = outward * ((std::abs(p.x - arch.x) - kRadius) / kHalfThick);
        }
        const bool tip = p.y > kTipStart;
        Color c = tip ? sphereShade(onTube, rgb8(250, 252, 255), rgb8(104, 110, 128), 0.8f)
                      : sphereShade(onTube, rgb8(255, 92, 80), rgb8(112, 8, 16), 0.7f);
        if (std::abs(p.y - kTipStart) < 0.55f) c = c * 0.45f;  // the seam between iron and steel
        return c;
    };
    return {{shape, paint}};
}

}  // namespace

MaskedSprite drawPowerUp(int kind, double density) {
    std::vector<Part> parts;
    Color ink = kDarkInk;
    switch (kind) {
        case 1: parts = explosion(); ink = rgb8(40, 8, 6); break;
        case 2: parts = twinPaddles(); break;
        case 3: parts = extraBall(); ink = rgb8(8, 30, 14); break;
        case 4: parts = fastPaddle(); break;
        case 5: parts = snowflake(); ink = rgb8(12, 22, 54); break;
        default: parts = magnet(); ink = rgb8(36, 6, 10); break;
    }
    // The icon covers a small part of its picture. Each 96-dpi pixel whose middle lies well away
    // from every part (farther than the rim and half the pixel's diagonal, the shapes' distances
    // growing no faster than the distance itself) is known to be empty and is not sampled.
    std::vector<bool> near(std::size_t(kBrickWidth) * std::size_t(kBrickHeight));
    for (int y = 0; y < kBrickHeight; ++y)
        for (int x = 0; x < kBrickWidth; ++x) {
            const Vec middle{float(x) + 0.5f, float(y) + 0.5f};
            float nearest = 1e9f;
            for (const Part& part : parts) nearest = std::min(nearest, part.shape(middle));
            near[std::size_t(y * kBrickWidth + x)] = nearest < kInk + 1.5f;
        }
    const Scene scene = [&](Vec p) -> Sample {
        if (!near[std::size_t(floorToInt(p.y) * kBrickWidth + floorToInt(p.x))]) return {};
        return outlined(parts, p, kInk, ink);
    };
    return maskedSprite(render(kBrickWidth, kBrickHeight, density, scene, samplesAt(8, kEdgeSamples, density)), 0.5f);
}

}  // namespace vellix::art
