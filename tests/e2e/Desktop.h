#pragma once

// GoogleTest before Xlib: Xlib's macros (None, Bool) would break GoogleTest's headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

namespace vellix::testing {

// What a command prints.
inline std::string run(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    for (int c = 0; pipe != nullptr && (c = std::fgetc(pipe)) != EOF;) out += char(c);
    if (pipe != nullptr) pclose(pipe);
    return out;
}

// Tries `done` until it holds or `limit` has passed; returns whether it held.
inline bool waitFor(std::chrono::steady_clock::duration limit, const std::function<bool()>& done) {
    for (const auto until = std::chrono::steady_clock::now() + limit; !done();
         std::this_thread::sleep_for(std::chrono::milliseconds(30)))
        if (std::chrono::steady_clock::now() >= until) return false;
    return true;
}

// Asks a window to close, as a window manager's close button does.
inline void closeWindow(Display* display, Window window) {
    XEvent event{.xclient = {ClientMessage, 0, 1, display, window, XInternAtom(display, "WM_PROTOCOLS", False), 32,
                             {.l = {long(XInternAtom(display, "WM_DELETE_WINDOW", False))}}}};
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

}  // namespace vellix::testing
