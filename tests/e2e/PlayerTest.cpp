// The real program in a real window, played with the real mouse and watched from outside, as a
// player would: screenshots are read by colour classes and positions, never against stored pictures.
#include "tests/e2e/Desktop.h"

#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "tests/support/Process.h"

namespace vellix::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

template <class... Parts>
std::string str(const Parts&... parts) { std::ostringstream out; (out << ... << parts); return out.str(); }

std::string readFile(const fs::path& path) { return {std::istreambuf_iterator<char>(std::ifstream(path).rdbuf()), {}}; }

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

// Normalised cross-correlation of `n` samples of `a` and `b`.
double correlation(const float* a, const float* b, std::size_t n) {
    double ab = 0, aa = 0, bb = 0;
    for (std::size_t k = 0; k < n; ++k) ab += a[k] * b[k], aa += a[k] * a[k], bb += b[k] * b[k];
    return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0;
}

std::size_t onsetOf(const std::vector<float>& v) {  // where the silence ends
    return std::size_t(std::find_if(v.begin(), v.end(), [](float x) { return x != 0; }) - v.begin());
}

// How well `sound` shows in `mix` at its best offset: a short stretch from its onset finds the
// candidates, the whole sound decides, so other sounds laid over it lower the score only a little.
double bestMatch(const std::vector<float>& sound, const std::vector<float>& mix) {
    const std::size_t onset = onsetOf(sound);
    double best = 0;
    for (std::size_t at = 0; at + sound.size() <= mix.size(); ++at)
        if (correlation(&sound[onset], &mix[at + onset], 256) > 0.7)
            best = std::max(best, correlation(&sound[0], &mix[at], sound.size()));
    return best;
}

struct Rgb {  // a pixel's channels, the least and the greatest of them
    explicit Rgb(unsigned long p) : r(int(p >> 16 & 255)), g(int(p >> 8 & 255)), b(int(p & 255)) {}
    int r, g, b, lo = std::min({r, g, b}), hi = std::max({r, g, b});
};
bool text(Rgb c) { return c.b > 150 && c.b > c.r && c.b > c.g; }  // (190, 200, 255), smoothed
bool ballGreen(Rgb c) { return c.g > c.r + 20 && c.g > c.b + 20; }
bool beige(Rgb c) { return c.r > 150 && c.r > c.g && c.g > c.b + 15 && c.g * 5 > c.r * 4 && c.b * 2 > c.r; }
bool greyWhite(Rgb c) { return c.lo > 75 && c.hi - c.lo < 20; }
bool saturated(Rgb c) { return c.hi - c.lo > 100; }
bool buttonFace(Rgb c) { return std::abs(c.r - 64) + std::abs(c.g - 72) + std::abs(c.b - 112) < 20; }

// Where the pixels of a class lie, and how many there are.
struct Box { int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1, count = 0; };
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
    std::shared_ptr<XImage> image;
    Rgb at(int x, int y) const { return Rgb(x >= 0 && y >= 0 && x < w && y < h ? XGetPixel(image.get(), x, y) : 0); }
    // Where the pixels of a class lie within [x0, x1) x [y0, y1).
    Box find(int x0, int y0, int x1, int y1, bool (*is)(Rgb)) const {
        Box b;
        for (int y = std::max(y0, 0); y < std::min(y1, h); ++y)
            for (int x = std::max(x0, 0); x < std::min(x1, w); ++x)
                if (is(at(x, y))) b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x), y, b.count + 1};
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

// `lives` spare-ball icons, 33 x 32 px, the k-th from the right at W - 500 - 495 k twips, top at
// H - 1000; nothing green right of them, nor in the slot past the last.
std::string spareBalls(const Shot& s, int lives) {
    const int top = pixels(15.0 * s.h - 1000), end = pixels(15.0 * s.w - 500);
    std::string wrong = s.find(end + 1, top, s.w, top + 32, ballGreen).count > 0 ? "green beyond the icons; " : "";
    for (int k = 1; k <= lives + 1; ++k) {
        const int x = pixels(15.0 * s.w - 500 - 495 * k), green = s.find(x, top, x + 33, top + 32, ballGreen).count;
        if (k <= lives ? green < 33 * 32 / 2 : green > 50) wrong += str("icon ", k, " from the right: ", green, "; ");
    }
    return wrong;
}

