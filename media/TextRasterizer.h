#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vellix {

// A line of text as coverage values (0 = background, 255 = full text colour), rows from the top.
struct TextImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage;
};

// Turns a line of text into coverage. The window program uses the system's sans-serif font; tests
// can supply their own.
class TextRasterizer {
public:
    virtual ~TextRasterizer() = default;
    virtual TextImage render(std::string_view text) = 0;
    // Height of one line in pixels.
    virtual int lineHeight() const = 0;
    // The screen's density (device pixels to each 96-dpi pixel): from now on lines are rendered at
    // that many times the font's size. A font of one size whatever the density ignores it.
    virtual void setDensity(double /*density*/) {}
};

}  // namespace vellix
