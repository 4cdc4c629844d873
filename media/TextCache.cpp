#include "media/TextCache.h"

namespace vellix {

const TextImage& TextCache::get(std::string_view text) {
    std::string key(text);
    if (auto found = images_.find(key); found != images_.end()) return found->second;
    if (images_.size() >= kMaxEntries) images_.clear();
    return images_.emplace(std::move(key), rasterizer_.render(text)).first->second;
}

void TextCache::setDensity(double density) {
    if (density == density_) return;
    density_ = density;
    rasterizer_.setDensity(density);
    images_.clear();
}

}  // namespace vellix
