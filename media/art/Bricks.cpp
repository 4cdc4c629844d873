// Bricks are opaque glazed tiles: a bevelled edge catching the light at the top and left, and a
// crackle glaze over the face, a network of fine dark cracks that is different on every colour.

#include <array>

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
    float cellTone = 0;  // from 0 to 1, the nearest cell's own
};

// One network of cracks: every cell of a square grid holds one point at a repeatable place inside
// it, and a crack runs wherever two cells' points are equally near. The grid is moved by `offset`
// pixels. The points of the cells a brick needs are worked out once, at the start, and kept.
class CrackleLayer {
public:
    CrackleLayer(float cellSize, std::uint32_t seed, Vec offset);
    Crackle operator()(Vec p) const;

private:
    struct Cell {
        Vec point;
        std::uint32_t id = 0;
        float tone = 0;
    };
    Crackle nearest(Vec q, int ix, int iy, const Cell* window, int stride) const;
    Cell make(int cx, int cy) const {
        const std::uint32_t id = hash(seed_, cx, cy);
        return {{float(cx) + 0.08f + 0.84f * hash01(id, 1, 0), float(cy) + 0.08f + 0.84f * hash01(id, 2, 0)}, id,
                hash01(id, 3, 0)};
    }

    float cellSize_;
    std::uint32_t seed_;
    Vec offset_;
    int left_, top_, columns_, rows_;  // the cells kept
    std::vector<Cell> kept_;
};

// The brick is sampled a little beyond its edges, and the cracks are bent by up to 3.5 pixels.
constexpr float kMargin = 8.0f;

CrackleLayer::CrackleLayer(float cellSize, std::uint32_t seed, Vec offset)
    : cellSize_(cellSize),
      seed_(seed),
      offset_(offset),
      left_(floorToInt((offset.x - kMargin) / cellSize) - 2),
      top_(floorToInt((offset.y - kMargin) / cellSize) - 2),
      columns_(floorToInt((offset.x + float(kBrickWidth) + kMargin) / cellSize) + 3 - left_),
      rows_(floorToInt((offset.y + float(kBrickHeight) + kMargin) / cellSize) + 3 - top_) {
    for (int cy = top_; cy < top_ + rows_; ++cy)
        for (int cx = left_; cx < left_ + columns_; ++cx) kept_.push_back(make(cx, cy));
}

Crackle CrackleLayer::operator()(Vec p) const {
    const Vec q = (p + offset_) * (1.0f / cellSize_);
    const int ix = floorToInt(q.x), iy = floorToInt(q.y);
    // The nearest point and the next lie within two cells of the point's own either way.
    const int x0 = ix - 2 - left_, y0 = iy - 2 - top_;
    if (x0 >= 0 && x0 + 5 <= columns_ && y0 >= 0 && y0 + 5 <= rows_)
        return nearest(q, ix, iy, kept_.data() + y0 * columns_ + x0, columns_);
    std::array<Cell, 25> far;  // outside the cells kept
    for (int k = 0; k < 25; ++k) far[std::size_t(k)] = make(ix - 2 + k % 5, iy - 2 + k / 5);
    return nearest(q, ix, iy, far.data(), 5);
}

// `window` holds the five by five cells around the point's own cell (ix, iy), `stride` apart from
// one row to the next. Of two points equally near, the one whose cell comes first, row by row.
Crackle CrackleLayer::nearest(Vec q, int ix, int iy, const Cell* window, int stride) const {
    float best = 1e9f, second = 1e9f;
    int bestAt = 0, secondAt = 0;
    const auto consider = [&](int x, int y) {
        const Vec to = q - window[y * stride + x].point;
        const float d = to.x * to.x + to.y * to.y;
        if (d > second) return;
        const int at = y * 5 + x;
        if (d < best || (d == best && at < bestAt)) {
            second = best, secondAt = bestAt;
            best = d, bestAt = at;
        } else if (d < second || at < secondAt) {
            second = d, secondAt = at;
        }
    };
    // The three by three around the point first. Every point lies inside its own cell, so a side of
    // the outer ring that lies farther away than the second nearest point found there cannot hold
    // either, and its points are not looked at.
    for (int y = 1; y <= 3; ++y)
        for (int x = 1; x <= 3; ++x) consider(x, y);
    const float left = q.x - float(ix - 1), right = float(ix + 2) - q.x;
    const float top = q.y - float(iy - 1), bottom = float(iy + 2) - q.y;
    const float reach = second * 1.001f;
    if (top * top <= reach)
        for (int x = 0; x < 5; ++x) consider(x, 0);
    if (bottom * bottom <= reach)
        for (int x = 0; x < 5; ++x) consider(x, 4);
    if (left * left <= reach)
        for (int y = 1; y <= 3; ++y) consider(0, y);
    if (right * right <= reach)
        for (int y = 1; y <= 3; ++y) consider(4, y);
    const Cell& bestCell = window[(bestAt / 5) * stride + bestAt % 5];
    const Cell& secondCell = window[(secondAt / 5) * stride + secondAt % 5];
    const Vec across = secondCell.point - bestCell.point;
    const Vec middle = (bestCell.point + secondCell.point) * 0.5f;
    const float crack = dot(middle - q, across) / length(across) * cellSize_;
    return {crack, bestCell.id, secondCell.id, bestCell.tone};
}

