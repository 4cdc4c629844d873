// The real program in a real window, played with the real mouse and watched from outside, as a
// player would: screenshots are read by colour classes and positions, never against stored pictures.
#include "tests/e2e/Desktop.h"

#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "tests/ui/Process.h"

namespace vellix::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

template <class... Parts>
std::string str(const Parts&... parts) {
    std::ostringstream out;
    (out << ... << parts);
    return out.str();
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// 15 twips to a pixel, rounded down.
int pixels(double twips) { return int(std::floor(twips / 15)); }

// 16-bit samples after `skip` bytes of header, every `step`-th (2: one side of a stereo file).
std::vector<float> samples(const fs::path& path, std::size_t skip, std::size_t step) {
    const std::string bytes = readFile(path);
    std::vector<float> out;
    for (std::size_t i = skip; i + 1 < bytes.size(); i += 2 * step)
        out.push_back(float(std::int16_t(std::uint8_t(bytes[i]) | std::uint8_t(bytes[i + 1]) << 8)));
    return out;
}

std::size_t onset(const std::vector<float>& sound) {
    return std::size_t(std::find_if(sound.begin(), sound.end(), [](float v) { return v != 0; }) - sound.begin());
}

// Normalised cross-correlation of `n` samples of `a` from `from` on with `b` shifted by `at`.
double correlation(const std::vector<float>& a, std::size_t from, std::size_t n, const std::vector<float>& b,
                   std::size_t at) {
    double ab = 0, aa = 0, bb = 0;
    for (auto k = from; k < from + n; ++k) ab += a[k] * b[at + k], aa += a[k] * a[k], bb += b[at + k] * b[at + k];
    return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0;
}

// How well `sound` shows in `mix` at its best offset: a short stretch from its onset finds the
// candidates, the whole sound decides, so other sounds laid over it lower the score only a little.
double bestMatch(const std::vector<float>& sound, const std::vector<float>& mix) {
    double best = 0;
    for (std::size_t at = 0; at + sound.size() <= mix.size(); ++at)
        if (correlation(sound, onset(sound), 256, mix, at) > 0.7)
            best = std::max(best, correlation(sound, 0, sound.size(), mix, at));
    return best;
}

struct Rgb {
    int r, g, b;
    int lo() const { return std::min({r, g, b}); }
    int hi() const { return std::max({r, g, b}); }
};
using Is = std::function<bool(Rgb)>;
const Is black = [](Rgb c) { return c.hi() == 0; };
const Is text = [](Rgb c) { return c.b > 150 && c.b > c.r && c.b > c.g; };  // (190, 200, 255), smoothed
const Is ballGreen = [](Rgb c) { return c.g > c.r + 20 && c.g > c.b + 20; };
const Is beige = [](Rgb c) { return c.r > 150 && c.r > c.g && c.g > c.b + 15 && c.g * 5 > c.r * 4 && c.b * 2 > c.r; };
const Is greyWhite = [](Rgb c) { return c.lo() > 75 && c.hi() - c.lo() < 20; };
const Is saturated = [](Rgb c) { return c.hi() - c.lo() > 100; };
const Is buttonFace = [](Rgb c) { return std::abs(c.r - 64) + std::abs(c.g - 72) + std::abs(c.b - 112) < 20; };
const Is light = [](Rgb c) { return c.lo() > 180; };

struct Box {  // where the pixels of a class lie, and how many there are
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1, count = 0;
};
std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << b.count << " px in x " << b.left << ".." << b.right << ", y " << b.top << ".." << b.bottom;
}
// Something is there, its edges within `slack` pixels of x0, y0 (top left) and x1, y1 (bottom right).
bool near(const Box& b, int x0, int y0, int x1, int y1, int slack) {
    return b.count > 0 && std::max({std::abs(b.left - x0), std::abs(b.top - y0), std::abs(b.right - x1),
                                    std::abs(b.bottom - y1)}) <= slack;
}

