#pragma once

#include "media/TextRasterizer.h"

namespace vellix {

// Text drawn by the browser itself, in the desktop's font (DejaVu Sans, which the site carries) and
// at its size times the screen's density, placed as the desktop places it, in coverage that the
// canvas blends in the text colour as on the desktop.
class BrowserTextRasterizer final : public TextRasterizer {
public:
    // The font size in pixels, the desktop's.
    static constexpr int kPixelSize = 11;

    TextImage render(std::string_view text) override;
    int lineHeight() const override;
    void setDensity(double density) override { size_ = kPixelSize * density; }

private:
    double size_ = kPixelSize;
};

}  // namespace vellix
