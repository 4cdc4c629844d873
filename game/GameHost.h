#pragma once

namespace vellix {

class Canvas;

// The pointers the field can show: the system's arrow (at Game over) and the canvas's own,
// invisible pointer (in play, when the mouse marker is the player's only sight of it).
enum MousePointer : int {
    kDefaultPointer = 0,
    kCustomPointer = 99,
};

// What the game's objects reach outside the game's state: the window's canvas and pointer, the New
// Game button, the presentation of a frame and the yields. The Game implements it; the objects
// and the flow see only this.
class GameHost {
public:
    virtual ~GameHost() = default;

    // The field that every frame is drawn on; its size is the field's size.
    virtual Canvas& canvas() = 0;
    // The pointer's last x over the canvas, in twips: the only input the game reads.
    virtual float mouseX() const = 0;
    virtual void setNewGameVisible(bool visible) = 0;
    virtual void setMousePointer(MousePointer pointer) = 0;
    // The canvas holds a finished frame: it is what the window shows from now on.
    virtual void Refresh() = 0;
    // A ball's yield after it breaks a brick: the window's pending events are handled, which may
    // append a ball while the balls are being walked, or end the program.
    virtual void doEvents() = 0;
    // True once the program has ended (the window was closed at a yield): every loop of the game
    // stops where it is, and nothing more of the frame is done.
    virtual bool ended() const = 0;
};

}  // namespace vellix