// Each crack between two particular cells has its own strength, so that some read bold and
// some barely show, as in a real glaze.
float crackStrength(const Crackle& c) {
    const std::uint32_t lo = std::min(c.cell, c.neighbour), hi = std::max(c.cell, c.neighbour);
    return hash01(lo, int(hi), 7);
}

// How far from the origin the glaze's noise is ever sampled, in pixels (the brick and its margin).
constexpr float kReach = 110.0f;

// The glaze's smooth fields at a point, from 0 to 1 each: how the plane is bent there (either way),
// its mottle, how wide the big cracks are and how much the finer networks show.
struct Fields {
    Vec warp;
    float mottle = 0, majorWidth = 0, middle = 0, fine = 0;
};

// The glaze of one brick colour, with its noise and its three networks of cracks. The cracks are
// hairlines, a fraction of a 96-dpi pixel wide: sampled as finely as the 96-dpi pictures, each
// sample lies on a line or off it; sampled more sparsely (`spacing` apart, in 96-dpi pixels), each
// sample is covered by a line as far as the line crosses the square around it, so that the lines
// neither break up nor vanish. Then, too, the smooth fields (which change little within a 96-dpi
// pixel) are worked out once at the corners of every 96-dpi pixel and blended between: the
// picture is drawn as the program starts, and that costs much less than working them out at
// every sample.
class Glaze {
public:
    Glaze(int colour, float spacing)
        : spacing_(spacing),
          seed_(0xB51C0u + std::uint32_t(colour) * 7919u),
          base_(kGlaze[colour]),
          warpX_(seed_ + 1, 3, kReach * 0.09f),
          warpY_(seed_ + 2, 3, kReach * 0.09f),
          mottle_(seed_ + 6, 3, kReach * 0.06f),
          crackWidth_(seed_ + 7, int(kReach * 0.35f) + 2),
          middleMap_(seed_ + 8, 2, kReach * 0.05f),
          fineMap_(seed_ + 9, 2, kReach * 0.08f),
          major_(14.0f, seed_ + 3, {0, 0}),
          middle_(7.0f, seed_ + 4, {53.0f, 29.0f}),
          fine_(3.6f, seed_ + 5, {17.0f, 71.0f}) {
        if (spacing == 0) return;
        for (int y = 0; y <= kBrickHeight; ++y)
            for (int x = 0; x <= kBrickWidth; ++x) corners_.push_back(fieldsAt({float(x), float(y)}));
    }

    Sample operator()(Vec p);

private:
    Fields fieldsAt(Vec p);
    Fields blendedAt(Vec p) const;

    // How much of the sample at `crack` from the middle of a line `halfWidth` wide either way the
    // line covers.
    float line(float crack, float halfWidth) const {
        if (spacing_ == 0) return crack < halfWidth ? 1.0f : 0.0f;
        const float half = spacing_ * 0.5f;
        return clamp01((std::min(crack + half, halfWidth) - std::max(crack - half, -halfWidth)) / spacing_);
    }

    float spacing_;
    std::uint32_t seed_;
    Color base_;
    FractalNoise warpX_, warpY_, mottle_;
    ValueNoise crackWidth_;
    FractalNoise middleMap_, fineMap_;
    CrackleLayer major_, middle_, fine_;
    std::vector<Fields> corners_;  // of the 96-dpi pixels, row by row, when sampled sparsely
    // The strength of the last crack between two big cells: the cells and the strength.
    std::uint32_t majorCell_ = 0, majorNeighbour_ = 0;
    float majorStrength_ = crackStrength({0, 0, 0, 0});
};

