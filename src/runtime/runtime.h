#pragma once
// The windowing runtime the game is written against: one thread, a virtual
// millisecond clock, forms with controls and timers, modal loops, busy-waits,
// boxes, scripts and state inspection.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "runtime/box.h"
#include "runtime/errors.h"
#include "runtime/file_dialog.h"
#include "runtime/form.h"
#include "runtime/host.h"
#include "runtime/key_repeat.h"
#include "runtime/picture.h"
#include "runtime/random.h"
#include "runtime/script.h"
#include "runtime/text.h"

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

class DemoWriter;

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

    // ---- Clock -------------------------------------------------------------
    std::uint64_t now() const { return now_; }
    bool headless() const { return svc_.display.headless(); }

    // ---- Forms -------------------------------------------------------------
    template <class T, class... A>
    T& load(A&&... args) {
        auto f = std::make_unique<T>(*this, std::forward<A>(args)...);
        T& ref = *f;
        adoptForm(std::move(f));
        ref.onLoad();
        return ref;
    }
    void show(Form& f);
    void hide(Form& f);
    void unload(Form& f);
    bool isLoaded(const Form* f) const;
    // The loaded form of that type, or null.
    template <class T>
    T* find() const {
        for (const auto& f : forms_)
            if (auto* t = dynamic_cast<T*>(f.get())) return t;
        return nullptr;
    }
    // Destroys every form at once, without their unload events: the end of the
    // program, while what the forms refer to still exists.
    void closeAll();
    bool isShown(const Form* f) const;
    // Shows the form modally and dispatches events until it is hidden or unloaded.
    void runModal(Form& f);
    const std::vector<Form*>& visibleForms() const { return zorder_; }
    const std::vector<std::unique_ptr<Form>>& loadedForms() const { return forms_; }
    Form* topForm() const { return zorder_.empty() ? nullptr : zorder_.back(); }

    // ---- Dispatch ----------------------------------------------------------
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

    // ---- Boxes -------------------------------------------------------------
    BoxAnswer msgBox(const std::string& text, const std::string& title, BoxButtons buttons, BoxIcon icon);
    // The box the program closes on: once it is answered, or the run ends while
    // it is up (a headless run no script answers), the run ends with status 1
    // and the box's text goes with it for standard error.
    [[noreturn]] void fatalBox(const std::string& text, const std::string& title, BoxIcon icon);
    // Returns the answer, or nullopt for Cancel.
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title, const std::string& def);
    // An open or save dialog; returns the chosen full path, or nullopt for Cancel.
    // A name the dialog's own check refuses gets a message box over the
    // dialog, which then stays up for another choice.
    std::optional<std::string> fileDialog(const FileDialogOptions& opts);
    const Box* box() const { return box_.get(); }
    const std::vector<MessageRecord>& messages() const { return messages_; }

    // ---- Services ----------------------------------------------------------
    TextEngine& text() { return text_; }
    PictureStore& pictures() { return pictures_; }
    Random& random() { return random_; }
    Display& display() { return svc_.display; }
    ImageCodec& codec() { return svc_.codec; }
    RegistryReader& registry() { return svc_.registry; }
    JoystickDevices& joysticks();
    AudioDevice& audio() { return svc_.audio; }
    const std::string& appDir() const { return cfg_.appDir; }
    const std::string& dataDir() const { return cfg_.dataDir.empty() ? cfg_.appDir : cfg_.dataDir; }
    bool keepsFiles() const { return cfg_.keepsFiles; }

    // ---- Scripts and inspection -------------------------------------------
    void setScript(std::unique_ptr<ScriptSource> s);
    // Adds game-wide sections to the dump ("shared", "sounds", "music").
    std::vector<std::function<void(nlohmann::json&)>> dumpHooks;
    void describe(nlohmann::json& out) const;
    void writeDump(const std::string& fileOrDash) const;
    // Composes the visible forms into the run's one frame buffer.
    const Surface& composeFrame();
    void writeScreenshot(const std::string& file);
    void present();
    // Shows the frame now, in play: each step of an effect that has no pause.
    void showProgress() { if (!headless()) present(); }
    std::uint64_t framesPresented() const { return frames_; }
    std::uint64_t framesComposed() const { return composed_; }
    // Every timer the dispatcher will fire, enabled or not: what the soak
    // checks against the forms that are still loaded.
    const std::vector<Timer*>& registeredTimers() const { return timers_; }
    std::uint64_t ticksFired() const { return ticks_; }
    // What the frame would show, as one number: equal numbers, equal frames.
    std::uint64_t frameLook() const;
    // Writes every input the run takes, as script lines (a demo). Null stops it.
    void record(DemoWriter* writer) { recorder_ = writer; }

    // Presses the named control of the top-most form or box, as a script would.
    void pressControl(const std::string& name);
    // Input as it arrives from the player (or a script).
    void deliver(const InputEvent& ev);
    // What the window's close button does (a script's `close` too); without a
    // handler it ends the run.
    void setCloseHandler(std::function<void()> handler) { onClose_ = std::move(handler); }

