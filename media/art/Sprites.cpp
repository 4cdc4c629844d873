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

Picture mirrored(const Picture& picture) {
    Picture out(picture.pixelWidth(), picture.pixelHeight());
    for (int y = 0; y < picture.pixelHeight(); ++y)
        for (int x = 0; x < picture.pixelWidth(); ++x) out.at(x, y) = picture.at(picture.pixelWidth() - 1 - x, y);
    return out;
}

}  // namespace

MaskedSprite drawBall() {
    return maskedSprite(render(33, 32, sphere({16.5f, 16.0f}, 15.6f, kBallLit, kBallShadow, 0.9f), 8), 0.4f);
}

MaskedSprite drawMouseDot() {
    return maskedSprite(render(8, 8, sphere({4.0f, 4.0f}, 3.7f, rgb8(250, 250, 250), rgb8(104, 106, 116), 0.7f), 8),
                        0.4f);
}

MaskedSprite drawPointer() {
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
    return maskedSprite(render(15, 19, scene, 8), 0.45f);
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

Picture drawPaddleCenter() {
    // The bar is the same in every column, so the game can tile it to any length.
    const Scene scene = [](Vec p) -> Sample {
        const float across = (p.y - kPaddleHeight * 0.5f) / (kPaddleHeight * 0.5f);
        return {paddleShade(across, 0), 1};
    };
    const Layer column = render(1, kPaddleHeight, scene, 8);
    const Picture one = opaquePicture(column);
    Picture bar(kPaddleCenterWidth, kPaddleHeight);
    for (int y = 0; y < kPaddleHeight; ++y)
        for (int x = 0; x < kPaddleCenterWidth; ++x) bar.at(x, y) = one.at(0, y);
    return bar;
}

MaskedSprite drawPaddleLeft() {
    // Half of a squashed ball closing the bar: flat against the bar at the right edge.
    const Scene scene = [](Vec p) -> Sample {
        const float along = (kPaddleCapWidth - p.x) / float(kPaddleCapWidth);
        const float across = (p.y - kPaddleHeight * 0.5f) / (kPaddleHeight * 0.5f);
        // A slightly squarer curve than an ellipse, so the cap meets the full height of the bar.
        const float r = std::pow(std::pow(along, 2.4f) + std::pow(std::abs(across), 2.4f), 1 / 2.4f);
        if (r > 1) return {};
        return {paddleShade(across, along), 1};
    };
    return maskedSprite(render(kPaddleCapWidth, kPaddleHeight, scene, 8), 0.45f);
}

MaskedSprite drawPaddleRight() {
    const MaskedSprite left = drawPaddleLeft();
    return {mirrored(left.sprite), mirrored(left.matte)};
}

}  // namespace vellix::art
