#pragma once

#include "media/TextRasterizer.h"

namespace vellix {

// Text drawn by the browser itself, in a sans-serif font close to the desktop's (DejaVu Sans,
// else Verdana, whose shapes it follows, else the browser's sans-serif) at 11 pixels, in
// coverage that the canvas blends in the text colour as on the desktop.
class BrowserTextRasterizer final : public TextRasterizer {
public:
    TextImage render(std::string_view text) override;
    int lineHeight() const override;
};

}  // namespace vellix