// A game at its start: five spare balls, and the wall of level 1, saturated colours in its four rows
// of 36 px at the top, none below them.
std::string freshGame(const Shot& s) {
    const Box wall = s.find(0, 0, s.w, 144, saturated), below = s.find(0, 146, s.w, 200, saturated);
    return spareBalls(s, 5) + (wall.count > 1000 && below.count == 0 ? "" : str("wall ", wall, ", below it ", below));
}

// The paddle, a beige bar (its edges darker) 15 px high, its top a pixel below H - 2000 twips,
// centred on x; the mouse marker, an 8 x 8 grey-white dot at (x - 4, H - 2000), under the paddle,
// which only brightens it. (A struck paddle dips for a moment, and the marker with it.)
std::string paddleAndMarkerAt(const Shot& s, int x) {
    const int top = pixels(15.0 * s.h - 2000);
    int left = x, right = x;  // the beige run through x, across the paddle (a companion paddle may be elsewhere)
    while (beige(s.at(left - 1, top + 10))) --left;
    while (beige(s.at(right + 1, top + 10))) ++right;
    const Box bar = s.find(left, top - 20, right + 1, top + 16, beige), dot = s.find(0, top - 20, s.w, top + 16, greyWhite);
    return right - left > 50 && near(bar, left, top + 1, 2 * x - left, top + 12, 2) &&
                   near(dot, x - 4, top, x + 3, top + 7, 1)
               ? "" : str("paddle ", bar, ", marker ", dot);
}

// The New Game button, 1215 x 675 twips centred on the field: a face of (64, 72, 112) within its bevels.
std::string newGameButton(const Shot& s, bool shown) {
    const int left = pixels(std::floor(15.0 * s.w / 2 - 607.5)), top = pixels(std::floor(15.0 * s.h / 2 - 337.5));
    const Box face = s.find(left - 20, top - 20, left + 101, top + 65, buttonFace);
    const bool there = near(face, left + 2, top + 2, left + 78, top + 42, 2) && face.count > 1800;
    return (shown ? there : face.count < 50) ? "" : str(shown ? "no " : "a ", "button at ", left, ",", top, ": ", face);
}

class Vellix : public ::testing::Test {
protected:
    // Starts the game with the pointer off its window, finds the window by its title at once, and
    // takes the first frame with text: the first ball soon breaks bricks and posts messages. (If it
    // breaks a power-up brick in its very first move, that message is there too: then the game is
    // started afresh a second later, for the wall is laid out anew from the time of day.)
    void SetUp() override {
        // One connection for the whole run: with no client left, the virtual X server resets and refuses the next.
        static Display* const connection = XOpenDisplay(nullptr);
        ASSERT_NE(display_ = connection, nullptr) << "run this test under a virtual X server (xvfb-run)";
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });  // a window that changes size fails a screenshot
        for (const char* sub : {"home", "cache", "work"}) fs::create_directories(dir_ / sub);
        std::ofstream(dir_ / "since");  // what the game writes is newer
        const std::string dir = dir_.string(), search = "xdotool search --onlyvisible --name '^Vellix$'";
        for (int start = 0; start < 3 && (start == 0 || first_.line(1).count > 0); ++start) {
            if (start > 0) std::this_thread::sleep_for(1s);
            xdotool("mousemove 0 0");
            game_.reset();
            waitFor(5s, [&] { return run(search).empty(); });  // a new window may get the old one's id
            game_.emplace(VELLIX_PROGRAM, std::vector<std::string>{"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + dir +
                          "/mix", "XDG_CACHE_HOME=" + dir + "/cache", "HOME=" + dir + "/home"}, dir + "/stderr",
                          std::vector<std::string>{}, dir + "/work");
            ASSERT_TRUE(waitFor(20s, [&] { return (window_ = std::strtoul(run(search).c_str(), nullptr, 10)) != 0; }))
                << readFile(dir_ / "stderr");
            ASSERT_TRUE(waitFor(5s, [&] { return (first_ = shot()).line(0).count > 0; })) << "no text";
        }
    }
    // Closed as a window manager closes it, in play or at Game over, the game ends with status 0. It
    // has written nothing in its home, its cache and its working directory, and no file beside itself.
    void TearDown() override {
        if (!game_) return;  // no display
        closeWindow(display_, window_);
        EXPECT_EQ(game_->waitForExit(2s), 0) << readFile(dir_ / "stderr");
        EXPECT_EQ(run(str("find ", dir_ / "home", " ", dir_ / "cache", " ", dir_ / "work", " -mindepth 1; find ", program_.parent_path(),
                          " -maxdepth 1 -type f -newer ", dir_ / "since")), "") << "the game wrote a file";
        fs::remove_all(dir_);
    }

    void xdotool(const std::string& what) const { run("xdotool " + what); }

    Shot shot() const {
        XWindowAttributes a{};
        XImage* image = XGetWindowAttributes(display_, window_, &a) == 0 ? nullptr
                        : XGetImage(display_, window_, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
        return image == nullptr ? Shot{} : Shot{a.width, a.height, {image, [](XImage* i) { XDestroyImage(i); }}};
    }

    // Takes screenshots until `check` finds nothing wrong, for at most `limit`; returns its last complaint.
    std::string await(std::chrono::seconds limit, const std::function<std::string(const Shot&)>& check) const {
        std::string complaint;
        waitFor(limit, [&] { return (complaint = check(shot())).empty(); });
        return complaint;
    }

    // The system pointer, drawn (`shown`) or not, as expected; else what is wrong.
    std::string pointer(bool shown) const {
        const std::unique_ptr<XFixesCursorImage, int (*)(void*)> image(XFixesGetCursorImage(display_), XFree);
        const auto opaque = [](unsigned long p) { return p >> 24 != 0; };
        const bool drawn = image && std::any_of(image->pixels, image->pixels + image->width * image->height, opaque);
        return drawn == shown ? "" : drawn ? "a pointer over the field; " : "no pointer; ";
    }

    const fs::path program_ = VELLIX_PROGRAM;
    const fs::path dir_ = fs::path(::testing::TempDir()) / str("vellix-e2e-", getpid());
    Display* display_ = nullptr;
    Window window_ = 0;
    std::optional<Process> game_;
    Shot first_;
};

