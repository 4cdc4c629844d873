#include "media/TextCache.h"

#include <gtest/gtest.h>

#include <string>

namespace vellix {
namespace {

// Counts the lines it is asked to render; each line's image is as wide as the line is long.
struct CountingText final : TextRasterizer {
    TextImage render(std::string_view text) override {
        ++rendered;
        return {int(text.size()), 1, std::vector<std::uint8_t>(text.size(), 255)};
    }
    int lineHeight() const override { return 1; }
    int rendered = 0;
};

// A line is rendered once and then kept; the score line changes with every point, so once the
// cache holds its limit of lines it forgets them all rather than growing for the whole session.
TEST(TextCache, RendersEachLineOnceAndForgetsEverythingAtItsLimit) {
    CountingText font;
    TextCache cache(font);
    for (int round = 0; round < 3; ++round)
        for (std::size_t i = 0; i < TextCache::kMaxEntries; ++i) cache.get("Score: " + std::to_string(i) + " points.");
    EXPECT_EQ(std::pair(font.rendered, cache.size()), std::pair(int(TextCache::kMaxEntries), TextCache::kMaxEntries));
    EXPECT_EQ(cache.get("one more line").width, 13);
    EXPECT_EQ(std::pair(font.rendered, cache.size()), std::pair(int(TextCache::kMaxEntries) + 1, std::size_t(1)));
    cache.get("Score: 0 points.");
    EXPECT_EQ(font.rendered, int(TextCache::kMaxEntries) + 2) << "a forgotten line is rendered again";
}

}  // namespace
}  // namespace vellix
