#pragma once

#include <memory>
#include <string>

#include "media/TextRasterizer.h"

typedef struct _TTF_Font TTF_Font;

namespace vellix {

// Text in the system's default sans-serif font, found through fontconfig, drawn with SDL_ttf.
class TtfTextRasterizer final : public TextRasterizer {
public:
    // The font size in pixels: a line of the message log is 16 pixels apart from the next.
    static constexpr int kPixelSize = 11;

    // Looks the font up once. Returns nullptr, after one line on stderr, when there is none: the
    // game then runs without text.
    static std::unique_ptr<TtfTextRasterizer> openDefaultFont();

    ~TtfTextRasterizer() override;
    TtfTextRasterizer(const TtfTextRasterizer&) = delete;
    TtfTextRasterizer& operator=(const TtfTextRasterizer&) = delete;

    TextImage render(std::string_view text) override;
    int lineHeight() const override;
    // The font at kPixelSize times the density.
    void setDensity(double density) override;

private:
    explicit TtfTextRasterizer(TTF_Font* font) : font_(font) {}
    TTF_Font* font_;
};

// The file of the system's default sans-serif font, or "" when fontconfig finds none.
std::string defaultSansSerifFont();

}  // namespace vellix
