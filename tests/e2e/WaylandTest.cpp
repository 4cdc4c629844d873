// The real program on a Wayland desktop without X: a nested compositor (weston) in the test's own
// virtual X server, played with the real mouse through that X server and watched in screenshots of
// weston's output. The test stands in for the desktop's screen saver on a session bus of its own.
#include "tests/e2e/Screen.h"

#include <filesystem>

#include "tests/e2e/ScreenSaverService.h"
#include "tests/support/Process.h"

namespace vellix::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

bool black(Rgb c) { return c.hi == 0; }

// The system pointer at (x, y) over the black field: weston draws it into its output, outlined in white.
std::string noPointerAt(const Shot& s, int x, int y) {
    const Box drawn = s.find(x - 2, y - 2, x + 24, y + 30, greyWhite);
    return drawn.count == 0 ? "" : str("a pointer over the field: ", drawn);
}

TEST(VellixOnWayland, ShowsTheFieldFollowsTheMouseHidesThePointerHoldsOffTheScreenSaverAndClosesQuietly) {
    if (!fs::exists("/usr/bin/weston")) GTEST_SKIP() << "weston is not installed (scripts/install-deps --test)";
    Display* const x = XOpenDisplay(nullptr);
    ASSERT_NE(x, nullptr) << "run this test under a virtual X server (xvfb-run)";
    ScreenSaverService screenSaver;
    ASSERT_TRUE(screenSaver.serving()) << "no screen saver service: run this test on a session bus of its own (dbus-run-session)";
    const fs::path dir = fs::path(::testing::TempDir()) / str("vellix-wayland-", getpid()), runtime = dir / "runtime";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    std::ofstream(dir / "weston.ini") << "[shell]\npanel-position=none\n";  // its icons have black in them
    Process weston("/usr/bin/weston", {"XDG_RUNTIME_DIR=" + runtime.string()}, (dir / "weston.log").string(),
                   {"--backend=x11-backend.so", "--use-pixman", "--config=" + (dir / "weston.ini").string(), "--socket=vellix",
                    "--width=800", "--height=600"});
    Window output = 0;  // weston's window, which shows its output
    ASSERT_TRUE(waitFor(20s, [&] {
        return (output = std::strtoul(run("xdotool search --classname '^weston'").c_str(), nullptr, 10)) != 0;
    })) << readFile(dir / "weston.log");

    // As on a desktop without XWayland: a Wayland display, no X display. (In the sanitizer build, the
    // slow unwinder follows the GL driver's allocations back to SDL, whose leaks are let pass.)
    Process game(VELLIX_PROGRAM, {"WAYLAND_DISPLAY=vellix", "XDG_RUNTIME_DIR=" + runtime.string(), "DISPLAY", "SDL_VIDEODRIVER",
                                  "SDL_AUDIODRIVER=dummy", "ASAN_OPTIONS=fast_unwind_on_malloc=0"}, (dir / "stderr").string());
    // The field is the black in weston's output, 607 x 334 at first, wherever weston put the window.
    Box field;
    const auto fieldIs = [&](std::chrono::seconds limit, const std::function<bool(int, int)>& size) {
        return waitFor(limit, [&] {
            field = shotOf(x, output).find(0, 0, 800, 600, black);
            return size(field.right - field.left + 1, field.bottom - field.top + 1);
        });
    };
    ASSERT_TRUE(fieldIs(20s, [](int w, int h) { return w == 607 && h == 334; })) << field << "\n" << readFile(dir / "stderr");
    const Area area{field.left, field.top, 607, 334};
    for (const int at : {150, 450}) {
        run(str("xdotool mousemove --window ", output, " ", field.left + at, " ", field.top + 150));
        EXPECT_EQ(await(x, output, 5s, [&](const Shot& s) { return paddleAndMarkerAt(s, at) + noPointerAt(s, at, 150); }, area), "");
    }

    EXPECT_EQ(screenSaver.lastCall(), "Inhibit Vellix: Playing a game");

    // Dragged larger by its lower right corner, the window shows a larger field in every frame. (The
    // pointer goes back over the field, where it is hidden: the black of weston's pointer would count.)
    run(str("xdotool mousemove --window ", output, " ", field.right + 3, " ", field.bottom + 3, " sleep 0.3 mousedown 1 ",
            "sleep 0.3 mousemove_relative 30 25 sleep 0.3 mousemove_relative 30 25 sleep 0.3 mouseup 1 ",
            "mousemove --window ", output, " ", field.left + 100, " ", field.top + 100));
    const auto grown = [](int w, int h) { return w == 607 + 60 && h == 334 + 50; };
    ASSERT_TRUE(fieldIs(5s, grown)) << field;
    for (int frame = 0; frame < 10; ++frame) EXPECT_TRUE(fieldIs(0s, grown)) << field;

    // The close button, at the right end of the title bar above the field.
    run(str("xdotool mousemove --window ", output, " ", field.right - 16, " ", field.top - 12, " click 1"));
    EXPECT_EQ(game.waitForExit(5s), 0);
    EXPECT_EQ(readFile(dir / "stderr"), "");
    XCloseDisplay(x);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace vellix::testing
