#pragma once

namespace vellix {

class Picture;
class frmMain;

// What the main window needs from the window system it runs on (SDL on a desktop, a page in a
// browser): a place to show the field, the system pointer over it, and the window's events, which
// it hands to the window's handlers (frmMain's events, in pixels of the client area).
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // The client area's size in pixels.
    virtual int clientWidth() const = 0;
    virtual int clientHeight() const = 0;
    // Asks for a client area of this size (a run shown at the size it was given).
    virtual void resizeClient(int width, int height) = 0;

    // Puts the field on the screen, and over it the New Game button's face at (x, y) when there is one.
    virtual void show(const Picture& field, const Picture* button, int buttonX, int buttonY) = 0;
    // The system's arrow over the field, or no pointer at all.
    virtual void showPointer(bool shown) = 0;

    // Hands every pending event to `window`, in order (the game's yields). A close throws
    // QuitRequested.
    virtual void handleEvents(frmMain& window) = 0;
    // Waits until some event comes, then hands on every pending one (while no loop runs).
    virtual void waitForEvents(frmMain& window) = 0;
    // Returns when the next frame is due: the game runs at a steady rate.
    virtual void waitForNextFrame() = 0;
    // Forgets the frame schedule, after a pause such as Game over.
    virtual void restartFrames() = 0;
    // Whether a game is being played: only then are the screen saver and the screen lock held off.
    // Game over lets them run again.
    virtual void setPlaying(bool /*playing*/) {}
};

}  // namespace vellix
