#pragma once

namespace vellix {

// When the game's frames are due: 60 a second of real time, whoever asks. The desktop sleeps until
// nextDueMs() and then asks; a page asks at each refresh of its display, at the display's own
// rate (59.94, 60, 144 or 30 Hz, with a little jitter in every refresh's time). Times are in
// milliseconds of any steady clock.
//
// The rules:
// - A frame runs at the first ask no earlier than kEarlyMs before it is due, so that a display of
//   about 60 Hz shows one frame a refresh even though its refreshes jitter around the frame's time.
// - A further frame runs in the same ask only once it is due by more than kEarlyMs - kSlackMs: the
//   slack is the hysteresis that keeps a display a little slower than 60 Hz from showing two frames
//   and then none as its jitter crosses the boundary; after the two, the next frame is well inside
//   the window of one. So at 59.94 Hz one refresh in about 1,000 shows two frames, at 60.05 Hz one
//   in about 1,200 shows none, at 144 Hz the frames are 2 or 3 refreshes apart and at 30 Hz two run
//   in each refresh.
// - At most kMostFramesAtOnce frames run in one ask (enough for a 15 Hz display): time missed
//   beyond that (a stall, a busy machine) is dropped, not replayed in a burst later.
// - After a restart (Game over, a hidden window) the next ask runs one frame and starts anew.
class FrameSchedule {
public:
    static constexpr double kFramePeriodMs = 1000.0 / 60;
    static constexpr double kEarlyMs = kFramePeriodMs / 4;
    static constexpr double kSlackMs = 2;
    static constexpr int kMostFramesAtOnce = 4;

    // How many frames to run now.
    int framesDue(double nowMs);
    // When the next frame is due; before the first ask after a restart, any time is.
    double nextDueMs() const { return started_ ? due_ : 0; }
    void restart() { started_ = false; }

private:
    bool started_ = false;
    double due_ = 0;  // when the next frame is due
};

}  // namespace vellix