struct Shot {
    int w = 0, h = 0;
    std::vector<Rgb> px;
    Rgb at(int x, int y) const { return px[std::size_t(y * w + x)]; }
    // Where the pixels of a class lie within [x0, x1) x [y0, y1).
    Box find(int x0, int y0, int x1, int y1, const Is& is) const {
        Box b;
        for (int y = std::max(y0, 0); y < std::min(y1, h); ++y)
            for (int x = std::max(x0, 0); x < std::min(x1, w); ++x) {
                if (!is(at(x, y))) continue;
                b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x), std::max(b.bottom, y), b.count + 1};
            }
        return b;
    }
    // Message line i (0 the newest) is printed at x 240, y H - 1800 + 240 i twips; the score at W - 2000.
    int lineTop(int i) const { return pixels(15.0 * h - 1800 + 240 * i); }
    int scoreLeft() const { return pixels(15.0 * w - 2000); }
    Box line(int i) const { return find(0, lineTop(i), scoreLeft() - 1, lineTop(i) + 16, text); }
    Box score() const { return find(scoreLeft() - 1, lineTop(0), w, lineTop(0) + 16, text); }
};

// Text printed at (x, y): its ink begins about a pixel to the right and two below.
std::string textAt(const Box& ink, int x, int y, const std::string& what) {
    return near(ink, x + 1, y + 2, ink.right, ink.bottom, 2) ? "" : str(what, " at ", x, ", ", y, ": ", ink, "; ");
}

// `lives` spare-ball icons, 33 x 32 px, side by side leftward from W - 500 twips, top at H - 1000.
std::string spareBalls(const Shot& s, int lives) {
    std::string wrong;
    const int top = pixels(15.0 * s.h - 1000);
    for (int k = 1; k <= lives + 1; ++k) {
        const int left = pixels(15.0 * s.w - 500 - 495 * k);
        const int green = s.find(left, top, left + 33, top + 32, ballGreen).count;
        if (k <= lives ? green < 33 * 32 / 2 : green > 50) wrong += str("icon ", k, " from the right: ", green, "; ");
    }
    const Box beyond = s.find(pixels(15.0 * s.w - 500) + 1, top, s.w, top + 32, ballGreen);
    return wrong + (beyond.count > 0 ? str("green right of the icons: ", beyond) : "");
}

// The wall of level 1, four rows of 36 px at the top, in more than one colour; nothing of it below.
std::string levelOneWall(const Shot& s) {
    std::map<int, int> hues;  // red 4, green 2, blue 1: the channels above half the brightest
    s.find(0, 0, s.w, 144, [&](Rgb c) {
        return saturated(c) && ++hues[(c.r > c.hi() / 2) * 4 + (c.g > c.hi() / 2) * 2 + (c.b > c.hi() / 2)] < 0;
    });
    const auto colours = std::count_if(hues.begin(), hues.end(), [](auto hue) { return hue.second > 300; });
    const Box below = s.find(0, 146, s.w, 200, saturated);
    return colours >= 2 && below.count == 0 ? "" : str(colours, " brick colours, below them ", below);
}

// The paddle, a beige bar 15 px high with its top at y 200, centred on x; the mouse marker, an 8 x 8
// grey-white dot at (x - 4, 200), under the paddle, which only brightens it. (A struck paddle dips
// for a moment, and the marker with it.)
std::string paddleAndMarkerAt(const Shot& s, int x) {
    int left = x, right = x;  // the beige run through x
    while (left > 0 && beige(s.at(left - 1, 210))) --left;
    while (right + 1 < s.w && beige(s.at(right + 1, 210))) ++right;
    const Box dot = s.find(0, 180, s.w, 216, greyWhite);
    const Box across = s.find(x + 10, 180, x + 11, 216, [](Rgb c) { return c.hi() > 0; });  // the log is below
    const Box dark = s.find(x - 4, 200, x + 4, 208, [](Rgb c) { return c.r < 100; });
    const bool there = beige(s.at(x, 210)) && right - left > 50 && std::abs(left + right - 2 * x) <= 4 &&
                       near(across, x + 10, 200, x + 10, 214, 1) && near(dot, x - 4, 200, x + 3, 207, 1) && !dark.count;
    return there ? "" : str("paddle ", left, "..", right, ", across it ", across, ", marker ", dot, ", dark ", dark);
}

