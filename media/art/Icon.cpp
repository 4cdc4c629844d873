// The game's icon: a grey ball racing towards the upper left, white speed lines streaming behind
// it to the lower right. Drawn in unit coordinates so every size is sharp.

#include "media/art/Art.h"

namespace vellix::art {

namespace {

constexpr Vec kBall{0.37f, 0.37f};
constexpr float kBallRadius = 0.29f;
constexpr float kInkWidth = 0.024f;
constexpr Color kInk = rgb8(38, 40, 48);

std::vector<Part> iconParts() {
    const Vec along{0.70710678f, 0.70710678f}, sideways{-0.70710678f, 0.70710678f};
    struct Streak {
        float offset, length, width;
    };
    // Three streaks spread across the ball's width, the middle one longest; each starts a little
    // behind the ball, thick, and thins away to a point.
    const Streak streaks[3] = {{-0.18f, 0.30f, 0.034f}, {0.0f, 0.42f, 0.042f}, {0.18f, 0.30f, 0.034f}};
    std::vector<Part> parts;
    for (const Streak& s : streaks) {
        const float behind = std::sqrt(kBallRadius * kBallRadius - s.offset * s.offset) + 0.06f;
        const Vec a = kBall + sideways * s.offset + along * behind;
        const Vec b = a + along * s.length;
        parts.push_back({[=](Vec p) { return sdTaperedSegment(p, a, b, s.width, s.width * 0.3f); },
                         [=](Vec p, float) {
                             const float t = clamp01(dot(p - a, b - a) / dot(b - a, b - a));
                             return mix(kWhite, rgb8(196, 204, 220), smoothstep(0.3f, 1.0f, t));
                         }});
    }
    parts.push_back({[](Vec p) { return sdCircle(p, kBall, kBallRadius); },
                     [](Vec p, float d) {
                         const Color c = sphereShade((p - kBall) * (1 / kBallRadius), rgb8(236, 238, 244),
                                                     rgb8(70, 72, 84), 1.0f);
                         // The ball's own rim, so it stands clear of the streaks behind it.
                         return mix(c, kInk, smoothstep(-kInkWidth * 0.4f, -0.2f * kInkWidth, d));
                     }});
    return parts;
}

}  // namespace

Picture drawIcon(int size, int samples) {
    const std::vector<Part> parts = iconParts();
    const float unit = 1.0f / float(size);
    // Edges never thinner than about a pixel, however small the icon.
    const float ink = std::max(kInkWidth, 0.9f * unit);
    const Scene scene = [&](Vec p) { return outlined(parts, p * unit, ink, kInk); };
    return alphaPicture(render(size, size, 1, scene, samples));
}

}  // namespace vellix::art