TEST_F(Vellix, OpensShowsTheFieldFollowsTheMouseSpendsABallMovesWithTheWindowAndClosesInPlay) {
    EXPECT_EQ(run(str("xprop -id ", window_, " _NET_WM_ICON | grep -o -m 1 'Icon ([^)]*)'")), "Icon (32 x 32)\n");

    // The first frame: the welcome alone in the log, the score beside it, five spare balls and the
    // wall; before the pointer first comes over the field, the paddle and the marker go for x 66
    // (997 twips, half the field's width before its first layout).
    EXPECT_EQ(str(first_.w, " x ", first_.h), "607 x 334");
    EXPECT_EQ(textAt(first_.line(0), 16, 214, "welcome"), "");
    for (int i = 1; i < 6; ++i) EXPECT_EQ(first_.line(i).count, 0) << "text on line " << i;
    EXPECT_EQ(await(5s, [](const Shot& s) { return textAt(s.score(), 473, 214, "score") + freshGame(s); }), "");
    EXPECT_EQ(await(3s, [](const Shot& s) { return paddleAndMarkerAt(s, 66); }), "");

    // A press spends a spare ball: the leftmost icon goes, and a new message pushes the welcome down
    // (other messages may come too: the ball breaks bricks from the start).
    const auto welcomeLine = [w = first_.line(0)](const Shot& s) {  // 6: gone
        int i = 0;
        while (i < 6 && !near(s.line(i), w.left, w.top + 16 * i, w.right, w.bottom + 16 * i, 1)) ++i;
        return i;
    };
    const Shot before = shot();
    int lives = 0;  // 5, unless the first ball was lost already
    while (lives < 6 && !spareBalls(before, lives).empty()) ++lives;
    xdotool(str("mousemove --window ", window_, " 150 150 click 1"));
    EXPECT_EQ(await(3s, [&](const Shot& s) {
        const int now = welcomeLine(s), was = welcomeLine(before);
        return spareBalls(s, lives - 1) + (now > was && now < 6 ? "" : str("the welcome on line ", now, ", was ", was));
    }), "");

    // The log, the score and the icons keep to the bottom and right edges.
    xdotool(str("windowsize ", window_, " 800 500"));
    EXPECT_EQ(await(3s, [&](const Shot& s) {
        return textAt(s.line(0), 16, 380, "line 0") + textAt(s.line(1), 16, 396, "line 1") +
               textAt(s.score(), 666, 380, "score") + spareBalls(s, lives - 1);
    }), "");
    xdotool(str("windowsize ", window_, " 607 334"));

    // No system pointer over the field; the paddle and the marker follow the mouse.
    EXPECT_EQ(await(5s, [&](const Shot& s) { return paddleAndMarkerAt(s, 150) + pointer(false); }), "");
    xdotool(str("mousemove --window ", window_, " 450 150"));
    EXPECT_EQ(await(5s, [](const Shot& s) { return paddleAndMarkerAt(s, 450); }), "");
}

