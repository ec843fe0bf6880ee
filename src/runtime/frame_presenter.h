#pragma once
// The frame the player sees: composed from the visible forms, back to front,
// and the box that is up, into one 800 x 600 buffer; presented only when its
// look changed, at most once per display refresh. Headless, a timedemo
// composes as play would (once per 1/60 s of game time at most) without
// showing anything.
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/surface.h"

namespace kv {

class Runtime;

class FramePresenter {
public:
    explicit FramePresenter(Runtime& rt) : rt_(rt) {}
    FramePresenter(const FramePresenter&) = delete;
    FramePresenter& operator=(const FramePresenter&) = delete;

    // Composes the frame now, into the run's one buffer.
    const Surface& compose();
    // What the frame would show, as one number: equal numbers, equal frames.
    std::uint64_t look() const;
    // Presents (or, headless, composes) a frame if something visible changed
    // and the display is ready for one. Returns how many wall milliseconds
    // until a changed frame that had to wait may be shown, or -1 if none waits.
    int showChanges();
    void present();
    // Shows the frame now, in play: each step of an effect that has no pause.
    void showProgress();
    void writeScreenshot(const std::string& file);
    // The run's first dispatch: headless frames count their 1/60 s from here.
    void start(std::uint64_t now) { nextFrameAt_ = now; }
    std::uint64_t presented() const { return presented_; }
    std::uint64_t composed() const { return composed_; }

    // What the frame showed, control by control (where each stood on the
    // frame, and its look), with the forms' and the box's own looks.
    struct ControlShot {
        Rect area;
        std::uint64_t look = 0;
    };
    struct FormShot {
        std::uint64_t serial = 0;
        Rect area;                    // the form's window, shadow and all
        std::uint64_t look = 0;
        std::vector<ControlShot> controls;
    };
    struct Snapshot {
        std::vector<FormShot> forms;
        std::uint64_t box = 0;
    };
    Snapshot snapshot() const;
    // The areas of the frame that may differ between two snapshots.
    static std::vector<Rect> changedSince(const Snapshot& before, const Snapshot& now);

private:
    void composeArea(Rect area);
    Runtime& rt_;
    Surface frame_;
    Snapshot shown_;                  // the frame last presented
    std::uint64_t shownLook_ = 0;     // the look of the frame last shown
    std::uint64_t nextFrameAt_ = 0;   // headless frames: the next 1/60 s of game time
    std::uint64_t lastPresent_ = 0;   // wall time
    std::uint64_t presented_ = 0, composed_ = 0;
};

}  // namespace kv
