#include "platform/web/BrowserTextRasterizer.h"

#include <string>

#include "platform/web/PageScript.h"

namespace vellix {

TextImage BrowserTextRasterizer::render(std::string_view text) {
    const std::string line(text);
    TextImage image;
    image.width = vellix_text_width(line.c_str(), size_);
    image.height = lineHeight();
    image.coverage.resize(std::size_t(image.width) * std::size_t(image.height));
    if (!image.coverage.empty())
        vellix_text_draw(line.c_str(), size_, image.width, image.height, image.coverage.data());
    return image;
}

int BrowserTextRasterizer::lineHeight() const { return vellix_text_line_height(size_); }

}  // namespace vellix
