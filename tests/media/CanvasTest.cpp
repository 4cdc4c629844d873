#include "media/Canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "media/TextCache.h"

namespace vellix {
namespace {

constexpr float px(int pixels) { return float(pixels) * 15.0f; }
constexpr Pixel kUnder = rgb(0xA5, 0xA5, 0xA5);

Canvas filled(int w, int h, Pixel colour) {
    Canvas canvas(px(w), px(h));
    canvas.PaintPicture(Picture(w, h, colour), 0, 0, RasterOp::SRCCOPY);
    return canvas;
}

// Checks every pixel of the canvas against `expected(x, y)`.
template <typename Expected> void expectImage(const Canvas& canvas, Expected expected) {
    for (int y = 0; y < canvas.image().pixelHeight(); ++y)
        for (int x = 0; x < canvas.image().pixelWidth(); ++x)
            EXPECT_EQ(canvas.image().at(x, y), expected(x, y)) << x << "," << y;
}

TEST(Canvas, PaintCombinesEachBitClipsAtEveryEdgeAndReadsBlackBeyondThePicture) {
    Picture sprite(4, 3);  // every pixel different, so a misplaced source row or column shows
    for (int i = 0; i < 12; ++i) sprite.at(i % 4, i / 4) = rgb(0x40 + i % 4, 0x80 + i / 4, 0x11);
    // In pixels: where each paint lands, its size, and where in the sprite it starts.
    const struct { int x, y, w, h, sx, sy; } paints[] = {{-2, -1, 4, 3, 0, 0}, {8, 6, 4, 3, 0, 0}, {-3, 6, 4, 3, 0, 0},
                                                       {8, -2, 4, 3, 0, 0}, {1, 1, 6, 4, 2, 1}, {2, 2, 3, 3, -1, -1}};
    for (RasterOp op : {RasterOp::SRCCOPY, RasterOp::SRCAND, RasterOp::SRCPAINT})
        for (const auto& p : paints)
            for (float part : {0.0f, 14.0f}) {  // a part of a pixel is dropped: -2 pixels and 14 twips is pixel -2
                SCOPED_TRACE(testing::Message() << int(op) << " at " << p.x << "," << p.y << " +" << part);
                Canvas canvas = filled(10, 8, kUnder);
                canvas.PaintPicture(sprite, px(p.x) + part, px(p.y) + part, px(p.w) + part, px(p.h) + part,
                                    px(p.sx) + part, px(p.sy) + part, op);
                expectImage(canvas, [&](int x, int y) {
                    if (x < p.x || x >= p.x + p.w || y < p.y || y >= p.y + p.h) return kUnder;
                    const int sx = x - p.x + p.sx, sy = y - p.y + p.sy;
                    const Pixel s = sx >= 0 && sx < 4 && sy >= 0 && sy < 3 ? sprite.at(sx, sy) : 0;
                    return op == RasterOp::SRCCOPY ? s : op == RasterOp::SRCAND ? (s & kUnder) : (s | kUnder);
                });
            }
    Canvas canvas = filled(10, 8, kUnder);
    for (float wild : {-1e30f, 1e30f, NAN}) canvas.PaintPicture(sprite, wild, wild, RasterOp::SRCCOPY);
    EXPECT_EQ(canvas.image(), Picture(10, 8, kUnder));
}

TEST(Canvas, ResizeKeepsTheTopLeftAndTheImageStaysWithinItsLimits) {
    Canvas canvas = filled(4, 3, kUnder);
    canvas.resize(px(6) + 14, px(5));
    EXPECT_EQ(std::pair(canvas.image().pixelWidth(), canvas.image().pixelHeight()), std::pair(6, 5));
    expectImage(canvas, [](int x, int y) { return x < 4 && y < 3 ? kUnder : Canvas::kBackColor; });
    for (auto [twips, pixels] : {std::pair{14.0f, 0}, {-300.0f, 0}, {NAN, 0}, {1e9f, 40}, {600.0f, 40}, {599.0f, 39}})
        EXPECT_EQ(Canvas(twips, twips, 40).image(), Picture(pixels, pixels)) << twips;
    // A window's canvas is as large as the window, up to the largest any window system allows.
    const Canvas wide(5120 * 15, 2 * 15);
    EXPECT_EQ(std::pair(wide.image().pixelWidth(), Canvas::kMaxPixels), std::pair(5120, 32767));
}

// Each character is a block three pixels wide and two high, covered 100 parts in 255.
struct BlockFont : TextRasterizer {
    TextImage render(std::string_view text) override {
        return {3 * int(text.size()), 2, std::vector<std::uint8_t>(text.size() * 6, 100)};
    }
    int lineHeight() const override { return 2; }
};

TEST(Canvas, PrintBlendsTheForeColorAtTheTextPositionThenMovesToTheNextLineAndClsClears) {
    BlockFont font;
    TextCache cache(font);
    Canvas canvas = filled(12, 8, kUnder);
    canvas.setTextCache(&cache);
    canvas.setForeColor(rgb(190, 200, 255));
    canvas.setCurrentX(px(2) + 14);
    canvas.setCurrentY(px(3));
    canvas.Print("ab");
    canvas.Print("");
    // Each channel is (165 * 155 + fore * 100) / 255 to the nearest: 175.3, 178.7 and 200.3.
    expectImage(canvas, [](int x, int y) { return x >= 2 && x < 8 && y >= 3 && y < 5 ? rgb(175, 179, 200) : kUnder; });
    EXPECT_EQ(std::pair(canvas.CurrentX(), canvas.CurrentY()), std::pair(0.0f, px(7)));
    canvas.setCurrentX(300);
    canvas.Cls();  // clears everything and sends the text home
    EXPECT_EQ(canvas.image(), Picture(12, 8, Canvas::kBackColor));
    EXPECT_EQ(std::pair(canvas.CurrentX(), canvas.CurrentY()), std::pair(0.0f, 0.0f));
}

// On a denser screen twips fall on device pixels by the same rule: floor(twips * density / 15).
// Pictures that touch in twips touch there too, neither apart nor overlapping, where a 540-twip
// row is 94.5 device pixels; a part of a picture starts at the device pixel of its source position
// in the picture; text goes to the device pixel of the text position.
TEST(Canvas, AtADensityTwipsFallOnDevicePixelsAndPicturesThatTouchInTwipsTouchThere) {
    constexpr double kDensity = 2.625;
    Canvas canvas(1365, 1620);
    canvas.setDensity(kDensity);
    ASSERT_EQ(std::pair(canvas.image().pixelWidth(), canvas.image().pixelHeight()), std::pair(238, 283));
    for (int row = 0; row < 3; ++row) {  // OR-ed, so that an overlap shows as both rows' bits; the middle one a part
        const Picture picture = Picture::ofTwips(1365, 540, kDensity, Pixel(1) << row);
        if (row == 1) canvas.PaintPicture(picture, 0, 540, 1365, 540, 0, 0, RasterOp::SRCPAINT);
        else canvas.PaintPicture(picture, 0, 540.0f * float(row), RasterOp::SRCPAINT);
    }
    expectImage(canvas, [](int, int y) { return y < 94 ? 1u : y < 189 ? 2u : 4u; });

    Picture columns = Picture::ofTwips(1365, 540, kDensity);
    for (int x = 0; x < columns.pixelWidth(); ++x) columns.at(x, 0) = Pixel(x);
    canvas.Cls();
    // From device pixel 26.25 to 78.75, from the picture's column 119.35.
    canvas.PaintPicture(columns, 150, 0, 300, 15, 682, 0, RasterOp::SRCCOPY);
    for (int x = 25; x < 80; ++x) EXPECT_EQ(canvas.image().at(x, 0), x >= 26 && x < 78 ? Pixel(x + 93) : 0) << x;

    BlockFont font;
    TextCache cache(font);
    canvas.setTextCache(&cache);
    canvas.setForeColor(rgb(255, 255, 255));
    canvas.setCurrentX(100);  // device pixel 17.5
    canvas.setCurrentY(300);  // 52.5
    canvas.Print("a");
    EXPECT_EQ(canvas.image().at(16, 52), Canvas::kBackColor);
    EXPECT_NE(canvas.image().at(17, 52), Canvas::kBackColor);
    EXPECT_FLOAT_EQ(canvas.CurrentY(), 300 + 2 * 15 / 2.625f);  // two device pixels lower
}

}  // namespace
}  // namespace vellix
