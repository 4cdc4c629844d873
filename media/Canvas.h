#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "media/Picture.h"

namespace vellix {

class Canvas;
class TextCache;

// How a bit-block copy combines a source pixel with the canvas pixel under it, by the names the
// raster operations have always had. Every colour bit is combined on its own.
enum class RasterOp : std::uint32_t {
    SRCCOPY = 0xCC0020,   // source
    SRCAND = 0x8800C6,    // source AND canvas
    SRCPAINT = 0xEE0086,  // source OR canvas
};

// The playing field's drawing surface: a persistent off-screen image, one pixel per device pixel of
// the screen, addressed in twips (see Twips.h for the one conversion rule, at the canvas's
// density). Drawing never fails: whatever lies outside the image is clipped, and source pixels
// outside a picture read as black. Nothing is ever scaled: the pictures drawn on a canvas are
// drawn at its density.
class Canvas {
public:
    // The largest window a window system allows, X's and the browsers' alike: the image of a
    // window's canvas is the window's size, whatever that is.
    static constexpr int kMaxPixels = 32767;
    static constexpr Pixel kBackColor = rgb(0, 0, 0);

    // A canvas whose image never grows past `maxPixels` in either direction, whatever size the game
    // is told; drawing beyond it is clipped like drawing beyond any edge.
    Canvas(float widthTwips, float heightTwips, int maxPixels = kMaxPixels);

    // The size in twips, as the game reads it. The image keeps what was drawn at its top-left;
    // any new area is filled with the background colour.
    void resize(float widthTwips, float heightTwips);
    float Width() const { return width_; }
    float Height() const { return height_; }

    // Device pixels to each 96-dpi pixel; 1 until set. The size in twips stays; the image is made
    // anew at the new density, all background.
    void setDensity(double density);
    double density() const { return density_; }

    // Fills the image with the background colour and moves the text position home.
    void Cls();

    // Combines the source rectangle of `picture` that starts at (sx, sy) with the canvas at
    // (x, y), w by h twips. Source and destination are always the same size: nothing is scaled.
    // Each of x, y, w and h becomes pixels by the rule (at a density other than 1: the right and
    // bottom edges, as a whole picture's), and sx and sy by the rule at the picture's density.
    void PaintPicture(const Picture& picture, float x, float y, float w, float h, float sx, float sy,
                      RasterOp op);
    // The whole picture at (x, y): from where its left edge falls to where its right edge falls,
    // so that pictures that touch in twips touch on the canvas, at any density (Picture::pixelsFor).
    void PaintPicture(const Picture& picture, float x, float y, RasterOp op);

    float CurrentX() const { return currentX_; }
    float CurrentY() const { return currentY_; }
    void setCurrentX(float x) { currentX_ = x; }
    void setCurrentY(float y) { currentY_ = y; }
    Pixel ForeColor() const { return foreColor_; }
    void setForeColor(Pixel colour) { foreColor_ = colour; }

    // Draws one line of text in the fore colour with its top-left corner at the device pixel of
    // the text position, then moves the text position to the start of the next line. The text's
    // pictures are made at the canvas's density. Without a font it draws nothing.
    void Print(std::string_view text);
    void setTextCache(TextCache* text) { text_ = text; }

    const Picture& image() const { return image_; }
    // For each row of the image: whether it may hold anything but the background since the last Cls
    // (1), or surely holds nothing else (0). A screen that keeps its last picture need not be sent
    // again a row that held nothing then and holds nothing now.
    const std::vector<std::uint8_t>& rowsDrawn() const { return rowsDrawn_; }

private:
    void blendText(int x, int y, const struct TextImage& text);
    void paint(const Picture& picture, int dx, int dy, int width, int height, int srcX, int srcY, RasterOp op);

    int imagePixels(float twips) const;
    int pixels(double twips) const { return twipsToPixels(twips, density_); }

    float width_ = 0;
    float height_ = 0;
    double density_ = 1;
    int maxPixels_ = kMaxPixels;
    Picture image_;
    std::vector<std::uint8_t> rowsDrawn_;
    float currentX_ = 0;
    float currentY_ = 0;
    Pixel foreColor_ = rgb(0, 0, 0);
    TextCache* text_ = nullptr;
};

}  // namespace vellix