Fields Glaze::fieldsAt(Vec p) {
    Fields f;
    f.warp = {warpX_(p * 0.09f) - 0.5f, warpY_(p * 0.09f) - 0.5f};
    f.mottle = mottle_(p * 0.06f);
    f.majorWidth = crackWidth_((p + f.warp * 7.0f) * 0.35f);
    f.middle = middleMap_(p * 0.05f);
    f.fine = fineMap_(p * 0.08f);
    return f;
}

Fields Glaze::blendedAt(Vec p) const {
    // Between the corners of the 96-dpi pixel the point lies in.
    const int x = std::clamp(floorToInt(p.x), 0, kBrickWidth - 1);
    const int y = std::clamp(floorToInt(p.y), 0, kBrickHeight - 1);
    const float tx = p.x - float(x), ty = p.y - float(y);
    const std::size_t at = std::size_t(y * (kBrickWidth + 1) + x), below = at + std::size_t(kBrickWidth + 1);
    const auto blend = [&](auto field) {
        return lerp(lerp(field(corners_[at]), field(corners_[at + 1]), tx),
                    lerp(field(corners_[below]), field(corners_[below + 1]), tx), ty);
    };
    Fields f;
    f.warp = {blend([](const Fields& c) { return c.warp.x; }), blend([](const Fields& c) { return c.warp.y; })};
    f.mottle = blend([](const Fields& c) { return c.mottle; });
    f.majorWidth = blend([](const Fields& c) { return c.majorWidth; });
    f.middle = blend([](const Fields& c) { return c.middle; });
    f.fine = blend([](const Fields& c) { return c.fine; });
    return f;
}

Sample Glaze::operator()(Vec p) {
    const float w = float(kBrickWidth), h = float(kBrickHeight);
    const Fields f = corners_.empty() ? fieldsAt(p) : blendedAt(p);

    // Cracks wander: bend the plane a little before finding the cells.
    const Vec q = p + f.warp * 7.0f;
    const Crackle major = major_(q);

    // The glaze: a little lighter towards the top, mottled, each cell slightly its own tone.
    float tone = 1.10f - 0.22f * (p.y / h);
    tone *= 0.92f + 0.16f * f.mottle;
    tone *= 0.94f + 0.12f * major.cellTone;
    Color c = base_ * tone;

    // Stain soaks into the glaze along the big cracks. (Neighbouring samples mostly lie between
    // the same two cells, so the strength of their crack is kept.)
    if (major.cell != majorCell_ || major.neighbour != majorNeighbour_)
        majorCell_ = major.cell, majorNeighbour_ = major.neighbour, majorStrength_ = crackStrength(major);
    const float stain = std::exp(-major.crack / 1.8f) * (0.4f + 0.6f * majorStrength_);
    c = c * (1 - 0.24f * stain);

    // The cracks themselves: the big ones as dark hairlines, finer ones fainter and only here and
    // there, so the network has the uneven look of a real crackle glaze.
    const Color dark = base_ * 0.25f;
    const float majorWidth = 0.24f + 0.26f * f.majorWidth;
    if (const float on = line(major.crack, majorWidth); on > 0)
        c = mix(c, dark, (0.6f + 0.4f * majorStrength_) * on);
    // (Where a network does not show, its cells are not looked for.)
    if (const float middleHere = smoothstep(0.38f, 0.62f, f.middle); middleHere > 0) {
        const Crackle middle = middle_(q);
        if (const float on = line(middle.crack, 0.24f); on > 0)
            c = mix(c, dark, 0.6f * middleHere * (0.3f + 0.7f * crackStrength(middle)) * on);
    }
    if (const float fineHere = smoothstep(0.45f, 0.7f, f.fine); fineHere > 0) {
        const Crackle fine = fine_(q);
        if (const float on = line(fine.crack, 0.2f); on > 0)
            c = mix(c, dark, 0.3f * fineHere * crackStrength(fine) * on);
    }

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

Picture drawBrick(int colour, double density) {
    constexpr int kSamples = 6;  // each way in a 96-dpi pixel
    // A brick's own edges are straight and its cracks are drawn soft: one sample a device pixel.
    const int samples = samplesAt(kSamples, 1, density);
    const double perPixel = double(samples) * density;  // samples each way in a 96-dpi pixel
    const bool sparse = perPixel < kSamples;
    Glaze glaze(colour, sparse ? float(1 / perPixel) : 0.0f);
    return opaquePicture(render(kBrickWidth, kBrickHeight, density, [&glaze](Vec p) { return glaze(p); }, samples));
}

}  // namespace vellix::art
