// The installed game, as a player's package manager leaves it: installed into a prefix of its own,
// its desktop entry and metainfo valid, its launcher started from elsewhere finding its sounds, and
// nothing left behind once it is uninstalled.

#include "tests/e2e/Desktop.h"

#include <filesystem>

#include "tests/support/Process.h"

namespace vellix::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Whether `command` succeeds; what it prints goes to the test's stderr.
bool succeeds(const std::string& command) { return std::system((command + " >&2").c_str()) == 0; }

TEST(Installed, ValidatesStartsFromElsewhereWithItsSoundsClosesAndUninstallsCleanly) {
    const fs::path dir = fs::path(::testing::TempDir()) / ("vellix-install-" + std::to_string(getpid()));
    const std::string prefix = (dir / "prefix").string(), mix = (dir / "mix").string();
    fs::create_directories(dir / "elsewhere");
    // Installed as the default component, the build directory's own install record stays untouched.
    ASSERT_TRUE(succeeds("cmake --install " VELLIX_BUILD_DIR " --component Unspecified --prefix " + prefix));
    EXPECT_TRUE(succeeds("desktop-file-validate " + prefix + "/share/applications/vellix.desktop"));
    EXPECT_TRUE(succeeds("appstreamcli validate --no-net " + prefix + "/share/metainfo/io.vellix.Vellix.metainfo.xml"));
    ASSERT_TRUE(fs::is_symlink(prefix + "/bin/vellix"));

    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr) << "run this test under a virtual X server (xvfb-run)";
    Process game(prefix + "/bin/vellix", {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + mix},
                 (dir / "stderr").string(), {}, (dir / "elsewhere").string());
    const std::string search = "xdotool search --onlyvisible --name '^Vellix$'";
    Window window = 0;
    ASSERT_TRUE(waitFor(20s, [&] { return (window = std::strtoul(run(search).c_str(), nullptr, 10)) != 0; }));
    // The first ball falls out within seconds, if it breaks no brick before: either is a sound, and
    // any byte of the mix that is not zero shows it.
    EXPECT_TRUE(waitFor(20s, [&] { return !run("tr -d '\\000' 2>/dev/null <" + mix + " | head -c 1").empty(); }))
        << "no sound: were the wave files found?";
    closeWindow(display, window);
    EXPECT_EQ(game.waitForExit(5s), 0);
    XCloseDisplay(display);

    ASSERT_TRUE(succeeds("cmake -DMANIFEST=" VELLIX_BUILD_DIR "/install_manifest_Unspecified.txt -P " VELLIX_SOURCE_DIR
                         "/cmake/Uninstall.cmake"));
    EXPECT_TRUE(fs::is_empty(prefix)) << "left behind in " << prefix;
    fs::remove_all(dir);
}

}  // namespace
}  // namespace vellix::testing
