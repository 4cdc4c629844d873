#include "tools/images/ImageFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include <unistd.h>

namespace vellix {
namespace {

using Bytes = std::vector<std::uint8_t>;

// What ImageMagick reads from `file` saved with the extension `type`: red, green, blue and alpha of
// each pixel, top row first, with alpha 255 where the file has none.
Bytes magick(const Bytes& file, const std::string& type) {
    const std::string path = testing::TempDir() + "vellix-" + std::to_string(getpid()) + "." + type;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), long(file.size()));
    FILE* pipe = popen(("convert '" + path + "' -depth 8 rgba:-").c_str(), "r");
    Bytes out;
    for (int c; (c = std::fgetc(pipe)) != EOF;) out.push_back(std::uint8_t(c));
    // Both always run: the file goes and the pipe closes whatever ImageMagick made of it.
    return (std::remove(path.c_str()) | pclose(pipe)) == 0 ? out : Bytes{};
}

TEST(ImageFiles, BmpAndPngFilesHoldThePictureAsOtherProgramsReadIt) {
    for (bool alpha : {false, true}) {
        // An odd width pads the bitmap's rows; rows that partly repeat earlier ones give the PNG packer
        // something to pack.
        Picture picture(101, 100), plain(101, 100);  // with its alpha, if any, and without
        Bytes raw;  // what ImageMagick should read
        for (int i = 0; i < 101 * 100; ++i) {
            const int x = i % 101, y = i / 101, k = (x | y) % (y % 17 + 1), a = alpha ? k * 19 & 0xFF : 255;
            const Pixel p = rgb(k * 37, y * 71, k * 13);
            picture.at(x, y) = p | (alpha ? Pixel(a) << 24 : 0), plain.at(x, y) = p;
            raw.insert(raw.end(), {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p), std::uint8_t(a)});
        }
        EXPECT_EQ(decodeBmp(encodeBmp(picture, alpha)), picture) << "alpha " << alpha;
        EXPECT_EQ(magick(encodeBmp(picture, alpha), "bmp"), raw) << "alpha " << alpha;
        EXPECT_EQ(magick(encodePng(picture, alpha), "png"), raw) << "alpha " << alpha;
        EXPECT_EQ(decodePng(encodePng(picture, alpha), alpha), picture) << "alpha " << alpha;
        // A 32-bit bitmap whose header masks no alpha holds none: its pixels come back without.
        Bytes noAlpha = encodeBmp(picture, true);
        noAlpha[66] = noAlpha[67] = noAlpha[68] = noAlpha[69] = 0;
        EXPECT_EQ(decodeBmp(noAlpha), plain) << "alpha " << alpha;
    }
}

}  // namespace
}  // namespace vellix