private:
    friend class Timer;
    friend class Form;
    void adoptForm(std::unique_ptr<Form> f);
    void registerTimer(Timer* t);
    void unregisterTimers(Form& f);
    void schedule(Timer& t);
    Timer* dueTimer();
    std::optional<std::uint64_t> nextTimerDue() const;

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
    // Who takes the keys now: the box that is up, else the top form.
    std::uint64_t inputTarget() const;
    // A game pad's stick and buttons moved: screens that take the pad as keys
    // get arrows, Enter (or Space) and Esc for what went on.
    void padChanged(const JoystickState& s);
    void deliverPadKey(int key);
    std::uint64_t wallClock();
    void keepUp(std::uint64_t target);
    void runScriptAction(const ScriptAction& a);
    void fireTimer(Timer& t);
    void destroyUnloaded();
    // Presents (or, headless, composes) a frame if something visible changed
    // and the display is ready for one. Returns how many wall milliseconds
    // until a changed frame that had to wait may be shown, or -1 if none waits.
    int showChanges();
    // The first form of the z-order that can be seen: forms under one that
    // fills the whole frame are not.
    std::size_t firstSeenForm() const;
    BoxAnswer runBox(std::unique_ptr<Box> b);
    void boxKey(int key);
    void boxClick(int x, int y);
    void freezeTimers(bool on);
    Rect boxRect() const;
    struct BoxLayout;
    BoxLayout layoutBox() const;
    void drawBox(Surface& frame);

    RuntimeConfig cfg_;
    Services svc_;
    TextEngine text_;
    PictureStore pictures_;
    Random random_;

    std::uint64_t now_ = 0;
    std::uint64_t wallStart_ = 0;
    std::uint64_t lastPresent_ = 0;
    std::uint64_t frames_ = 0, ticks_ = 0, composed_ = 0;
    bool started_ = false;
    Surface frame_;
    std::uint64_t shownLook_ = 0;    // the look of the frame last shown
    std::uint64_t nextFrameAt_ = 0;  // headless frames: the next 1/60 s of game time
    std::uint64_t boxInput_ = 0;     // keys, clicks and text a box took: its look
    DemoWriter* recorder_ = nullptr;
    int depth_ = 0;                  // nested dispatch
    bool ending_ = false;

    std::vector<std::unique_ptr<Form>> forms_;
    std::vector<std::unique_ptr<Form>> graveyard_;
    std::vector<Form*> zorder_;
    std::vector<Timer*> timers_;
    std::uint64_t timerSeq_ = 0;
    int frozen_ = 0;
    std::uint64_t frozenSince_ = 0;

    // Input from the window, each with the game time it is handled at.
    struct Arrival {
        std::uint64_t at;
        InputEvent ev;
        bool repeat = false;     // made by the key repeat, not pressed
    };
    std::deque<Arrival> input_;
    KeyRepeat keys_;
    std::uint64_t formSerial_ = 0, boxSerial_ = 0;
    std::function<void()> onClose_;
    // The pad's directions and buttons as last seen, and the keys they made
    // that are still to be handed over (kPadPress: Enter or Space, whichever
    // presses what has the focus).
    static constexpr int kPadPress = -1;
    std::uint32_t padHeld_ = 0;
    std::deque<int> padKeys_;
    std::unique_ptr<ScriptSource> script_;
    std::unique_ptr<Box> box_;
    std::unique_ptr<Box> boxUnder_;   // a file dialog under the box that refuses its choice
    std::vector<MessageRecord> messages_;

    // A script's virtual joystick 0 (present once any joy line exists).
    class ScriptJoystick;
    std::unique_ptr<ScriptJoystick> scriptJoystick_;
    // In play, joystick 0 as read when the clock last moved on.
    class SampledJoystick;
    std::unique_ptr<SampledJoystick> sampledJoystick_;
};

}  // namespace kv
