#include "platform/sdl/TtfTextRasterizer.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace vellix {

std::string defaultSansSerifFont() {
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) return "";
    std::string file;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif"));
    if (pattern != nullptr) {
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(config, pattern, &result);
        FcChar8* path = nullptr;
        if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path != nullptr)
            file = reinterpret_cast<const char*>(path);
        if (match != nullptr) FcPatternDestroy(match);
        FcPatternDestroy(pattern);
    }
    FcConfigDestroy(config);
    return file;
}

std::unique_ptr<TtfTextRasterizer> TtfTextRasterizer::openDefaultFont() {
    const std::string file = defaultSansSerifFont();
    if (file.empty()) {
        std::fprintf(stderr, "vellix: no sans-serif font found; the game runs without text\n");
        return nullptr;
    }
    if (TTF_WasInit() == 0 && TTF_Init() != 0) {
        std::fprintf(stderr, "vellix: cannot start the font renderer (%s); the game runs without text\n",
                     TTF_GetError());
        return nullptr;
    }
    TTF_Font* font = TTF_OpenFont(file.c_str(), kPixelSize);
    if (font == nullptr) {
        std::fprintf(stderr, "vellix: cannot open the font %s; the game runs without text\n", file.c_str());
        TTF_Quit();
        return nullptr;
    }
    return std::unique_ptr<TtfTextRasterizer>(new TtfTextRasterizer(font));
}

TtfTextRasterizer::~TtfTextRasterizer() {
    TTF_CloseFont(font_);
    TTF_Quit();
}

int TtfTextRasterizer::lineHeight() const { return TTF_FontLineSkip(font_); }

// The font's size is kPixelSize points at 72 dots per inch: so many pixels, times the density.
void TtfTextRasterizer::setDensity(double density) {
    const auto dpi = unsigned(std::lround(72 * density));
    TTF_SetFontSizeDPI(font_, kPixelSize, dpi, dpi);
}

TextImage TtfTextRasterizer::render(std::string_view text) {
    TextImage image;
    const std::string line(text);
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(font_, line.c_str(), SDL_Color{255, 255, 255, 255});
    if (rendered == nullptr) return image;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    if (argb == nullptr) return image;
    image.width = argb->w;
    image.height = argb->h;
    image.coverage.resize(std::size_t(argb->w) * std::size_t(argb->h));
    for (int y = 0; y < argb->h; ++y) {
        const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) + y * argb->pitch);
        for (int x = 0; x < argb->w; ++x)
            image.coverage[std::size_t(y) * std::size_t(argb->w) + std::size_t(x)] = std::uint8_t(row[x] >> 24);
    }
    SDL_FreeSurface(argb);
    return image;
}

}  // namespace vellix
