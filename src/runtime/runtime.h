#pragma once
// The windowing runtime the game is written against: one thread, a virtual
// millisecond clock, forms with controls and timers, modal loops and
// busy-waits. The Runtime itself is the dispatcher and a thin facade over the
// parts that do one job each: the form table, the timer queue, the box host
// (message, input and file boxes), the frame presenter, and the script host
// (scripts, demos, the state dump).
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "runtime/box_host.h"
#include "runtime/errors.h"
#include "runtime/form.h"
#include "runtime/form_table.h"
#include "runtime/frame_presenter.h"
#include "runtime/host.h"
#include "runtime/key_repeat.h"
#include "runtime/picture.h"
#include "runtime/random.h"
#include "runtime/script_host.h"
#include "runtime/text.h"
#include "runtime/timer_queue.h"

namespace kv {

struct RuntimeConfig {
    std::uint64_t clockStart = 0;
    std::optional<std::uint64_t> until;
    std::string appDir;          // ends with a path separator
    std::string dataDir;         // where the game writes; ends with a separator (empty: appDir)
    // False for a game with nowhere of its own to write (no home folder): it
    // plays without keeping scores or saves.
    bool keepsFiles = true;
    // A replay in a window: the player's own input is ignored (closing the
    // window still ends it), and the run ends once its script has run out.
    bool replay = false;
    // Headless: compose a frame at most every 1/60 s of game time when
    // something visible changed, as play would, without showing it.
    bool composeFrames = false;
};

struct Services {
    Display& display;
    ImageCodec& codec;
    FontEngine& fonts;
    JoystickDevices& joysticks;
    RegistryReader& registry;
    AudioDevice& audio;
};

class Runtime {
public:
    Runtime(RuntimeConfig cfg, Services services);
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    // ---- The clock and the dispatcher --------------------------------------
    std::uint64_t now() const { return now_; }
    bool headless() const { return svc_.display.headless(); }
    // Runs the outer loop until the run ends; returns the exit status.
    int run();
    // Dispatches everything that is due now, then returns. Does nothing when
    // kMaxNestedDispatch dispatch loops are already running underneath it.
    void doEvents();
    static constexpr int kMaxNestedDispatch = 32;
    // How many dispatch loops are running (the outer loop counts one).
    int dispatchDepth() const { return depth_; }
    // Advances the clock without dispatching anything (input is queued).
    void busyWaitUntil(std::uint64_t t);
    void sleep(int ms) { busyWaitUntil(now_ + std::uint64_t(ms > 0 ? ms : 0)); }
    [[noreturn]] void endRun(int status = 0);
    // Moves the end of the run (tests and tools that drive a run in stages).
    void setUntil(std::optional<std::uint64_t> until) { cfg_.until = until; }

    // ---- Forms -------------------------------------------------------------
    // Loads a form (its Form_Load runs); it stays loaded until unloaded.
    template <class T, class... A>
    T& load(A&&... args) {
        T& form = static_cast<T&>(forms_.adopt(std::make_unique<T>(*this, std::forward<A>(args)...)));
        form.onLoad();
        return form;
    }
    // The loaded form of that type, or null.
    template <class T>
    T* find() const {
        return forms_.find<T>();
    }
    void show(Form& f) { forms_.show(f); }
    void hide(Form& f) { forms_.hide(f); }
    // Form_QueryUnload may refuse; else Form_Unload runs, the form is hidden
    // and its timers stop at once, and it is destroyed once the dispatcher
    // has returned (see Form::unload).
    void unload(Form& f);
    // Shows the form modally and dispatches events until it is hidden or unloaded.
    void runModal(Form& f);

    // ---- The parts ---------------------------------------------------------
    FormTable& forms() { return forms_; }
    const FormTable& forms() const { return forms_; }
    TimerQueue& timers() { return timers_; }
    const TimerQueue& timers() const { return timers_; }
    BoxHost& boxes() { return boxes_; }
    const BoxHost& boxes() const { return boxes_; }
    FramePresenter& frames() { return frames_; }
    const FramePresenter& frames() const { return frames_; }
    ScriptHost& scripts() { return scripts_; }
    const ScriptHost& scripts() const { return scripts_; }

