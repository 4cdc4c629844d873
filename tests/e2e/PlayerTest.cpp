// The real program, installed, in a real window, played with the real mouse and watched from
// outside, as a player would: screenshots are read by colour classes and positions, never against
// stored pictures.
#include "tests/e2e/Screen.h"

#include <X11/extensions/Xfixes.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>

#include "tests/e2e/ScreenSaverService.h"
#include "tests/support/Process.h"

namespace vellix::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

bool buttonFace(Rgb c) { return std::abs(c.r - 64) + std::abs(c.g - 72) + std::abs(c.b - 112) < 20; }

// The New Game button, 1215 x 675 twips centred on the field: a face of (64, 72, 112) within its bevels.
// It is looked for below the four rows of level 1's wall, whose blue bricks have such pixels too.
std::string newGameButton(const Shot& s, bool shown) {
    const int left = pixels(std::floor(15.0 * s.w / 2 - 607.5)), top = pixels(std::floor(15.0 * s.h / 2 - 337.5));
    const Box face = s.find(left - 20, std::max(top - 20, 145), left + 101, top + 65, buttonFace);
    const bool there = near(face, left + 2, top + 2, left + 78, top + 42, 2) && face.count > 1800;
    return (shown ? there : face.count < 50) ? "" : str(shown ? "no " : "a ", "button at ", left, ",", top, ": ", face);
}

// One connection for the whole run: with no client left, the virtual X server resets and refuses the next.
Display* display() {
    static Display* const connection = XOpenDisplay(nullptr);
    return connection;
}

// What the game is started with besides: its sound goes to a file.
std::vector<std::string> gameEnvironment(const fs::path& dir, std::vector<std::string> more = {}) {
    more.insert(more.end(), {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + (dir / "mix").string()});
    return more;
}

// Whether `command` succeeds; what it prints goes to the test's stderr.
bool succeeds(const std::string& command) { return std::system((command + " >&2").c_str()) == 0; }

class Vellix : public ::testing::Test {
protected:
    // Installs the game as a player's package manager does, into a prefix of its own (as the default
    // component: the build directory's own install record stays untouched), starts it from elsewhere
    // with the pointer off its window, and finds the window by its title.
    void SetUp() override {
        ASSERT_NE(display_ = display(), nullptr) << "run this test under a virtual X server (xvfb-run)";
        ASSERT_TRUE(screenSaver_.serving()) << "no screen saver service: run this test on a session bus of its own (dbus-run-session)";
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });  // a window that changes size fails a screenshot
        for (const char* sub : {"home", "cache", "work"}) fs::create_directories(dir_ / sub);
        const std::string dir = dir_.string(), prefix = (dir_ / "prefix").string();
        ASSERT_TRUE(succeeds("cmake --install " VELLIX_BUILD_DIR " --component Unspecified --prefix " + prefix));
        EXPECT_TRUE(succeeds("desktop-file-validate " + prefix + "/share/applications/vellix.desktop"));
        EXPECT_TRUE(succeeds("appstreamcli validate --no-net " + prefix + "/share/metainfo/io.vellix.Vellix.metainfo.xml"));
        std::ofstream(dir_ / "since");  // what the game writes is newer
        xdotool("mousemove 0 0");
        game_.emplace(prefix + "/bin/vellix", gameEnvironment(dir_, {"XDG_CACHE_HOME=" + dir + "/cache", "HOME=" + dir + "/home"}),
                      dir + "/stderr", std::vector<std::string>{}, dir + "/work");
        const std::string search = "xdotool search --onlyvisible --name '^Vellix$'";
        ASSERT_TRUE(waitFor(20s, [&] { return (window_ = std::strtoul(run(search).c_str(), nullptr, 10)) != 0; }))
            << readFile(dir_ / "stderr");
    }
    // Closed as a window manager closes it, the game ends with status 0. It has written nothing in its
    // home, its cache, its working directory and where it is installed; uninstalled, it leaves nothing.
    void TearDown() override {
        if (!game_) return;  // no display
        closeWindow(display_, window_);
        EXPECT_EQ(game_->waitForExit(2s), 0) << readFile(dir_ / "stderr");
        EXPECT_EQ(run(str("find ", dir_ / "home", " ", dir_ / "cache", " ", dir_ / "work", " -mindepth 1; find ", dir_ / "prefix",
                          " -newer ", dir_ / "since")), "") << "the game wrote a file";
        EXPECT_TRUE(succeeds("cmake -DMANIFEST=" VELLIX_BUILD_DIR "/install_manifest_Unspecified.txt -P " VELLIX_SOURCE_DIR
                             "/cmake/Uninstall.cmake"));
        EXPECT_TRUE(fs::is_empty(dir_ / "prefix")) << "left behind in " << dir_ / "prefix";
        fs::remove_all(dir_);
    }

    void xdotool(const std::string& what) const { run("xdotool " + what); }
    std::string await(std::chrono::seconds limit, const std::function<std::string(const Shot&)>& check) const {
        return testing::await(display_, window_, limit, check);
    }
    std::string screenSaverCalled(const std::string& call) {
        waitFor(3s, [&] { return screenSaver_.lastCall() == call; });
        return screenSaver_.lastCall();
    }

    // The system pointer, drawn (`shown`) or not, as expected; else what is wrong.
    std::string pointer(bool shown) const {
        const std::unique_ptr<XFixesCursorImage, int (*)(void*)> image(XFixesGetCursorImage(display_), XFree);
        const auto opaque = [](unsigned long p) { return p >> 24 != 0; };
        const bool drawn = image && std::any_of(image->pixels, image->pixels + image->width * image->height, opaque);
        return drawn == shown ? "" : drawn ? "a pointer over the field; " : "no pointer; ";
    }

    const fs::path dir_ = fs::path(::testing::TempDir()) / str("vellix-e2e-", getpid());
    ScreenSaverService screenSaver_;  // before the game starts, which asks it at once
    Display* display_ = nullptr;
    Window window_ = 0;
    std::optional<Process> game_;
};

