#pragma once

// What the game's window shows, read as a player would: screenshots are read by colour classes and
// positions, never against stored pictures, on a screen of any depth.
#include "tests/e2e/Desktop.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <memory>
#include <ostream>
#include <sstream>

namespace vellix::testing {

template <class... Parts>
std::string str(const Parts&... parts) { std::ostringstream out; (out << ... << parts); return out.str(); }

// 15 twips to a pixel, rounded down.
inline int pixels(double twips) { return int(std::floor(twips / 15)); }

// The channel in the bits of `mask` of a pixel, from 0 to 255 whatever the number of bits.
inline int channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    return int(((pixel & mask) >> shift) * 255 / (mask >> shift));
}

struct Rgb {  // a pixel's channels, the least and the greatest of them
    Rgb(int red, int green, int blue) : r(red), g(green), b(blue) {}
    int r, g, b, lo = std::min({r, g, b}), hi = std::max({r, g, b});
};
inline bool text(Rgb c) { return c.b > 150 && c.b > c.r && c.b > c.g; }  // (190, 200, 255), smoothed
inline bool ballGreen(Rgb c) { return c.g > c.r + 20 && c.g > c.b + 20; }
inline bool saturated(Rgb c) { return c.hi - c.lo > 100; }
inline bool beige(Rgb c) { return c.r > 150 && c.r > c.g && c.g > c.b + 15 && c.g * 5 > c.r * 4 && c.b * 2 > c.r; }
inline bool greyWhite(Rgb c) { return c.lo > 75 && c.hi - c.lo < 20; }

// Where the pixels of a class lie, and how many there are.
struct Box { int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1, count = 0; };
inline std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << b.count << " px in x " << b.left << ".." << b.right << ", y " << b.top << ".." << b.bottom;
}
// Something is there, its edges within `slack` pixels of x0, y0 (top left) and x1, y1 (bottom right).
inline bool near(const Box& b, int x0, int y0, int x1, int y1, int slack) {
    return b.count > 0 && std::max({std::abs(b.left - x0), std::abs(b.top - y0), std::abs(b.right - x1),
                                    std::abs(b.bottom - y1)}) <= slack;
}

struct Shot {
    int w = 0, h = 0;
    std::shared_ptr<XImage> image;
    // The colour of a pixel, through the masks of the window's visual (TrueColor, any depth).
    Rgb at(int x, int y) const {
        if (x < 0 || y < 0 || x >= w || y >= h) return {0, 0, 0};
        const unsigned long p = XGetPixel(image.get(), x, y);
        return {channel(p, image->red_mask), channel(p, image->green_mask), channel(p, image->blue_mask)};
    }
    // Where the pixels of a class lie within [x0, x1) x [y0, y1).
    Box find(int x0, int y0, int x1, int y1, bool (*is)(Rgb)) const {
        Box b;
        for (int y = std::max(y0, 0); y < std::min(y1, h); ++y)
            for (int x = std::max(x0, 0); x < std::min(x1, w); ++x)
                if (is(at(x, y))) b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x), y, b.count + 1};
        return b;
    }
    // Message line i (0 the newest) is printed at x 240, y H - 1800 + 240 i twips, left of the score at W - 2000.
    int lineTop(int i) const { return pixels(15.0 * h - 1800 + 240 * i); }
    int scoreLeft() const { return pixels(15.0 * w - 2000); }
    Box line(int i) const { return find(0, lineTop(i), scoreLeft() - 1, lineTop(i) + 16, text); }
};

// A rectangle of a window: the game's own window within a nested compositor's output. Empty: the
// whole window.
struct Area { int x = 0, y = 0, w = 0, h = 0; };

// The picture of the window (or of `area` in it), or an empty shot when it cannot be had (a window
// that changes size fails).
inline Shot shotOf(Display* display, Window window, Area area = {}) {
    XWindowAttributes a{};
    if (area.w == 0 && XGetWindowAttributes(display, window, &a) != 0) area = {0, 0, a.width, a.height};
    XImage* image = area.w == 0 ? nullptr
                    : XGetImage(display, window, area.x, area.y, unsigned(area.w), unsigned(area.h), AllPlanes, ZPixmap);
    return image == nullptr ? Shot{} : Shot{area.w, area.h, {image, [](XImage* i) { XDestroyImage(i); }}};
}

// `lives` spare-ball icons, 33 x 32 px (n times that on a screen n times as dense), the k-th from
// the right at W - 500 - 495 k twips, top at H - 1000; nothing green right of them, nor in the slot
// past the last.
inline std::string spareBalls(const Shot& s, int lives, int n = 1) {
    const double w = 15.0 * s.w / n, h = 15.0 * s.h / n;
    const int top = pixels((h - 1000) * n), end = pixels((w - 500) * n), size = 33 * n;
    std::string wrong = s.find(end + 1, top, s.w, top + size, ballGreen).count > 0 ? "green beyond the icons; " : "";
    for (int k = 1; k <= lives + 1; ++k) {
        const int x = pixels((w - 500 - 495 * k) * n), green = s.find(x, top, x + size, top + size, ballGreen).count;
        if (k <= lives ? green < size * size / 2 : green > 50 * n * n) wrong += str("icon ", k, " from the right: ", green, "; ");
    }
    return wrong;
}

// A game at its start: five spare balls, and the wall of level 1, saturated colours in its four rows
// of 36 px at the top (n times that at density n), none below them.
inline std::string freshGame(const Shot& s, int n = 1) {
    const Box wall = s.find(0, 0, s.w, 144 * n, saturated), below = s.find(0, 146 * n, s.w, 200 * n, saturated);
    return spareBalls(s, 5, n) + (wall.count > 1000 * n * n && below.count == 0 ? "" : str("wall ", wall, ", below it ", below));
}

// The paddle, a beige bar (its edges darker) 15 px high, its top a pixel below H - 2000 twips,
// centred on x; the mouse marker, an 8 x 8 grey-white dot at (x - 4, H - 2000), under the paddle,
// which only brightens it. (A struck paddle dips for a moment, and the marker with it.)
inline std::string paddleAndMarkerAt(const Shot& s, int x) {
    const int top = pixels(15.0 * s.h - 2000);
    int left = x, right = x;  // the beige run through x, across the paddle (a companion paddle may be elsewhere)
    while (beige(s.at(left - 1, top + 10))) --left;
    while (beige(s.at(right + 1, top + 10))) ++right;
    const Box bar = s.find(left, top - 20, right + 1, top + 16, beige), dot = s.find(0, top - 20, s.w, top + 16, greyWhite);
    return right - left > 50 && near(bar, left, top + 1, 2 * x - left, top + 12, 2) &&
                   near(dot, x - 4, top, x + 3, top + 7, 1)
               ? "" : str("paddle ", bar, ", marker ", dot);
}

// Takes screenshots of `window` (or of `area` in it) until `check` finds nothing wrong, for at most
// `limit`; returns its last complaint.
inline std::string await(Display* display, Window window, std::chrono::seconds limit,
                         const std::function<std::string(const Shot&)>& check, Area area = {}) {
    std::string complaint;
    waitFor(limit, [&] { return (complaint = check(shotOf(display, window, area))).empty(); });
    return complaint;
}

}  // namespace vellix::testing
