#pragma once
// What the pause dialog needs of "the screen that is playing": to restart the
// play timers it stopped when the player paused, and to stop everything when
// the player quits. The planet screen implements it, and so do the stages.
namespace kv {

class Form;

class PlayScreen {
public:
    virtual ~PlayScreen() = default;
    virtual Form& screen() = 0;
    // The timers the pause stops: the play goes on from where it stood.
    virtual void startPlayTimers() = 0;
    virtual void stopPlayTimers() = 0;
    // Quitting: every timer of the screen stops before it closes.
    virtual void stopAllTimers() = 0;
};

}  // namespace kv
