#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "game/WindowSystem.h"
#include "platform/web/FrameSchedule.h"

namespace vellix {

class Picture;

// One event of the page, in CSS pixels of the browser's viewport (one pixel of the field each).
struct PageEvent {
    enum class Kind {
        Move,       // the pointer moved to (x, y)
        Press,      // a button went down at (x, y); `primary` for the main one
        Release,    // a button came up at (x, y)
        Resize,     // the field (the viewport inside its safe areas) is now x by y
        SoundDone,  // the sound of channel x has ended (or was dropped)
        PictureLost,  // the page lost the picture it showed (its canvas was reset): it is shown again
    };
    Kind kind = Kind::Move;
    int x = 0;
    int y = 0;
    bool primary = false;
};

// The game's window as a web page: the field fills the browser's viewport, one canvas pixel a CSS
// pixel. The page's events wait in a queue for the game's yields, as a desktop window's events
// wait in its system's queue, and are handed to the window in the order they came. What the page
// shows is composed here, ready for the page's canvas: the field with the New Game button over
// it, as bytes R, G, B, A. The page cannot wait: the frame rate is kept by the schedule of its
// display refreshes (frames()), not by waiting here.
class PageWindow final : public WindowSystem {
public:
    PageWindow(int width, int height) : width_(width), height_(height) {}

    // Queues an event of the page for the next yield.
    void post(const PageEvent& event) { pending_.push_back(event); }

    int clientWidth() const override { return width_; }
    int clientHeight() const override { return height_; }
    // A page cannot size the browser's viewport: the field keeps the viewport's size.
    void resizeClient(int, int) override {}
    void show(const Picture& field, const Picture* button, int buttonX, int buttonY) override;
    void showPointer(bool shown) override { pointerShown_ = shown; }
    void handleEvents(frmMain& window) override;
    // Nothing to wait for: the events come to the page, which hands them on at once (see PagePlay).
    void waitForEvents(frmMain& window) override { handleEvents(window); }
    void waitForNextFrame() override {}
    void restartFrames() override { frames_.restart(); }

    FrameSchedule& frames() { return frames_; }
    bool pointerShown() const { return pointerShown_; }

    // The picture of the last frame shown, if one was shown since the last call.
    struct Composed {
        const std::uint8_t* rgba;
        int width;
        int height;
    };
    const Composed* takePicture();

private:
    void dispatch(const PageEvent& event, frmMain& window);

    int width_;
    int height_;
    std::deque<PageEvent> pending_;
    FrameSchedule frames_;
    bool pointerShown_ = true;
    // What show() was last given; composed when the page takes the picture.
    const Picture* field_ = nullptr;
    const Picture* button_ = nullptr;
    int buttonX_ = 0;
    int buttonY_ = 0;
    bool shown_ = false;
    std::vector<std::uint32_t> rgba_;
    Composed composed_{};
};

}  // namespace vellix
