#include "media/SpriteSet.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "media/BmpFile.h"
#include "media/art/Art.h"

namespace vellix {

namespace {

Picture load(const std::string& name) {
    const auto file = embeddedFile(name + ".bmp");
    if (file.empty()) throw ImageFileError("the picture " + name + " is not built into the program");
    return decodeBmp(file);
}

// Runs every job once, on as many threads as the machine has cores (in a browser, one after the
// other: a page has no threads of its own here). Each job takes the next one not yet started.
void runOnEveryCore(const std::vector<std::function<void()>>& jobs) {
#ifdef __EMSCRIPTEN__
    for (const auto& job : jobs) job();
#else
    std::atomic<std::size_t> next = 0;
    const auto work = [&] {
        for (std::size_t i = next++; i < jobs.size(); i = next++) jobs[i]();
    };
    const std::size_t cores = std::max(std::thread::hardware_concurrency(), 1u);
    std::vector<std::thread> helpers(std::min(cores, jobs.size()) - 1);
    for (std::thread& helper : helpers) helper = std::thread(work);
    work();
    for (std::thread& helper : helpers) helper.join();
#endif
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

SpriteSet SpriteSet::atDensity(double density) { return density == 1 ? builtIn() : drawn(density); }

SpriteSet SpriteSet::drawn(double density) {
    const auto put = [](Picture& sprite, Picture& matte, art::MaskedSprite drawing) {
        sprite = std::move(drawing.sprite);
        matte = std::move(drawing.matte);
    };
    SpriteSet s;
    // Each picture is drawn on its own, the costly ones (the bricks, then the power-ups) first.
    std::vector<std::function<void()>> jobs;
    for (std::size_t i = 0; i < s.imgBrick.size(); ++i)
        jobs.emplace_back([&, i] { s.imgBrick[i] = art::drawBrick(int(i), density); });
    for (std::size_t i = 1; i < s.imgPowerup.size(); ++i)
        jobs.emplace_back([&, i] { put(s.imgPowerup[i], s.imgPowerupMatte[i], art::drawPowerUp(int(i), density)); });
    jobs.emplace_back([&] { put(s.imgBall, s.imgBallMatte, art::drawBall(density)); });
    jobs.emplace_back([&] { put(s.imgPointer, s.imgPointerMatte, art::drawPointer(density)); });
    jobs.emplace_back([&] { put(s.imgMouse, s.imgMouseMatte, art::drawMouseDot(density)); });
    jobs.emplace_back([&] { put(s.imgPaddleLeft, s.imgPaddleLeftMatte, art::drawPaddleLeft(density)); });
    jobs.emplace_back([&] { put(s.imgPaddleRight, s.imgPaddleRightMatte, art::drawPaddleRight(density)); });
    jobs.emplace_back([&] { s.imgPaddleCenter = art::drawPaddleCenter(density); });
    runOnEveryCore(jobs);
    return s;
}

Picture windowIcon(double density) {
    if (density == 1) return load("icon");
    // Drawn as the window opens, with two samples each way in a pixel: enough for an icon's edges.
    return art::drawIcon(int(std::lround(32 * density)), 2);
}

}  // namespace vellix
