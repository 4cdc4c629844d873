#pragma once

namespace vellix {

// When the page's game frames are due. The browser calls the page once a display refresh, at the
// display's own rate (60, 120 or 144 Hz, or slower); the game keeps 60 frames a second of real
// time whatever that rate: a refresh runs the frames that have come due since the last one, none
// when the last frame is too recent, and never more than kMaxFramesPerRefresh, so that a page that
// stalled never replays the time it missed in a burst.
class FrameSchedule {
public:
    static constexpr double kFramePeriodMs = 1000.0 / 60;
    // Enough for a display of 15 Hz.
    static constexpr int kMaxFramesPerRefresh = 4;
    // Refresh times jitter around the display's period: a frame due this soon after a refresh
    // already runs in it, so that a 60 Hz display shows every frame on a refresh of its own.
    static constexpr double kEarlyMs = kFramePeriodMs / 4;

    // How many game frames the refresh at `nowMs` (any steady clock) runs.
    int framesDue(double nowMs);
    // Forgets the schedule: the next refresh starts a new one, with one frame. For a page that was
    // hidden (the browser stops calling it) and for the wait at Game over.
    void restart() { started_ = false; }

private:
    bool started_ = false;
    double due_ = 0;  // when the next frame is due
};

}  // namespace vellix
