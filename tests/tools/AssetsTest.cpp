#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "tools/images/ImageFiles.h"

namespace vellix {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::set<fs::path> filesUnder(const fs::path& dir) {
    std::set<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        if (entry.is_regular_file()) files.insert(fs::relative(entry.path(), dir));
    return files;
}

// The tools make exactly the committed files: the same pictures and sounds, none missing and none
// extra. A PNG file is compared by its pixels (another zlib may pack them differently), every other
// file byte for byte.
TEST(Assets, TheToolsReproduceTheCommittedFiles) {
    const fs::path out = fs::path(testing::TempDir()) / ("vellix-assets-" + std::to_string(getpid()));
    const fs::path committed = VELLIX_SOURCE_DIR "/assets";
    for (auto [tool, dir] : {std::pair{VELLIX_MAKE_ART, out}, {VELLIX_MAKE_SOUNDS, out / "sounds"}})
        ASSERT_EQ(std::system((std::string("'") + tool + "' '" + dir.string() + "'").c_str()), 0) << tool;
    ASSERT_EQ(filesUnder(out), filesUnder(committed));
    for (const fs::path& file : filesUnder(out)) {
        const auto made = bytesOf(out / file), kept = bytesOf(committed / file);
        if (file.extension() == ".png") EXPECT_EQ(decodePng(made, true), decodePng(kept, true)) << file;
        else EXPECT_TRUE(made == kept) << file;
    }
    fs::remove_all(out);
}

}  // namespace
}  // namespace vellix
