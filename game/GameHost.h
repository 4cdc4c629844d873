#pragma once

namespace vellix {

class Canvas;

// Thrown from a yield when the window has been closed: the program ends at once, from wherever
// the game was, and nothing is saved.
struct QuitRequested {};

// What the game needs from the window it runs in: the canvas, the pointer's x, the New Game
// button, and the yields in which window events are handled. The window program implements it
// with SDL; tests and the headless driver implement it without any window.
class GameHost {
public:
    virtual ~GameHost() = default;

    // The field that every frame is drawn on; its size is the field's size.
    virtual Canvas& canvas() = 0;
    // The pointer's last x over the canvas, in twips: the only input the game reads.
    virtual float mouseX() const = 0;
    virtual void setNewGameVisible(bool visible) = 0;

    // A ball's yield after it breaks a brick: every pending event is handled, which may append a
    // ball while the balls are being walked. May throw QuitRequested.
    virtual void doEvents() = 0;
    // The end of a drawn frame of the frame loop. The window program keeps the frame rate here.
    // With `yield`, every pending event is handled too (the loop's own yield); without, the frame
    // only keeps its time (the frame that completed a level). May throw QuitRequested.
    virtual void endOfFrame(bool yield) = 0;
};

}  // namespace vellix
