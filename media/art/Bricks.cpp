// Bricks are opaque glazed tiles: a bevelled edge catching the light at the top and left, and a
// crackle glaze over the face, a network of fine dark cracks that is different on every colour.

#include "media/art/Art.h"

namespace vellix::art {

namespace {

constexpr Color kGlaze[kBrickColours] = {
    rgb8(38, 92, 222),   // blue
    rgb8(44, 168, 62),   // green
    rgb8(212, 40, 40),   // red
    rgb8(32, 196, 214),  // cyan
    rgb8(238, 182, 30),  // golden yellow
    rgb8(204, 48, 190),  // magenta
};

// The two glaze cells nearest to a point and how far the point is from the crack between them.
struct Crackle {
    float crack = 0;  // distance to the boundary between the two nearest cells, in pixels
    std::uint32_t cell = 0;
    std::uint32_t neighbour = 0;
};

Crackle crackle(Vec p, float cellSize, std::uint32_t seed) {
    const Vec q = p * (1.0f / cellSize);
    const int ix = int(std::floor(q.x)), iy = int(std::floor(q.y));
    float best = 1e9f, second = 1e9f;
    Vec bestPoint, secondPoint;
    std::uint32_t bestId = 0, secondId = 0;
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            const int cx = ix + dx, cy = iy + dy;
            const std::uint32_t id = hash(seed, cx, cy);
            const Vec point{float(cx) + 0.08f + 0.84f * hash01(id, 1, 0), float(cy) + 0.08f + 0.84f * hash01(id, 2, 0)};
            const float d = dot(q - point, q - point);
            if (d < best) {
                second = best, secondPoint = bestPoint, secondId = bestId;
                best = d, bestPoint = point, bestId = id;
            } else if (d < second) {
                second = d, secondPoint = point, secondId = id;
            }
        }
    }
    const Vec across = secondPoint - bestPoint;
    const Vec middle = (bestPoint + secondPoint) * 0.5f;
    const float crack = dot(middle - q, across) / length(across) * cellSize;
    return {crack, bestId, secondId};
}

// Each crack between two particular cells has its own strength, so that some read bold and
// some barely show, as in a real glaze.
float crackStrength(const Crackle& c) {
    const std::uint32_t lo = std::min(c.cell, c.neighbour), hi = std::max(c.cell, c.neighbour);
    return hash01(lo, int(hi), 7);
}

Sample glazeAt(Vec p, int colour) {
    const std::uint32_t seed = 0xB51C0u + std::uint32_t(colour) * 7919u;
    const Color base = kGlaze[colour];
    const float w = float(kBrickWidth), h = float(kBrickHeight);

    // Cracks wander: bend the plane a little before finding the cells.
    const Vec warp{fractalNoise(p * 0.09f, seed + 1, 3) - 0.5f, fractalNoise(p * 0.09f, seed + 2, 3) - 0.5f};
    const Vec q = p + warp * 7.0f;
    const Crackle major = crackle(q, 14.0f, seed + 3);
    const Crackle middle = crackle(q + Vec{53.0f, 29.0f}, 7.0f, seed + 4);
    const Crackle fine = crackle(q + Vec{17.0f, 71.0f}, 3.6f, seed + 5);

    // The glaze: a little lighter towards the top, mottled, each cell slightly its own tone.
    float tone = 1.10f - 0.22f * (p.y / h);
    tone *= 0.92f + 0.16f * fractalNoise(p * 0.06f, seed + 6, 3);
    tone *= 0.94f + 0.12f * hash01(major.cell, 3, 0);
    Color c = base * tone;

    // Stain soaks into the glaze along the big cracks.
    const float stain = std::exp(-major.crack / 1.8f) * (0.4f + 0.6f * crackStrength(major));
    c = c * (1 - 0.24f * stain);

    // The cracks themselves: the big ones as dark hairlines, finer ones fainter and only here and
    // there, so the network has the uneven look of a real crackle glaze.
    const Color dark = base * 0.25f;
    const float majorWidth = 0.24f + 0.26f * valueNoise(q * 0.35f, seed + 7);
    if (major.crack < majorWidth) c = mix(c, dark, 0.6f + 0.4f * crackStrength(major));
    const float middleHere = smoothstep(0.38f, 0.62f, fractalNoise(p * 0.05f, seed + 8, 2));
    if (middle.crack < 0.24f) c = mix(c, dark, 0.6f * middleHere * (0.3f + 0.7f * crackStrength(middle)));
    const float fineHere = smoothstep(0.45f, 0.7f, fractalNoise(p * 0.08f, seed + 9, 2));
    if (fine.crack < 0.2f) c = mix(c, dark, 0.3f * fineHere * crackStrength(fine));

    // A soft sheen across the upper face.
    const float sheen = smoothstep(3.0f, 7.0f, p.y) * (1 - smoothstep(8.0f, 14.0f, p.y));
    c = mix(c, kWhite, 0.16f * sheen * (0.6f + 0.4f * (1 - p.x / w)));

    // The bevel: the top and left faces catch the light, the bottom and right fall into shade.
    constexpr float kBevel = 3.0f;
    const float left = p.x, top = p.y, right = w - p.x, bottom = h - p.y;
    const float edge = std::min({left, top, right, bottom});
    if (edge < kBevel) {
        const float outer = 1 - edge / kBevel;  // 1 at the very rim
        if (edge == top)
            c = mix(c * 1.05f, kWhite, 0.38f + 0.14f * outer);
        else if (edge == left)
            c = mix(c * 1.05f, kWhite, 0.24f + 0.10f * outer);
        else if (edge == bottom)
            c = c * (0.52f - 0.14f * outer);
        else
            c = c * (0.66f - 0.14f * outer);
    } else if (edge < kBevel + 0.6f) {
        // A faint groove where the bevel meets the face.
        c = c * 0.9f;
    }
    return {c, 1};
}

}  // namespace

Picture drawBrick(int colour) {
    return opaquePicture(render(kBrickWidth, kBrickHeight, [colour](Vec p) { return glazeAt(p, colour); }, 6));
}

}  // namespace vellix::art
