// GoogleTest before Xlib: Xlib's macros (None, Bool) would break GoogleTest's headers.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "tests/ui/Process.h"

namespace vellix::testing {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Finds the window titled `title` among the top-level windows, waiting for it to appear.
Window findWindow(Display* display, const std::string& title, std::chrono::milliseconds limit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < until) {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
        Window found = 0;
        for (unsigned i = 0; i < count && found == 0; ++i) {
            char* name = nullptr;
            XWindowAttributes attributes;
            if (XFetchName(display, children[i], &name) != 0 && name != nullptr) {
                if (title == name && XGetWindowAttributes(display, children[i], &attributes) != 0 &&
                    attributes.map_state == IsViewable)
                    found = children[i];
                XFree(name);
            }
        }
        if (children != nullptr) XFree(children);
        if (found != 0) return found;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return 0;
}

// The size of the first image of the window's icon property.
std::pair<long, long> iconSize(Display* display, Window window) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const Atom icon = XInternAtom(display, "_NET_WM_ICON", False);
    if (XGetWindowProperty(display, window, icon, 0, 2, False, XA_CARDINAL, &type, &format, &items, &after, &data) !=
            Success || items < 2) {
        if (data != nullptr) XFree(data);
        return {0, 0};
    }
    const auto* values = reinterpret_cast<const long*>(data);
    const std::pair<long, long> size{values[0], values[1]};
    XFree(data);
    return size;
}

// Asks the window to close, as a window manager's close button does.
void closeWindow(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

TEST(Window, OpensAtItsSizeWithItsTitleAndIconAndClosesAtOnce) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr) << "run this test under a virtual X server (xvfb-run)";
    const std::string log = ::testing::TempDir() + "vellix-window.err";
    Process game(VELLIX_PROGRAM, {"SDL_AUDIODRIVER=dummy"}, log);
    ASSERT_TRUE(game.started());

    const Window window = findWindow(display, "Vellix", std::chrono::seconds(20));
    ASSERT_NE(window, 0u) << readFile(log);
    XWindowAttributes attributes;
    ASSERT_NE(XGetWindowAttributes(display, window, &attributes), 0);
    EXPECT_EQ(attributes.width, 607);
    EXPECT_EQ(attributes.height, 334);
    EXPECT_EQ(iconSize(display, window), (std::pair<long, long>{32, 32}));
    EXPECT_FALSE(game.waitForExit(std::chrono::milliseconds(500))) << "the game ended by itself";

    closeWindow(display, window);
    EXPECT_EQ(game.waitForExit(std::chrono::seconds(10)), 0) << readFile(log);
    XCloseDisplay(display);
}

TEST(Window, WithoutADisplayTheProgramSaysSoInOneLineAndFails) {
    const std::string log = ::testing::TempDir() + "vellix-nodisplay.err";
    Process game(VELLIX_PROGRAM, {"DISPLAY", "WAYLAND_DISPLAY", "SDL_AUDIODRIVER=dummy", "SDL_VIDEODRIVER"}, log);
    ASSERT_TRUE(game.started());
    EXPECT_EQ(game.waitForExit(std::chrono::seconds(20)), 1);
    const std::string said = readFile(log);
    const std::string expected = "vellix: cannot open a window: ";
    EXPECT_EQ(said.find(expected), 0u) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
}

}  // namespace
}  // namespace vellix::testing
