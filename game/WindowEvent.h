#pragma once

namespace vellix {

// One event of the window the game runs in, as a platform hands it to the game. Positions and
// sizes are in twips of the field: the platform converts its pixels (whatever their density).
struct WindowEvent {
    enum class Kind {
        PointerMoved,    // the pointer is at (x, y)
        ButtonPressed,   // a button went down at (x, y); `primary` for the main one
        ButtonReleased,  // a button came up at (x, y)
        Resized,         // the client area is now x by y, at `density` (0: the density it had)
        Uncovered,       // the platform lost the picture it showed: show the last frame again
        Closed,          // the player closed the window: the program ends
        SoundDone,       // the sound of channel `channel` has ended (or could not start)
        Hidden,          // the window was minimised, or the page's tab hidden
        Shown,           // ... and is shown again
    };
    Kind kind = Kind::PointerMoved;
    float x = 0;
    float y = 0;
    bool primary = false;
    int channel = 0;
    double density = 0;  // device pixels to each 96-dpi pixel of the screen

    static WindowEvent pointerMoved(float x, float y) { return {Kind::PointerMoved, x, y}; }
    static WindowEvent buttonPressed(float x, float y, bool primary) { return {Kind::ButtonPressed, x, y, primary}; }
    static WindowEvent buttonReleased(float x, float y, bool primary) { return {Kind::ButtonReleased, x, y, primary}; }
    static WindowEvent resized(float width, float height, double density = 0) {
        return {Kind::Resized, width, height, false, 0, density};
    }
    static WindowEvent soundDone(int channel) { return {Kind::SoundDone, 0, 0, false, channel}; }
    static WindowEvent of(Kind kind) { return {kind}; }
};

}  // namespace vellix