// The New Game button, 1215 x 675 twips centred on the field: a face of (64, 72, 112) within its
// bevels, and a light caption.
std::string newGameButton(const Shot& s, bool shown) {
    const int left = pixels(std::floor(15.0 * s.w / 2 - 607.5)), top = pixels(std::floor(15.0 * s.h / 2 - 337.5));
    const Box face = s.find(left - 20, top - 20, left + 101, top + 65, buttonFace);
    const Box caption = s.find(left, top, left + 81, top + 45, light);
    const bool there = near(face, left + 2, top + 2, left + 78, top + 42, 2) && face.count > 1800 && caption.count > 30;
    return (shown ? there : face.count < 50) ? ""
           : str(shown ? "no " : "a ", "button at ", left, ", ", top, ": face ", face, ", caption ", caption);
}

class Vellix : public ::testing::Test {
protected:
    void SetUp() override {
        // One connection for the whole run: with no client left, the virtual X server resets and refuses the next.
        static Display* const connection = XOpenDisplay(nullptr);
        ASSERT_NE(display_ = connection, nullptr) << "run this test under a virtual X server (xvfb-run)";
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });  // a window that changes size fails a screenshot
        fs::create_directories(dir_ / "home");
        fs::create_directories(dir_ / "cache");
        files_ = writable();
        launch();
    }
    // Starts the game with the pointer off its window, and finds the window at once: the first ball
    // soon breaks bricks and posts messages.
    void launch() {
        const std::string dir = dir_.string(), search = "xdotool search --onlyvisible --name '^Vellix$'";
        xdotool("mousemove 0 0");
        game_.reset();
        waitFor(5s, [&] { return run(search).empty(); });  // a new window may get the old one's id
        const std::vector<std::string> environment{"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + dir + "/mix",
                                                   "XDG_CACHE_HOME=" + dir + "/cache", "HOME=" + dir + "/home"};
        game_.emplace(VELLIX_PROGRAM, environment, dir + "/stderr");
        ASSERT_TRUE(waitFor(20s, [&] { return (window_ = std::strtoul(run(search).c_str(), nullptr, 10)) != 0; }))
            << readFile(dir_ / "stderr");
    }
    void TearDown() override {
        game_.reset();
        EXPECT_EQ(writable(), files_) << "the game wrote a file";
        fs::remove_all(dir_);
    }

    // Where the game could write: everything in its home and cache, the files in its own directory.
    std::string writable() const {
        return run(str("find ", dir_ / "home", " ", dir_ / "cache", " -mindepth 1; find ", program_.parent_path(),
                       " -maxdepth 1 -type f -printf '%p %s %T@\\n' | sort"));
    }

    void closeWindow() const { testing::closeWindow(display_, window_); }

    void xdotool(const std::string& what) const { run(str("xdotool ", what)); }
    void pointAt(int x, int y) const { xdotool(str("mousemove --window ", window_, " ", x, " ", y)); }
    void resize(int w, int h) const { xdotool(str("windowsize ", window_, " ", w, " ", h)); }

    Shot shot() const {
        XWindowAttributes a{};
        XImage* image = XGetWindowAttributes(display_, window_, &a) == 0 ? nullptr
                        : XGetImage(display_, window_, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
        Shot s{image != nullptr ? a.width : 0, image != nullptr ? a.height : 0, {}};
        for (int i = 0; i < s.w * s.h; ++i) {
            const unsigned long p = XGetPixel(image, i % s.w, i / s.w);
            s.px.push_back({int(p >> 16 & 255), int(p >> 8 & 255), int(p & 255)});
        }
        if (image != nullptr) XDestroyImage(image);
        return s;
    }

    // Takes screenshots until `check` finds nothing wrong, for at most `limit`; returns its last complaint.
    std::string await(Clock::duration limit, const std::function<std::string(const Shot&)>& check) const {
        std::string complaint;
        waitFor(limit, [&] { return (complaint = check(shot())).empty(); });
        return complaint;
    }

    int opaquePointerPixels() const {
        XFixesCursorImage* image = XFixesGetCursorImage(display_);
        int count = 0;
        for (int i = 0; image != nullptr && i < image->width * image->height; ++i) count += image->pixels[i] >> 24 != 0;
        if (image != nullptr) XFree(image);
        return count;
    }

    const fs::path program_ = VELLIX_PROGRAM;
    const fs::path dir_ = fs::path(::testing::TempDir()) / str("vellix-e2e-", getpid());
    Display* display_ = nullptr;
    Window window_ = 0;
    std::optional<Process> game_;
    std::string files_;
};

