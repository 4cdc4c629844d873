// make-art: draws every picture the game uses and writes them into a directory.
//   make-art <output-directory>
// The output is the same, byte for byte, on every run.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "media/art/Art.h"
#include "tools/images/ImageFiles.h"

namespace {

namespace fs = std::filesystem;
using namespace vellix;

void writeFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void writeBmp(const fs::path& dir, const std::string& name, const Picture& picture) {
    writeFile(dir / (name + ".bmp"), encodeBmp(picture, false));
}

void writeMasked(const fs::path& dir, const std::string& name, const std::string& matteName,
                 const art::MaskedSprite& sprite) {
    writeBmp(dir, name, sprite.sprite);
    writeBmp(dir, matteName, sprite.matte);
}

void makeAll(const fs::path& dir) {
    fs::create_directories(dir / "icons");

    // The sprites built into the program, at 96 dpi.
    constexpr double kDensity = 1;
    for (int colour = 0; colour < art::kBrickColours; ++colour)
        writeBmp(dir, "imgBrick" + std::to_string(colour), art::drawBrick(colour, kDensity));
    for (int kind = 1; kind <= art::kPowerUps; ++kind)
        writeMasked(dir, "imgPowerup" + std::to_string(kind), "imgPowerupMatte" + std::to_string(kind),
                    art::drawPowerUp(kind, kDensity));

    writeMasked(dir, "imgBall", "imgBallMatte", art::drawBall(kDensity));
    writeMasked(dir, "imgPointer", "imgPointerMatte", art::drawPointer(kDensity));
    writeMasked(dir, "imgMouse", "imgMouseMatte", art::drawMouseDot(kDensity));
    writeMasked(dir, "imgPaddleLeft", "imgPaddleLeftMatte", art::drawPaddleLeft(kDensity));
    writeMasked(dir, "imgPaddleRight", "imgPaddleRightMatte", art::drawPaddleRight(kDensity));
    writeBmp(dir, "imgPaddleCenter", art::drawPaddleCenter(kDensity));

    // The icons, the window's at 96 dpi and the desktop's, finely sampled.
    const auto icon = [](int size) { return art::drawIcon(size, size <= 64 ? 8 : 5); };
    writeFile(dir / "icon.bmp", encodeBmp(icon(32), true));
    for (int size : {32, 48, 64, 128, 256})
        writeFile(dir / "icons" / ("vellix-" + std::to_string(size) + ".png"), encodePng(icon(size), true));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output-directory>\n", argv[0]);
        return 2;
    }
    try {
        makeAll(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-art: %s\n", e.what());
        return 1;
    }
    return 0;
}
