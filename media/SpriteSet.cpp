#include "media/SpriteSet.h"

#include <string>

#include "media/BmpFile.h"

namespace vellix {

namespace {

Picture load(const std::string& name) {
    const auto file = embeddedFile(name + ".bmp");
    if (file.empty()) throw ImageFileError("the picture " + name + " is not built into the program");
    return decodeBmp(file);
}

SpriteSet loadAll() {
    SpriteSet s;
    for (std::size_t i = 0; i < s.imgBrick.size(); ++i) s.imgBrick[i] = load("imgBrick" + std::to_string(i));
    for (std::size_t i = 1; i < s.imgPowerup.size(); ++i) {
        s.imgPowerup[i] = load("imgPowerup" + std::to_string(i));
        s.imgPowerupMatte[i] = load("imgPowerupMatte" + std::to_string(i));
    }
    s.imgBall = load("imgBall");
    s.imgBallMatte = load("imgBallMatte");
    s.imgPointer = load("imgPointer");
    s.imgPointerMatte = load("imgPointerMatte");
    s.imgMouse = load("imgMouse");
    s.imgMouseMatte = load("imgMouseMatte");
    s.imgPaddleLeft = load("imgPaddleLeft");
    s.imgPaddleLeftMatte = load("imgPaddleLeftMatte");
    s.imgPaddleRight = load("imgPaddleRight");
    s.imgPaddleRightMatte = load("imgPaddleRightMatte");
    s.imgPaddleCenter = load("imgPaddleCenter");
    return s;
}

}  // namespace

const SpriteSet& SpriteSet::builtIn() {
    // Decoded once; the pictures never change while the program runs.
    static const SpriteSet sprites = loadAll();
    return sprites;
}

}  // namespace vellix