// The path every game takes, from the start to the window's close.
TEST_F(Vellix, StartsPlaysLosesEveryBallStartsAgainAndCloses) {
    EXPECT_EQ(run(str("xprop -id ", window_, " _NET_WM_ICON | grep -o -m 1 'Icon ([^)]*)'")), "Icon (32 x 32)\n");
    const std::string inhibit = "Inhibit Vellix: Playing a game";
    EXPECT_EQ(screenSaverCalled(inhibit), inhibit);

    // A fresh game, the welcome in the log; before the pointer first comes over the field, the
    // paddle and the marker go for x 66 (997 twips, half the field's width before its first layout).
    EXPECT_EQ(await(5s, [](const Shot& s) {
        return (s.w == 607 && s.h == 334 ? "" : "not 607 x 334; ") + freshGame(s) + paddleAndMarkerAt(s, 66) +
               (s.line(0).count > 0 ? "" : "no welcome");
    }), "");

    // No system pointer over the field; the paddle and the marker follow the mouse, and a press of
    // any button spends a spare ball (5, unless the first ball was lost already).
    const Shot before = testing::shotOf(display_, window_);
    int lives = 0;
    while (lives < 6 && !spareBalls(before, lives).empty()) ++lives;
    xdotool(str("mousemove --window ", window_, " 150 150 click 3"));
    EXPECT_EQ(await(5s, [&](const Shot& s) { return paddleAndMarkerAt(s, 150) + pointer(false) + spareBalls(s, lives - 1); }), "");

    // Minimised, the game waits: no ball is lost unseen, though the paddle is parked away from them.
    xdotool(str("mousemove --window ", window_, " 540 150 windowunmap --sync ", window_, " sleep 6 windowmap --sync ", window_));
    EXPECT_EQ(await(3s, [&](const Shot& s) { return spareBalls(s, lives - 1); }), "");

    // Every ball falls in the left half, far from the paddle. At Game over the button shows, and the
    // normal pointer; the screen saver may run. (A companion paddle in the middle, or a busy machine,
    // can keep a ball in play for half a minute.)
    xdotool(str("click --repeat 5 --delay 100 1"));
    ASSERT_EQ(await(60s, [&](const Shot& s) { return newGameButton(s, true) + pointer(true); }), "");
    EXPECT_EQ(screenSaverCalled("UnInhibit"), "UnInhibit");

    // The game found its sounds where it is installed: the mix, written as it plays, is not silent.
    EXPECT_NE(run(str("tr -d '\\000' <", dir_ / "mix", " | head -c 1")), "") << "no sound: were the wave files found?";

    // The right button does not push New Game, the left one starts level 1 anew. The pointer's way
    // over the button does not count as over the field: the new paddle heads for the last x seen.
    xdotool(str("mousemove --window ", window_, " 303 166 click 3"));
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(newGameButton(testing::shotOf(display_, window_), true), "") << "after a right click";
    xdotool("click 1");
    EXPECT_EQ(await(3s, [&](const Shot& s) { return newGameButton(s, false) + freshGame(s) + pointer(false) + paddleAndMarkerAt(s, 540); }), "");
    EXPECT_EQ(screenSaverCalled(inhibit), inhibit);
}

// With no session bus, the game does without one: it starts no bus of its own (the D-Bus library
// would run dbus-launch from PATH).
TEST(VellixWithoutSessionBus, StartsNoOtherProgram) {
    ASSERT_NE(display(), nullptr) << "run this test under a virtual X server (xvfb-run)";
    const fs::path dir = fs::path(::testing::TempDir()) / str("vellix-no-bus-", getpid());
    for (const char* sub : {"bin", "runtime", "work"}) fs::create_directories(dir / sub);
    std::ofstream(dir / "bin" / "dbus-launch") << "#!/bin/sh\necho \"$0 $*\" >>'" << (dir / "launched").string() << "'\n";
    fs::permissions(dir / "bin" / "dbus-launch", fs::perms::owner_all);
    Process game(VELLIX_PROGRAM, gameEnvironment(dir, {"DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR=" + (dir / "runtime").string(),
                 "PATH=" + (dir / "bin").string() + ":" + std::getenv("PATH")}), (dir / "stderr").string(), {},
                 (dir / "work").string());
    const std::string search = "xdotool search --onlyvisible --name '^Vellix$'";
    Window window = 0;
    ASSERT_TRUE(waitFor(20s, [&] { return (window = std::strtoul(run(search).c_str(), nullptr, 10)) != 0; }));
    EXPECT_EQ(await(display(), window, 5s, [](const Shot& s) { return s.line(0).count > 0 ? "" : "no text"; }), "");
    closeWindow(display(), window);
    EXPECT_EQ(game.waitForExit(2s), 0);
    EXPECT_FALSE(fs::exists(dir / "launched")) << readFile(dir / "launched");
    fs::remove_all(dir);
}

TEST(VellixWithoutDisplay, SaysSoInOneLineAndFails) {  // what it says on stderr, then its exit status
    const std::string said = run("timeout 20 env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "
                                 "SDL_AUDIODRIVER=dummy '" VELLIX_PROGRAM "' 2>&1 >/dev/null; echo $?");
    EXPECT_EQ(said.find("vellix: cannot open a window: "), 0u) << said;
    EXPECT_EQ(said.substr(std::min(said.find('\n'), said.size())), "\n1\n") << said;
}

}  // namespace
}  // namespace vellix::testing
