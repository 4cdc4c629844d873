// The ball, the off-screen pointer, the mouse dot and the paddle pieces.

#include "media/art/Art.h"

namespace vellix::art {

namespace {

constexpr Color kBallLit = rgb8(196, 255, 186);
constexpr Color kBallShadow = rgb8(28, 104, 48);
constexpr Color kBeige = rgb8(236, 212, 164);
constexpr Color kBeigeShadow = rgb8(96, 72, 44);

// A shaded disc, filling the picture.
Scene sphere(Vec centre, float radius, Color lit, Color shadow, float shine) {
    return [=](Vec p) -> Sample {
        const Vec d = (p - centre) * (1.0f / radius);
        if (dot(d, d) > 1) return {};
        return {sphereShade(d, lit, shadow, shine), 1};
    };
}

// Half of a squashed ball closing the bar: flat against the bar on the side `facing` it (1 right,
// -1 left), round on the other.
MaskedSprite paddleEnd(float facing, double density) {
    const Scene scene = [facing](Vec p) -> Sample {
        const float fromFlat = facing > 0 ? kPaddleCapWidth - p.x : p.x;
        const float along = fromFlat / float(kPaddleCapWidth);
        const float across = (p.y - kPaddleHeight * 0.5f) / (kPaddleHeight * 0.5f);
        // A slightly squarer curve than an ellipse, so the cap meets the full height of the bar.
        const float r = std::pow(std::pow(along, 2.4f) + std::pow(std::abs(across), 2.4f), 1 / 2.4f);
        if (r > 1) return {};
        return {paddleShade(across, along), 1};
    };
    const int samples = samplesAt(8, kEdgeSamples, density);
    return maskedSprite(render(kPaddleCapWidth, kPaddleHeight, density, scene, samples), 0.45f);
}

}  // namespace

MaskedSprite drawBall(double density) {
    const Scene ball = sphere({16.5f, 16.0f}, 15.6f, kBallLit, kBallShadow, 0.9f);
    return maskedSprite(render(33, 32, density, ball, samplesAt(8, kEdgeSamples, density)), 0.4f);
}

MaskedSprite drawMouseDot(double density) {
    const Scene dot = sphere({4.0f, 4.0f}, 3.7f, rgb8(250, 250, 250), rgb8(104, 106, 116), 0.7f);
    return maskedSprite(render(8, 8, density, dot, samplesAt(8, kEdgeSamples, density)), 0.4f);
}

MaskedSprite drawPointer(double density) {
    // An arrowhead pointing up, with a ridge down its middle: the left facet faces the light.
    const std::vector<Vec> outline = {{7.5f, 0.2f}, {14.8f, 18.8f}, {7.5f, 13.6f}, {0.2f, 18.8f}};
    const Scene scene = [outline](Vec p) -> Sample {
        const float d = sdPolygon(p, outline);
        if (d > 0) return {};
        Color c = p.x < 7.5f ? rgb8(120, 246, 120) : rgb8(36, 160, 60);
        // Lighter towards the tip, and a thin darker rim to keep the shape crisp.
        c = c * (1.08f - 0.25f * (p.y / 19.0f));
        if (d > -0.9f) c = c * 0.72f;
        return {c, 1};
    };
    return maskedSprite(render(15, 19, density, scene, samplesAt(8, kEdgeSamples, density)), 0.45f);
}

Color paddleShade(float across, float along) {
    const float n2 = std::min(across * across + along * along, 1.0f);
    const float nz = std::sqrt(1 - n2);
    // Light from above and in front (never from the side, so both ends look alike).
    const float diffuse = clamp01(-0.42f * across + 0.91f * nz);
    Color c = mix(kBeigeShadow, kBeige, std::pow(diffuse, 0.8f));
    // The top and bottom edges roll away from the viewer and darken.
    c = c * (1 - 0.35f * smoothstep(0.6f, 1.0f, std::sqrt(n2)));
    // A soft highlight runs along the upper part of the bar.
    const float hl = std::sqrt(0.42f * 0.42f + 1.91f * 1.91f);
    const float gloss = std::pow(clamp01((-0.42f * across + 1.91f * nz) / hl), 24.0f);
    return mix(c, kWhite, 0.55f * gloss);
}

Picture drawPaddleCenter(double density) {
    // The bar is the same in every column, so the game can tile it to any length.
    const Scene scene = [](Vec p) -> Sample {
        const float across = (p.y - kPaddleHeight * 0.5f) / (kPaddleHeight * 0.5f);
        return {paddleShade(across, 0), 1};
    };
    const Picture column = opaquePicture(render(1, kPaddleHeight, density, scene, samplesAt(8, kEdgeSamples, density)));
    Picture bar = Picture::ofTwips(pixelsToTwips(kPaddleCenterWidth), column.Height(), density);
    for (int y = 0; y < bar.pixelHeight(); ++y)
        for (int x = 0; x < bar.pixelWidth(); ++x) bar.at(x, y) = column.at(0, y);
    return bar;
}

MaskedSprite drawPaddleLeft(double density) { return paddleEnd(1, density); }
MaskedSprite drawPaddleRight(double density) { return paddleEnd(-1, density); }

}  // namespace vellix::art
