// The installed game, as a player's package manager leaves it: installed into a prefix of its own,
// its desktop entry and metainfo valid, its launcher started from elsewhere finding its sounds, and
// nothing left behind once it is uninstalled.

#include "tests/e2e/Desktop.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/ui/Process.h"

namespace vellix::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

int status(const std::string& command) {
    const int raw = std::system((command + " >&2").c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// Whether any 16-bit sample of the mix written so far is not silence.
bool soundHeard(const fs::path& mix) {
    std::ifstream in(mix, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    return bytes.find_first_not_of('\0') != std::string::npos;
}

TEST(Installed, ValidatesStartsFromElsewhereWithItsSoundsClosesAndUninstallsCleanly) {
    const fs::path dir = fs::path(::testing::TempDir()) / ("vellix-install-" + std::to_string(getpid()));
    const fs::path prefix = dir / "prefix";
    fs::create_directories(dir / "elsewhere");
    // Installed as the default component, the build directory's own install record stays untouched.
    ASSERT_EQ(status("cmake --install " VELLIX_BUILD_DIR " --component Unspecified --prefix " + prefix.string()), 0);
    EXPECT_EQ(status("desktop-file-validate " + (prefix / "share/applications/vellix.desktop").string()), 0);
    EXPECT_EQ(status("appstreamcli validate --no-net " + (prefix / "share/metainfo/io.vellix.Vellix.metainfo.xml").string()),
              0);
    ASSERT_TRUE(fs::is_symlink(prefix / "bin/vellix"));

    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr) << "run this test under a virtual X server (xvfb-run)";
    {
        Process game((prefix / "bin/vellix").string(), {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + (dir / "mix").string()},
                     (dir / "stderr").string(), {}, (dir / "elsewhere").string());
        Window window = 0;
        ASSERT_TRUE(waitFor(20s, [&] {
            return (window = std::strtoul(run("xdotool search --onlyvisible --name '^Vellix$'").c_str(), nullptr, 10)) != 0;
        }));
        // The first ball falls out within seconds, if it breaks no brick before: either is a sound.
        EXPECT_TRUE(waitFor(20s, [&] { return soundHeard(dir / "mix"); })) << "no sound: were the wave files found?";
        closeWindow(display, window);
        EXPECT_EQ(game.waitForExit(5s), 0);
    }
    XCloseDisplay(display);

    ASSERT_EQ(status("cmake -DMANIFEST=" VELLIX_BUILD_DIR "/install_manifest_Unspecified.txt -P " VELLIX_SOURCE_DIR
                     "/cmake/Uninstall.cmake"),
              0);
    EXPECT_TRUE(fs::is_empty(prefix)) << "left behind in " << prefix;
    fs::remove_all(dir);
}

}  // namespace
}  // namespace vellix::testing
