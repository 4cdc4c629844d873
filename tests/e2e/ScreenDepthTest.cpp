// The real program on X screens of every depth a server offers besides the usual 24 bits (the
// player test's): deep colour (30 bits, ten to a channel), with and without the 32-bit visual that
// compositing adds, 16, 15 and 8 bits; and on a screen scaled to twice the density (Xft.dpi: 192 in
// its resources, as GNOME and KDE set it), where the window is twice as large and so is everything
// in it, unless the player asks for 1 (VELLIX_SCALE). On each the game shows its wall and its spare
// balls and closes cleanly. Each screen is a virtual X server of the test's own.
#include "tests/e2e/Screen.h"

#include <fcntl.h>
#include <poll.h>

#include <filesystem>

#include "tests/support/Process.h"

namespace vellix::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct ScreenKind {
    std::string name;
    int depth;
    std::vector<std::string> serverOptions;
    std::string resources = "";
    std::vector<std::string> environment = {};
    int density = 1;  // what the game should draw at
};
void PrintTo(const ScreenKind& kind, std::ostream* out) { *out << kind.name; }

// What a server writes on `fd` within `limit` (its display number, for one started with -displayfd).
std::string readWithin(int fd, std::chrono::milliseconds limit) {
    std::string said;
    char buffer[32];
    pollfd ready{fd, POLLIN, 0};
    while (said.find('\n') == std::string::npos && poll(&ready, 1, int(limit.count())) > 0) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        said.append(buffer, std::size_t(n));
    }
    return said.substr(0, said.find('\n'));
}

class OnScreen : public ::testing::TestWithParam<ScreenKind> {};

TEST_P(OnScreen, TheGameShowsItsWallAndSpareBallsAndClosesCleanly) {
    const ScreenKind& screen = GetParam();
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });  // a window that changes size fails a screenshot
    const fs::path dir = fs::path(::testing::TempDir()) / str("vellix-screen-", screen.name, "-", getpid());
    fs::create_directories(dir);
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    fcntl(pipeEnds[0], F_SETFD, FD_CLOEXEC);
    std::vector<std::string> options{"-displayfd", std::to_string(pipeEnds[1]), "-nolisten", "tcp", "-screen", "0",
                                     str("1600x1200x", screen.depth)};
    options.insert(options.end(), screen.serverOptions.begin(), screen.serverOptions.end());
    Process server("/usr/bin/Xvfb", {}, (dir / "server").string(), options);
    close(pipeEnds[1]);
    const std::string display = str(":", readWithin(pipeEnds[0], 20s));
    close(pipeEnds[0]);
    ASSERT_NE(display, ":") << readFile(dir / "server");
    Display* connection = XOpenDisplay(display.c_str());
    ASSERT_NE(connection, nullptr) << display;
    ASSERT_EQ(DefaultDepth(connection, 0), screen.depth);

    if (!screen.resources.empty()) run(str("echo '", screen.resources, "' | DISPLAY=", display, " xrdb -nocpp -merge"));
    std::vector<std::string> environment{"DISPLAY=" + display, "SDL_AUDIODRIVER=dummy"};
    environment.insert(environment.end(), screen.environment.begin(), screen.environment.end());
    Process game(VELLIX_PROGRAM, environment, (dir / "stderr").string());
    const std::string search = "DISPLAY=" + display + " xdotool search --onlyvisible --name '^Vellix$'";
    Window window = 0;
    ASSERT_TRUE(waitFor(20s, [&] { return (window = std::strtoul(run(search).c_str(), nullptr, 10)) != 0; }))
        << readFile(dir / "stderr");
    const int n = screen.density;
    EXPECT_EQ(await(connection, window, 10s, [n](const Shot& s) {
        return (s.w == 607 * n && s.h == 334 * n ? "" : str(s.w, " x ", s.h, "; ")) + freshGame(s, n);
    }), "") << readFile(dir / "stderr");
    closeWindow(connection, window);
    EXPECT_EQ(game.waitForExit(5s), 0) << readFile(dir / "stderr");
    XCloseDisplay(connection);
    fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Depths, OnScreen,
                         ::testing::Values(ScreenKind{"DeepColour", 30, {}},
                                           ScreenKind{"DeepColourUncomposited", 30, {"-extension", "Composite"}},
                                           ScreenKind{"HighColour16", 16, {}}, ScreenKind{"HighColour15", 15, {}},
                                           ScreenKind{"EightBit", 8, {}},
                                           ScreenKind{"TwiceAsDense", 24, {}, "Xft.dpi: 192", {}, 2},
                                           ScreenKind{"TwiceAsDenseAskedForOne", 24, {}, "Xft.dpi: 192", {"VELLIX_SCALE=1"}, 1}),
                         [](const ::testing::TestParamInfo<ScreenKind>& kind) { return kind.param.name; });

}  // namespace
}  // namespace vellix::testing
