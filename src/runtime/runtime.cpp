#include "runtime/runtime.h"

#include "runtime/demo.h"
#include "runtime/keys.h"

#include <algorithm>
#include <iostream>

namespace kv {

// The joystick the game reads in play: joystick 0 is read once each time the
// clock moves on, so that every handler at one game time sees one reading, and
// a demo that records the readings as they change replays them exactly.
class Runtime::SampledJoystick : public JoystickDevices {
public:
    explicit SampledJoystick(JoystickDevices& real) : real_(real), present_(real.supported() > 0) {
        state_ = JoystickState{32767, 32767, 32767, 0};   // centred until the first reading
    }
    int supported() override { return real_.supported(); }
    bool caps(int index, JoystickCaps& out) override { return real_.caps(index, out); }
    bool read(int index, JoystickState& out) override {
        if (index != 0) return real_.read(index, out);
        if (present_) out = state_;
        return present_;
    }
    // Takes a fresh reading; true when it differs from the one before (the
    // first reading of a device counts as new).
    bool sample() {
        JoystickState s;
        const bool ok = real_.read(0, s);
        const bool changed = ok && (!sampled_ || s.x != state_.x || s.y != state_.y || s.z != state_.z ||
                                    s.buttons != state_.buttons);
        present_ = ok;
        if (ok) state_ = s, sampled_ = true;
        return changed;
    }
    const JoystickState& state() const { return state_; }

private:
    JoystickDevices& real_;
    bool present_;
    bool sampled_ = false;
    JoystickState state_;
};

Runtime::Runtime(RuntimeConfig cfg, Services svc)
    : cfg_(std::move(cfg)),
      svc_(svc),
      text_(svc.fonts, cfg_.appDir + "Fonts/"),
      pictures_(svc.codec, cfg_.appDir + "Pictures/") {
    if (cfg_.dataDir.empty()) cfg_.dataDir = cfg_.appDir;
    now_ = cfg_.clockStart;
    wallStart_ = svc_.display.wallMs();
    if (!headless()) sampledJoystick_ = std::make_unique<SampledJoystick>(svc_.joysticks);
}

Runtime::~Runtime() = default;

JoystickDevices& Runtime::joysticks() {
    if (JoystickDevices* scripted = scripts_.joystick()) return *scripted;
    if (sampledJoystick_) return *sampledJoystick_;
    return svc_.joysticks;
}

// ---- Forms -----------------------------------------------------------------

void Runtime::unload(Form& f) {
    if (!forms_.isLoaded(&f) || !f.queryUnload()) return;
    f.onUnload();
    forms_.hide(f);
    timers_.removeAllOf(f);
    // The form's own handler may still be on the stack: it is destroyed later.
    forms_.bury(f);
}

void Runtime::runModal(Form& f) {
    show(f);
    while (forms_.isLoaded(&f) && forms_.isShown(&f)) pumpOnce(true);
}

// ---- Dispatch --------------------------------------------------------------

std::uint64_t Runtime::wallClock() { return cfg_.clockStart + (svc_.display.wallMs() - wallStart_); }

// In play the clock moves from one due event to the next, each once the wall
// clock has reached it; a game that fell behind runs what is due back to back.
// It falls no further behind than this: past it, the wall clock is taken to
// start later (a stalled machine, a dragged window), and the game goes on from
// where it was rather than racing through what it missed.
static constexpr std::uint64_t kMostBehindMs = 100;

void Runtime::keepUp(std::uint64_t target) {
    if (target > UINT64_MAX - kMostBehindMs) return;
    std::uint64_t w = wallClock();
    if (w > target + kMostBehindMs) wallStart_ += w - (target + kMostBehindMs);
}

void Runtime::pollPlatform() {
    // Once per millisecond is as often as input can come: the ticks due at
    // one moment, and the waiting events a move lets run, share one look.
    if (headless()) return;
    const std::uint64_t wall = svc_.display.wallMs();
    if (wall == lastPoll_) return;
    lastPoll_ = wall;
    takeEvents(true);
}

void Runtime::takeEvents(bool makeRepeats) {
    if (headless()) return;
    std::vector<InputEvent> evs;
    svc_.display.poll(evs);
    const std::uint64_t wall = svc_.display.wallMs();
    for (auto& e : evs) {
        switch (e.kind) {
            case InputEvent::Kind::KeyDown: keys_.press(e.vk, wall); break;
            case InputEvent::Kind::KeyUp: keys_.release(e.vk); continue;   // feeds the repeat only
            case InputEvent::Kind::FocusLost: keys_.releaseAll(); break;
            case InputEvent::Kind::Close:
                // A replay is the player's to end at once.
                if (cfg_.replay) endRun(0);
                break;
            // The system asks the program to end: it ends now, whatever is up.
            case InputEvent::Kind::Quit: endRun(0);
            default: break;
        }
        arrive(std::move(e));
    }
    if (makeRepeats)
        for (int vk : keys_.due(wall)) arrive(InputEvent{InputEvent::Kind::KeyDown, vk, 0, 0, {}}, true);
}

void Runtime::arrive(InputEvent ev, bool repeat) {
    if (cfg_.replay && ev.kind != InputEvent::Kind::Close) return;
    // Handled at a game time after everything already run, and never before
    // the input that came earlier: a script line with this time, fed to the
    // same program, is handled at the very same point.
    std::uint64_t at = std::max(now_ + 1, wallClock());
    if (!input_.empty()) at = std::max(at, input_.back().at);
    input_.push_back(Arrival{at, std::move(ev), repeat});
}

std::uint64_t Runtime::inputTarget() const {
    if (boxes_.box()) return boxes_.serial() | (std::uint64_t(1) << 63);
    const Form* top = forms_.top();
    return top ? top->serial() : 0;
}

void Runtime::dispatchArrival() {
    Arrival a = std::move(input_.front());
    input_.pop_front();
    if (a.ev.kind == InputEvent::Kind::FocusLost) {
        // Leaving the window pauses a game in play as Esc does; a demo keeps it as Esc.
        const Form* top = forms_.top();
        if (boxes_.box() || !top || !top->pausesOnFocusLoss()) return;
        a.ev = InputEvent{InputEvent::Kind::KeyDown, vk::Escape, 0, 0, {}};
    } else if (a.ev.kind == InputEvent::Kind::KeyDown) {
        if (a.repeat && !keys_.stillFor(a.ev.vk, inputTarget())) return;
        if (!a.repeat) keys_.pressDelivered(a.ev.vk, inputTarget());
    }
    if (DemoWriter* demo = scripts_.recorder()) demo->input(a.at, a.ev);
    deliver(a.ev);
}

void Runtime::padChanged(const JoystickState& s) {
    // Pushed halfway from the centre counts as a direction.
    enum : std::uint32_t { Left = 1, Right = 2, Up = 4, Down = 8, First = 16, Second = 32 };
    const std::uint32_t held = (s.x < 16384 ? Left : 0u) | (s.x > 49151 ? Right : 0u) | (s.y < 16384 ? Up : 0u) |
                               (s.y > 49151 ? Down : 0u) | ((s.buttons & 1u) ? First : 0u) |
                               ((s.buttons & 2u) ? Second : 0u);
    const std::uint32_t pressed = held & ~padHeld_;
    padHeld_ = held;
    static constexpr std::pair<std::uint32_t, int> kKeys[] = {{Left, vk::Left},   {Right, vk::Right},
                                                              {Up, vk::Up},       {Down, vk::Down},
                                                              {First, kPadPress}, {Second, vk::Escape}};
    for (auto [bit, key] : kKeys)
        if (pressed & bit) padKeys_.push_back(key);
}

void Runtime::deliverPadKey(int key) {
    const bool box = boxes_.box() != nullptr;
    const Form* top = forms_.top();
    if (!box && (!top || !top->padNavigates())) return;
    if (key == kPadPress) {
        // The first button presses what has the focus: Space for a control of a
        // form (a tick box, a menu picture), Enter in a box or a text box.
        const bool onControl = !box && top->focus && !top->focus->takesText();
        key = onControl ? vk::Space : vk::Return;
    }
    deliver(InputEvent{InputEvent::Kind::KeyDown, key, 0, 0, {}});
}

Runtime::Pump Runtime::pumpOnce(bool mayAdvance) {
    pollPlatform();
    // How far the script must be known: to now when something is due now (or
    // nothing may advance), else to the next timer.
    Timer* due = timers_.due();
    std::uint64_t horizon = due || !mayAdvance ? now_ : timers_.nextDue().value_or(UINT64_MAX);
    if (cfg_.until) horizon = std::min(horizon, *cfg_.until);
    ScriptSource* script = scripts_.script();
    std::optional<std::uint64_t> st = script ? script->peekTime(horizon) : std::nullopt;
    std::optional<std::uint64_t> in = input_.empty() ? std::nullopt : std::optional(input_.front().at);
    const bool scriptDone = !script || script->exhausted();
    ++depth_;
    struct Depth { int& d; ~Depth() { --d; } } depthGuard{depth_};
    // What the pad did at this moment comes before anything else due now.
    if (!padKeys_.empty()) {
        const int key = padKeys_.front();
        padKeys_.pop_front();
        deliverPadKey(key);
        return Pump::Dispatched;
    }
    // Script actions and input in time order (a script line first at a tie),
    // each before the timers due at its time.
    const bool scriptNext = st && (!in || *st <= *in);
    std::optional<std::uint64_t> first = scriptNext ? st : in;
    auto dispatchFirst = [&] {
        if (scriptNext) {
            scripts_.run(script->pop());
            return;
        }
        dispatchArrival();
    };
    if (cfg_.until && now_ >= *cfg_.until) {
        // The end: script actions and input timed before it (queued while the
        // game was blocked) are still carried out first; nothing else runs.
        if (first && *first < *cfg_.until) {
            dispatchFirst();
            return Pump::Dispatched;
        }
        endRun(0);
    }
    Timer* t = due;
    if (first && *first <= now_ && (!t || *first <= t->dueAt())) {
        dispatchFirst();
        return Pump::Dispatched;
    }
    if (t) {
        timers_.fire(*t);
        return Pump::Dispatched;
    }
    if (!mayAdvance) return Pump::Idle;

    std::optional<std::uint64_t> next = timers_.nextDue();
    if (first && (!next || *first < *next)) next = first;
    // Runs end when nothing more can come: the script has run out (and no
    // --until asks for more), or nothing at all is scheduled.
    if ((headless() || cfg_.replay) && scriptDone && !cfg_.until) endRun(0);
    if (headless() && !next) {
        if (cfg_.until) now_ = std::max(now_, *cfg_.until);
        endRun(0);
    }
    if (cfg_.until && (!next || *next >= *cfg_.until)) {
        advanceTo(*cfg_.until);
        if (now_ >= *cfg_.until) endRun(0);
        return Pump::Idle;
    }
    advanceTo(next ? *next : UINT64_MAX);
    return Pump::Idle;
}

void Runtime::advanceTo(std::uint64_t t) {
    if (headless()) {
        now_ = std::max(now_, t);
        return;
    }
    for (;;) {
        pollPlatform();
        // Input that arrives while waiting is handled at its own time.
        std::uint64_t target = input_.empty() ? t : std::min(t, input_.front().at);
        keepUp(target);
        std::uint64_t w = wallClock();
        if (w >= target) {
            if (target <= now_) return;
            now_ = target;
            if (!scripts_.joystick() && sampledJoystick_ && sampledJoystick_->sample()) {
                if (DemoWriter* demo = scripts_.recorder()) demo->joystick(now_, sampledJoystick_->state());
                padChanged(sampledJoystick_->state());
            }
            return;
        }
        // Nothing is due before target: show what changed, then sleep until
        // target, input, or the moment a changed frame may be shown.
        int frameIn = frames_.showChanges();
        std::uint64_t wait = std::min<std::uint64_t>(target - w, 1000);
        if (frameIn >= 0) wait = std::min<std::uint64_t>(wait, std::uint64_t(std::max(frameIn, 1)));
        // A held key's next repeat wakes the loop too.
        if (auto r = keys_.nextDue()) {
            const std::uint64_t wall = svc_.display.wallMs();
            wait = std::min<std::uint64_t>(wait, *r > wall ? *r - wall : 1);
        }
        svc_.display.waitForInput(static_cast<int>(wait));
    }
}

void Runtime::doEvents() {
    // The planet screen lets waiting events run from inside every move, once
    // per bullet slot, so each queued key would run one level deeper than the
    // one before it: a few thousand key-downs queued for one millisecond ran
    // the stack out. In play the nesting stays a few levels deep (a held key
    // repeats every 30 to 50 ms and is done long before the next arrives), so
    // below the bound nothing changes; at the bound doEvents returns at once
    // and what is waiting runs when the handlers below it have returned.
    if (depth_ >= kMaxNestedDispatch) return;
    for (int i = 0; i < 10000; ++i)
        if (pumpOnce(false) == Pump::Idle) break;
    frames_.showChanges();
}

void Runtime::busyWaitUntil(std::uint64_t t) {
    // The player sees a blocking effect as it is drawn.
    int frameIn = frames_.showChanges();
    if (headless()) {
        now_ = std::max(now_, t);
        return;
    }
    for (;;) {
        // Input waits for the effect to end, as the window's close button does.
        takeEvents(false);
        keepUp(t);
        std::uint64_t w = wallClock();
        if (w >= t) break;
        std::uint64_t wait = t - w;
        if (frameIn >= 0) wait = std::min<std::uint64_t>(wait, std::uint64_t(std::max(frameIn, 1)));
        svc_.display.waitForInput(static_cast<int>(std::min<std::uint64_t>(wait, 1000)));
        frameIn = frames_.showChanges();
    }
    now_ = std::max(now_, t);
}

void Runtime::endRun(int status) { throw RunEnded{status, {}}; }

int Runtime::run() {
    if (!started_) {
        // The wall clock counts from the first dispatch: loading the first
        // screen is not time the game has to catch up on.
        started_ = true;
        wallStart_ = svc_.display.wallMs() - (now_ - cfg_.clockStart);
        frames_.start(now_);
    }
    for (;;) {
        pumpOnce(true);
        if (depth_ == 0) forms_.destroyBuried();
        // The last form closed: the program ends.
        if (forms_.onlyResidentLeft()) endRun(0);
        frames_.showChanges();
    }
}

// ---- Input -----------------------------------------------------------------

void Runtime::deliver(const InputEvent& ev) {
    if (ev.kind == InputEvent::Kind::Close) {
        if (!onClose_) endRun(0);
        onClose_();
        return;
    }
    if (boxes_.box()) {
        switch (ev.kind) {
            case InputEvent::Kind::KeyDown: boxes_.key(ev.vk); break;
            case InputEvent::Kind::Click: boxes_.click(ev.x, ev.y); break;
            case InputEvent::Kind::Text: boxes_.text(ev.text); break;
            default: break;
        }
        return;
    }
    Form* f = forms_.top();
    if (!f) return;
    switch (ev.kind) {
        case InputEvent::Kind::KeyDown: f->keyDown(ev.vk); break;
        case InputEvent::Kind::Text: f->textInput(ev.text); break;
        case InputEvent::Kind::Click: click(*f, ev.x, ev.y); break;
        default: break;
    }
}

void Runtime::click(Form& f, int x, int y) {
    Rect cr = f.clientRect();
    if (!cr.contains(x, y)) return;
    // The top-most clickable control under the point.
    Control* hit = nullptr;
    for (const auto& c : f.controls()) {
        if (!c->shownOnForm() || !c->clickable()) continue;
        if (c->formRect().contains(x - cr.x, y - cr.y)) hit = c.get();
    }
    if (!hit) return;
    if (hit->takesText()) f.setFocus(hit);
    hit->click();
}

}  // namespace kv
