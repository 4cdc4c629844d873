#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "media/TextRasterizer.h"

namespace vellix {

// Renders each distinct line once and keeps it. The score line changes with every point, so the
// cache forgets everything when it grows past a bound instead of growing for a whole session.
class TextCache {
public:
    explicit TextCache(TextRasterizer& rasterizer) : rasterizer_(rasterizer) {}

    // The reference stays valid until the next call.
    const TextImage& get(std::string_view text);
    int lineHeight() const { return rasterizer_.lineHeight(); }
    // Lines are rendered anew at the screen's new density.
    void setDensity(double density);
    std::size_t size() const { return images_.size(); }

    static constexpr std::size_t kMaxEntries = 512;

private:
    TextRasterizer& rasterizer_;
    double density_ = 1;
    std::unordered_map<std::string, TextImage> images_;
};

}  // namespace vellix