TEST_F(Vellix, LosingEveryBallEndsTheGameWithItsSoundNewGameStartsAnotherAndItClosesAtGameOver) {
    // The paddle parks at the right edge, while every ball falls in the left half. At Game over the
    // button shows, and the normal pointer.
    xdotool(str("mousemove --window ", window_, " 606 150 click --repeat 5 --delay 100 1"));
    ASSERT_EQ(await(30s, [&](const Shot& s) { return newGameButton(s, true) + pointer(true); }), "");

    // "Game Over!" on top, shorter than the welcome and than every message under it.
    const Shot over = shot();
    EXPECT_EQ(textAt(over.line(0), 16, 214, "game over"), "");
    EXPECT_LT(over.line(0).right, first_.line(0).right);
    EXPECT_EQ(spareBalls(over, 0), "");
    for (int i = 1; i < 6; ++i) EXPECT_GT(over.line(i).right, over.line(0).right) << "line " << i;

    // The lost balls' sound is in the mix, which is written as it plays: a second more of it.
    waitFor(5s, [&, was = fs::file_size(dir_ / "mix")] { return fs::file_size(dir_ / "mix") > was + 44100 * 4; });
    const std::vector<float> mix = samples(dir_ / "mix", 0, 2);
    EXPECT_GE(bestMatch(samples(program_.parent_path() / "sink.wav", 44, 1), mix), 0.8);
    // The mix is silent until the first of the game's sounds begins: a bounce, a break or a lost ball.
    const auto startsTheMix = [&, start = onsetOf(mix)](const char* name) {
        const std::vector<float> sound = samples(program_.parent_path() / name, 44, 1);
        const std::size_t onset = onsetOf(sound);
        return start >= onset && start + 256 < mix.size() && correlation(&sound[onset], &mix[start], 256) > 0.7;
    };
    EXPECT_TRUE(startsTheMix("bounce.wav") || startsTheMix("richochet.wav") || startsTheMix("break.wav") ||
                startsTheMix("sink.wav")) << "the silence ends at sample " << onsetOf(mix) << " in none of the sounds";

    // The button stays centred on a larger field; the right button does not push it, the left one
    // starts level 1 anew. The pointer's way over the button does not count as over the field: the
    // new paddle heads for the last x seen on the field.
    xdotool(str("windowsize ", window_, " 800 500"));
    EXPECT_EQ(await(3s, [](const Shot& s) { return newGameButton(s, true); }), "");
    xdotool(str("mousemove --window ", window_, " 400 249 click 3"));
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(newGameButton(shot(), true), "") << "after a right click";
    xdotool("click 1");
    EXPECT_EQ(await(3s, [&](const Shot& s) {
        return newGameButton(s, false) + freshGame(s) + pointer(false) + paddleAndMarkerAt(s, 606);
    }), "");

    // That game ends too, and the window is closed at Game over.
    xdotool(str("mousemove --window ", window_, " 799 150 click --repeat 5 --delay 100 1"));
    ASSERT_EQ(await(30s, [](const Shot& s) { return newGameButton(s, true); }), "");
}

TEST(VellixWithoutDisplay, SaysSoInOneLineAndFails) {  // what it says on stderr, then its exit status
    const std::string said = run("timeout 20 env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "
                                 "SDL_AUDIODRIVER=dummy '" VELLIX_PROGRAM "' 2>&1 >/dev/null; echo $?");
    EXPECT_EQ(said.find("vellix: cannot open a window: "), 0u) << said;
    EXPECT_EQ(said.substr(std::min(said.find('\n'), said.size())), "\n1\n") << said;
}

}  // namespace
}  // namespace vellix::testing