TEST_F(Vellix, OpensShowsTheFieldFollowsTheMouseSpendsABallMovesWithTheWindowAndCloses) {
    EXPECT_EQ(str(shot().w, " x ", shot().h), "607 x 334");
    const std::string icon = run(str("xprop -id ", window_, " _NET_WM_ICON"));
    EXPECT_EQ(icon.substr(std::min(icon.find("Icon ("), icon.size()), 14), "Icon (32 x 32)") << icon.substr(0, 80);

    // The first frame: the welcome alone in the log. (If the first ball breaks a power-up brick in its
    // very first move, its message is there too: then the game is started afresh a second later, for
    // the wall is laid out anew from the time of day.) Then the score beside it, five spare balls, the
    // wall and a black field.
    Shot first;
    for (int start = 0; start < 3 && (start == 0 || first.line(1).count > 0); ++start) {
        if (start > 0) {
            std::this_thread::sleep_for(1s);
            ASSERT_NO_FATAL_FAILURE(launch());
        }
        ASSERT_TRUE(waitFor(5s, [&] { return (first = shot()).line(0).count > 0; })) << "no text";
    }
    const Box welcome = first.line(0);
    EXPECT_EQ(textAt(welcome, 16, 214, "welcome"), "");
    for (int i = 1; i < 6; ++i) EXPECT_EQ(first.line(i).count, 0) << "text on line " << i;
    EXPECT_EQ(await(5s, [&](const Shot& s) {
        const bool dark = s.find(0, 150, s.w, 200, black).count > s.w * 50 * 9 / 10;
        return textAt(s.score(), 473, 214, "score") + spareBalls(s, 5) + levelOneWall(s) + (dark ? "" : "not black");
    }), "");

    // Before the pointer first comes over the field, the paddle and the marker go for x 66 (997 twips,
    // half the field's width before its first layout).
    EXPECT_EQ(await(3s, [&](const Shot& s) { return paddleAndMarkerAt(s, 66); }), "");

    // A press spends a spare ball: the leftmost icon goes, and a new message pushes the welcome down
    // (other messages may come too: the ball breaks bricks from the start).
    const auto welcomeLine = [&](const Shot& s) {
        int i = 0;
        const Box& w = welcome;
        while (i < 6 && !near(s.line(i), w.left, w.top + 16 * i, w.right, w.bottom + 16 * i, 1)) ++i;
        return i;
    };
    pointAt(150, 150);
    const Shot before = shot();
    int lives = 0;  // 5, unless the first ball was lost already
    while (lives < 6 && !spareBalls(before, lives).empty()) ++lives;
    xdotool("click 1");
    EXPECT_EQ(await(3s, [&](const Shot& s) {
        const int now = welcomeLine(s), was = welcomeLine(before);
        return spareBalls(s, lives - 1) + (now > was && now < 6 ? "" : str("the welcome on line ", now, ", was ", was));
    }), "");

    // The log, the score and the icons keep to the bottom and right edges.
    resize(800, 500);
    EXPECT_EQ(await(3s, [&](const Shot& s) {
        if (s.w != 800 || s.h != 500) return str("the window is ", s.w, " x ", s.h);
        return textAt(s.line(0), 16, 380, "line 0") + textAt(s.line(1), 16, 396, "line 1") +
               textAt(s.score(), 666, 380, "score") + spareBalls(s, lives - 1);
    }), "");
    resize(607, 334);

    // No system pointer over the field; the paddle and the marker follow the mouse.
    EXPECT_TRUE(waitFor(2s, [&] { return opaquePointerPixels() == 0; })) << opaquePointerPixels() << " pointer px";
    EXPECT_EQ(await(5s, [&](const Shot& s) { return paddleAndMarkerAt(s, 150); }), "");
    pointAt(450, 150);
    EXPECT_EQ(await(5s, [&](const Shot& s) { return paddleAndMarkerAt(s, 450); }), "");

    closeWindow();
    EXPECT_EQ(game_->waitForExit(2s), 0) << readFile(dir_ / "stderr");
}

