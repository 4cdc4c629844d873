// The real program on X screens of every depth a server offers besides the usual 24 bits (the
// player test's): deep colour (30 bits, ten to a channel), with and without the 32-bit visual that
// compositing adds, 16, 15 and 8 bits; and on a screen scaled to twice the density (Xft.dpi: 192 in
// its resources, as GNOME and KDE set it), where the window is twice as large and so is everything
// in it, unless the player asks for 1 (VELLIX_SCALE). On each the game shows its wall and its spare
// balls and closes cleanly. Each screen is a virtual X server of its own (xvfb-run), its depth and
// resources set by the test's command line and environment.
#include "tests/e2e/Screen.h"

#include <filesystem>

#include "tests/support/Process.h"

namespace vellix::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST(OnScreen, TheGameShowsItsWallAndSpareBallsAndClosesCleanly) {
    Display* const connection = XOpenDisplay(nullptr);
    ASSERT_NE(connection, nullptr) << "run this test under a virtual X server (xvfb-run)";
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });  // a window that changes size fails a screenshot
    if (const char* resources = std::getenv("VELLIX_TEST_X_RESOURCES"))
        run(str("echo '", resources, "' | xrdb -nocpp -merge"));
    const int n = std::getenv("VELLIX_TEST_DENSITY") != nullptr ? std::atoi(std::getenv("VELLIX_TEST_DENSITY")) : 1;
    const fs::path dir = fs::path(::testing::TempDir()) / str("vellix-screen-", getpid());
    fs::create_directories(dir);
    Process game(VELLIX_PROGRAM, {"SDL_AUDIODRIVER=dummy"}, (dir / "stderr").string());
    Window window = 0;
    ASSERT_TRUE(waitFor(20s, [&] {
        return (window = std::strtoul(run("xdotool search --onlyvisible --name '^Vellix$'").c_str(), nullptr, 10)) != 0;
    })) << readFile(dir / "stderr");
    EXPECT_EQ(await(connection, window, 10s, [n](const Shot& s) {
        return (s.w == 607 * n && s.h == 334 * n ? "" : str(s.w, " x ", s.h, "; ")) + freshGame(s, n);
    }), "") << "at depth " << DefaultDepth(connection, 0) << "\n" << readFile(dir / "stderr");
    closeWindow(connection, window);
    EXPECT_EQ(game.waitForExit(5s), 0) << readFile(dir / "stderr");
    XCloseDisplay(connection);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace vellix::testing