    // ---- The machine -------------------------------------------------------
    TextEngine& text() { return text_; }
    PictureStore& pictures() { return pictures_; }
    Random& random() { return random_; }
    Display& display() { return svc_.display; }
    RegistryReader& registry() { return svc_.registry; }
    // The script's joystick when it has one, else joystick 0 as read when the
    // clock last moved on (in play), else the machine's.
    JoystickDevices& joysticks();
    AudioDevice& audio() { return svc_.audio; }
    // The program and data directories (dataDir is never empty), and the rest
    // of what the run was started with.
    const RuntimeConfig& config() const { return cfg_; }
    // What the window's close button does (a script's `close` too); without a
    // handler it ends the run.
    void setCloseHandler(std::function<void()> handler) { onClose_ = std::move(handler); }

private:
    friend class BoxHost;        // runs its modal loop on the dispatcher
    friend class FramePresenter; // encodes screenshots with the codec
    friend class ScriptHost;     // hands its actions to the dispatcher as input

    enum class Pump { Dispatched, Idle };
    Pump pumpOnce(bool mayAdvance);
    void advanceTo(std::uint64_t t);
    void pollPlatform();
    // Takes the window's events into the input queue; makeRepeats also adds
    // the held keys' repeats that have fallen due (not during a busy-wait,
    // whose waiting input comes afterwards anyway).
    void takeEvents(bool makeRepeats);
    void arrive(InputEvent ev, bool repeat = false);
    // Hands over the first waiting input: a repeat only to the screen its key
    // was pressed on, and a lost focus as Esc where it pauses a game.
    void dispatchArrival();
    // Input as it arrives from the player (or a script): to the box that is
    // up, else to the top form.
    void deliver(const InputEvent& ev);
    void click(Form& f, int x, int y);
    // Who takes the keys now: the box that is up, else the top form.
    std::uint64_t inputTarget() const;
    // A game pad's stick and buttons moved: screens that take the pad as keys
    // get arrows, Enter (or Space) and Esc for what went on.
    void padChanged(const JoystickState& s);
    void deliverPadKey(int key);
    std::uint64_t wallClock();
    void keepUp(std::uint64_t target);
    ImageCodec& codec() { return svc_.codec; }

    RuntimeConfig cfg_;
    Services svc_;
    TextEngine text_;
    PictureStore pictures_;
    Random random_;

    std::uint64_t now_ = 0;
    std::uint64_t wallStart_ = 0;
    std::uint64_t lastPoll_ = UINT64_MAX;   // the wall millisecond the window was last polled
    bool started_ = false;
    int depth_ = 0;                  // nested dispatch

    // The parts. The timer queue outlives the forms, whose timers leave it
    // as they go.
    TimerQueue timers_{now_};
    FormTable forms_;
    BoxHost boxes_{*this};
    FramePresenter frames_{*this};
    ScriptHost scripts_{*this};

    // Input from the window, each with the game time it is handled at.
    struct Arrival {
        std::uint64_t at;
        InputEvent ev;
        bool repeat = false;     // made by the key repeat, not pressed
    };
    std::deque<Arrival> input_;
    KeyRepeat keys_;
    std::function<void()> onClose_;
    // The pad's directions and buttons as last seen, and the keys they made
    // that are still to be handed over (kPadPress: Enter or Space, whichever
    // presses what has the focus).
    static constexpr int kPadPress = -1;
    std::uint32_t padHeld_ = 0;
    std::deque<int> padKeys_;
    // In play, joystick 0 as read when the clock last moved on.
    class SampledJoystick;
    std::unique_ptr<SampledJoystick> sampledJoystick_;
};

}  // namespace kv