TEST_F(Vellix, LosingEveryBallEndsTheGameWithItsSoundAndNewGameStartsAnother) {
    Box welcome;
    ASSERT_EQ(await(5s, [&](const Shot& s) { return textAt(welcome = s.line(0), 16, 214, "welcome"); }), "");
    // The paddle parks at the right edge, while every ball falls in the left half.
    pointAt(606, 150);
    xdotool("click --repeat 5 --delay 100 1");
    ASSERT_EQ(await(30s, [&](const Shot& s) { return newGameButton(s, true); }), "");

    // "Game Over!" on top: shorter than the welcome and than every message under it.
    const Shot over = shot();
    const Box gameOver = over.line(0);
    EXPECT_EQ(textAt(gameOver, 16, 214, "game over"), "");
    EXPECT_LT(gameOver.right, welcome.right);
    for (int i = 1; i < 6; ++i) EXPECT_GT(over.line(i).right, gameOver.right) << "line " << i;
    EXPECT_EQ(spareBalls(over, 0), "");
    EXPECT_TRUE(waitFor(2s, [&] { return opaquePointerPixels() > 0; })) << "no pointer at Game over";

    const auto heard = fs::file_size(dir_ / "mix");  // the mix is written as it plays: a second more
    waitFor(5s, [&] { return fs::file_size(dir_ / "mix") > heard + 44100 * 4; });
    // Each sound plays on both sides alike; the lost balls' sound is in the mix; the mix is silent
    // until the first of the game's own sounds begins.
    const std::vector<float> left = samples(dir_ / "mix", 0, 2), right = samples(dir_ / "mix", 2, 2);
    ASSERT_GT(left.size(), 44100u);
    EXPECT_TRUE(left == std::vector<float>(right.begin(), right.begin() + long(left.size())));
    EXPECT_GE(bestMatch(samples(program_.parent_path() / "sink.wav", 44, 1), left), 0.8);
    const auto startsThere = [&](const char* name) {
        const std::vector<float> sound = samples(program_.parent_path() / name, 44, 1);
        const std::size_t at = onset(left) - onset(sound);
        return onset(left) >= onset(sound) && onset(left) + 256 < left.size() &&
               correlation(sound, onset(sound), 256, left, at) > 0.7;
    };
    EXPECT_TRUE(startsThere("bounce.wav") || startsThere("richochet.wav") || startsThere("break.wav") ||
                startsThere("sink.wav"))
        << "the silence ends at sample " << onset(left) << " in none of the game's sounds";

    // The button stays centred on a larger field, and a click on it starts level 1 anew.
    resize(800, 500);
    EXPECT_EQ(await(3s, [&](const Shot& s) { return newGameButton(s, true); }), "");
    pointAt(400, 249);
    xdotool("click 1");
    EXPECT_EQ(await(3s, [&](const Shot& s) { return newGameButton(s, false) + spareBalls(s, 5) + levelOneWall(s); }),
              "");
    EXPECT_TRUE(waitFor(2s, [&] { return opaquePointerPixels() == 0; })) << "a pointer over the field";

    // That game ends too, and the window closes at Game over.
    pointAt(799, 150);
    xdotool("click --repeat 5 --delay 100 1");
    ASSERT_EQ(await(30s, [&](const Shot& s) { return newGameButton(s, true); }), "");
    closeWindow();
    EXPECT_EQ(game_->waitForExit(2s), 0) << readFile(dir_ / "stderr");
}

TEST(VellixWithoutDisplay, SaysSoInOneLineAndFails) {
    const std::string log = ::testing::TempDir() + "vellix-nodisplay.err";
    Process game(VELLIX_PROGRAM, {"DISPLAY", "WAYLAND_DISPLAY", "SDL_AUDIODRIVER=dummy", "SDL_VIDEODRIVER"}, log);
    ASSERT_TRUE(game.started());
    EXPECT_EQ(game.waitForExit(20s), 1);
    const std::string said = readFile(log);
    EXPECT_EQ(said.find("vellix: cannot open a window: "), 0u) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
}

}  // namespace
}  // namespace vellix::testing
