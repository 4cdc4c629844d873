#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "game/FrameSchedule.h"
#include "game/GameHost.h"
#include "game/GameState.h"
#include "game/WindowEvent.h"
#include "game/frmMain.h"
#include "media/SoundPlayer.h"
#include "media/SpriteSet.h"
#include "media/modSound.h"

namespace vellix {

class SoundDevice;
class TextCache;
class TimeOfDay;

// A whole game and its window: the game's state, the window's rules, the four sound channels and
// the frame loop, wired together here and nowhere else. Every platform drives it the same way:
//
//   post()          hands over the window's events (pointer, buttons, resize, uncover, close,
//                   minimise, a sound's end) in the order they came;
//   runDueFrames()  runs the frames the schedule says are due by now (a desktop sleeps until
//                   nextFrameDueMs(), a page asks at each display refresh);
//   takeFrame()     hands over the finished picture, if it changed.
//
// The events wait in one queue for the game's yields, where they are handled in order: the yield
// that ends a drawn frame (handled just before the next frame's moves, so that the whole wait
// between frames is that yield) and a ball's yield after it breaks a brick. When no frame loop
// runs (Game over, a field that cannot be seen) an event is handled as it comes. A close handled
// at a yield ends the program there: the rest of the frame is not played (ended()).
//
// Headless drivers (vellix-sim, the tests) step frames with playFrame() instead, whatever the time.
class Game final : public GameHost, public SoundPlayer {
public:
    // Drawn at `density` device pixels to each 96-dpi pixel (the screen's); `maxPixels` bounds the
    // canvas's picture a side (a headless run of a huge field keeps a small one).
    Game(SoundDevice& device, TimeOfDay& clock, double density = 1, int maxPixels = Canvas::kMaxPixels);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // The text of the status display and the button; none until given. Its font is made at the
    // game's density from then on.
    void setText(TextCache* text);
    // The screen's density changed (a page zoomed, a window moved to another screen): the field
    // keeps its size in twips, and everything is drawn anew at the new density from the next frame.
    void setDensity(double density);
    double density() const { return window_.canvas().density(); }

    // What the program does at its start, its window shown at `width` by `height` twips: the sound
    // channels are opened from `soundDirectory`, and once the field can be seen level 1 is welcomed
    // and a new game set up.
    void start(const std::string& soundDirectory, float width, float height);
    // Level 1 welcomed and a new game set up, unless done already: the first frame does it.
    void startPlaying();

    void post(const WindowEvent& event);
    // Runs the frames due at `nowMs` (milliseconds of a steady clock). Returns how many were drawn.
    int runDueFrames(double nowMs);
    // Plays one frame now: the yield that ended the last frame, then passes until one draws.
    // Returns whether a frame was drawn.
    bool playFrame();
    // When runDueFrames next has a frame to run; +infinity while only an event can change anything
    // (Game over, a field that cannot be seen, the program's end).
    double nextFrameDueMs() const;
    // Whether the last frame drawn ended with a yield that has not been taken yet: events posted
    // now are handled there, before the next frame's moves.
    bool yieldPending() const { return yieldPending_; }
    // Ends the program as a close does (a headless run that has drawn its last frame).
    void end() { ended_ = true; }

    // The picture to show: the field and, over it, the New Game button at Game over.
    struct Frame {
        const Picture* field = nullptr;
        const std::vector<std::uint8_t>* rowsDrawn = nullptr;  // Canvas::rowsDrawn of the field
        const Picture* button = nullptr;  // at buttonX, buttonY (pixels of the field)
        int buttonX = 0;
        int buttonY = 0;
    };
    // The picture, if it changed since the last call (a frame, a resize, a press on the button, a
    // lost picture); null otherwise.
    const Frame* takeFrame();
    // Whether the system's arrow shows over the field (at Game over) or no pointer at all.
    bool pointerShown() const { return pointer_ == kDefaultPointer; }
    // Whether a game is being played: the screen saver is held off only then.
    bool playing() const { return started_ && !state_.gameIsOver; }

    GameState& state() { return state_; }
    const GameState& state() const { return state_; }
    frmMain& window() { return window_; }
    const frmMain& window() const { return window_; }
    const modSound& sound() const { return sound_; }
    // Every sound the game asked for since the last frame was drawn, busy channels or not.
    const std::vector<std::int16_t>& soundsAsked() const { return soundsAsked_; }
    long framesDrawn() const { return framesDrawn_; }

    // Called as each frame is drawn (at its Refresh), before anything else of the pass.
    std::function<void()> onFrameDrawn;
    // Called at each yield before its events are handled: a platform may post what came meanwhile.
    std::function<void()> onYield;

    // GameHost and SoundPlayer, for the game's objects.
    Canvas& canvas() override { return window_.canvas(); }
    float mouseX() const override { return window_.mouseX(); }
    void setNewGameVisible(bool visible) override { window_.setNewGameVisible(visible); }
    void setMousePointer(MousePointer pointer) override { pointer_ = pointer; }
    void Refresh() override;
    void doEvents() override;
    bool ended() const override { return ended_; }
    void playSound(std::int16_t sound) override;

private:
    // Whether the player could see a frame now: a window not minimised, a field with room for a
    // ball. Frames that run in real time wait while it cannot be seen; a headless run plays on.
    bool canBeSeen() const;
    // Whether no frame loop runs, so that only an event can change anything.
    bool waitsForEvents() const;
    void takeYield();
    void handleEvents();
    void dispatch(const WindowEvent& event);

    frmMain window_;
    modSound sound_;
    SpriteSet sprites_;  // at the screen's density; the game's objects hold it by reference
    GameState state_;
    FrameSchedule schedule_;
    std::deque<WindowEvent> pending_;
    bool started_ = false;
    bool ended_ = false;
    bool hidden_ = false;
    bool realTime_ = false;      // frames are run by runDueFrames, for a player watching
    bool inFrame_ = false;       // a pass of the frame loop is running
    bool yieldPending_ = false;  // the last frame drawn ended with a yield not yet taken
    bool pictureChanged_ = false;
    MousePointer pointer_ = kCustomPointer;
    Frame frame_;
    std::vector<std::int16_t> soundsAsked_;
    long framesDrawn_ = 0;
};

}  // namespace vellix
