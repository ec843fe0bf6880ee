#include "runtime/runtime.h"

#include <algorithm>
#include <iostream>

namespace kv {

// A script's joystick 0: whatever the last `joy` line said.
class Runtime::ScriptJoystick : public JoystickDevices {
public:
    JoystickState state{32767, 32767, 32767, 0};   // centred, no buttons, until a joy line says otherwise
    int supported() override { return 1; }
    bool caps(int index, JoystickCaps& out) override {
        if (index != 0) return false;
        out.minimum = {0, 0, 0};
        out.maximum = {65535, 65535, 65535};
        out.buttons = 4;
        return true;
    }
    bool read(int index, JoystickState& out) override {
        if (index != 0) return false;
        out = state;
        return true;
    }
};

Runtime::Runtime(RuntimeConfig cfg, Services svc)
    : cfg_(std::move(cfg)),
      svc_(svc),
      text_(svc.fonts, cfg_.appDir + "Fonts/"),
      pictures_(svc.codec, cfg_.appDir + "Pictures/") {
    now_ = cfg_.clockStart;
    wallStart_ = svc_.display.wallMs();
}

Runtime::~Runtime() = default;

JoystickDevices& Runtime::joysticks() {
    if (scriptJoystick_) return *scriptJoystick_;
    return svc_.joysticks;
}

void Runtime::setScript(std::unique_ptr<ScriptSource> s) {
    script_ = std::move(s);
    if (script_ && script_->usesJoystick() && !scriptJoystick_) scriptJoystick_ = std::make_unique<ScriptJoystick>();
}

// ---- Forms -----------------------------------------------------------------

void Runtime::adoptForm(std::unique_ptr<Form> f) { forms_.push_back(std::move(f)); }

bool Runtime::isLoaded(const Form* f) const {
    return std::any_of(forms_.begin(), forms_.end(), [&](const auto& p) { return p.get() == f; });
}

Form* Runtime::findForm(const std::string& name) const {
    for (const auto& f : forms_)
        if (f->name() == name) return f.get();
    return nullptr;
}

bool Runtime::isShown(const Form* f) const { return std::find(zorder_.begin(), zorder_.end(), f) != zorder_.end(); }

void Runtime::show(Form& f) {
    auto it = std::find(zorder_.begin(), zorder_.end(), &f);
    if (it != zorder_.end()) zorder_.erase(it);
    zorder_.push_back(&f);
}

void Runtime::hide(Form& f) {
    auto it = std::find(zorder_.begin(), zorder_.end(), &f);
    if (it != zorder_.end()) zorder_.erase(it);
}

void Runtime::unload(Form& f) {
    auto it = std::find_if(forms_.begin(), forms_.end(), [&](const auto& p) { return p.get() == &f; });
    if (it == forms_.end()) return;
    if (!f.queryUnload()) return;
    f.onUnload();
    hide(f);
    unregisterTimers(f);
    // The form's own handler may still be on the stack: destroy it later.
    it = std::find_if(forms_.begin(), forms_.end(), [&](const auto& p) { return p.get() == &f; });
    if (it == forms_.end()) return;
    graveyard_.push_back(std::move(*it));
    forms_.erase(it);
}

void Runtime::destroyUnloaded() { graveyard_.clear(); }

void Runtime::closeAll() {
    zorder_.clear();
    timers_.clear();
    box_.reset();
    graveyard_.clear();
    // Last loaded first, as a program's windows close.
    while (!forms_.empty()) forms_.pop_back();
}

void Runtime::runModal(Form& f) {
    show(f);
    while (isLoaded(&f) && isShown(&f)) pumpOnce(true);
}

// ---- Timers ----------------------------------------------------------------

void Runtime::registerTimer(Timer* t) {
    t->seq_ = timerSeq_++;
    timers_.push_back(t);
}

void Runtime::unregisterTimers(Form& f) {
    timers_.erase(std::remove_if(timers_.begin(), timers_.end(), [&](Timer* t) { return &t->form() == &f; }),
                  timers_.end());
}

void Runtime::schedule(Timer& t) {
    t.due_ = t.interval_ > 0 ? now_ + std::uint64_t(t.interval_) : UINT64_MAX;
}

Timer* Runtime::dueTimer() {
    if (frozen_ > 0) return nullptr;
    Timer* best = nullptr;
    for (Timer* t : timers_) {
        if (!t->enabled_ || t->running_ || t->due_ > now_) continue;
        if (!best || t->due_ < best->due_ || (t->due_ == best->due_ && t->seq_ < best->seq_)) best = t;
    }
    return best;
}

std::optional<std::uint64_t> Runtime::nextTimerDue() const {
    if (frozen_ > 0) return std::nullopt;
    std::optional<std::uint64_t> next;
    for (const Timer* t : timers_) {
        if (!t->enabled_ || t->running_ || t->due_ == UINT64_MAX) continue;
        if (!next || t->due_ < *next) next = t->due_;
    }
    return next;
}

void Runtime::fireTimer(Timer& t) {
    // A tick that fell behind fires once and is rescheduled one interval after
    // the moment it fired: no bursts.
    t.running_ = true;
    schedule(t);
    ++ticks_;
    struct Done { Timer& t; ~Done() { t.running_ = false; } } done{t};
    t.handler_();
}

void Runtime::freezeTimers(bool on) {
    if (on) {
        if (frozen_++ == 0) frozenSince_ = now_;
        return;
    }
    if (--frozen_ == 0) {
        std::uint64_t d = now_ - frozenSince_;
        for (Timer* t : timers_)
            if (t->enabled_ && t->due_ != UINT64_MAX) t->due_ += d;
    }
}

// ---- Dispatch --------------------------------------------------------------

std::uint64_t Runtime::wallClock() { return cfg_.clockStart + (svc_.display.wallMs() - wallStart_); }

void Runtime::pollPlatform() {
    if (headless()) return;
    std::vector<InputEvent> evs;
    svc_.display.poll(evs);
    for (auto& e : evs) input_.push_back(std::move(e));
    now_ = std::max(now_, wallClock());
}

Runtime::Pump Runtime::pumpOnce(bool mayAdvance) {
    pollPlatform();
    // How far the script must be known: to now when something is due now (or
    // nothing may advance), else to the next timer.
    Timer* due = dueTimer();
    std::uint64_t horizon = due || !mayAdvance ? now_ : nextTimerDue().value_or(UINT64_MAX);
    if (cfg_.until) horizon = std::min(horizon, *cfg_.until);
    std::optional<std::uint64_t> st = script_ ? script_->peekTime(horizon) : std::nullopt;
    const bool scriptDone = !script_ || script_->exhausted();
    ++depth_;
    struct Depth { int& d; ~Depth() { --d; } } depthGuard{depth_};
    if (cfg_.until && now_ >= *cfg_.until) {
        // The end: script actions timed before it (queued while the game was
        // blocked) are still carried out first; nothing else runs.
        if (st && *st < *cfg_.until) {
            runScriptAction(script_->pop());
            return Pump::Dispatched;
        }
        endRun(0);
    }
    Timer* t = due;
    if (st && *st <= now_ && (!t || *st <= t->due_)) {
        runScriptAction(script_->pop());
        return Pump::Dispatched;
    }
    if (!input_.empty()) {
        InputEvent ev = std::move(input_.front());
        input_.pop_front();
        deliver(ev);
        return Pump::Dispatched;
    }
    if (t) {
        fireTimer(*t);
        return Pump::Dispatched;
    }
    if (!mayAdvance) return Pump::Idle;

    std::optional<std::uint64_t> next = nextTimerDue();
    if (st && (!next || *st < *next)) next = st;
    if (headless()) {
        // Headless runs end when nothing more can come: the script has run out
        // (and no --until asks for more), or nothing at all is scheduled.
        if (scriptDone && !cfg_.until) endRun(0);
        if (!next) {
            if (cfg_.until) now_ = std::max(now_, *cfg_.until);
            endRun(0);
        }
    }
    if (cfg_.until && next && *next >= *cfg_.until) {
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
        if (now_ >= t || !input_.empty()) return;
        if (cfg_.until && now_ >= *cfg_.until) return;
        maybePresent(false);
        std::uint64_t wait = std::min<std::uint64_t>(t - now_, 2);
        svc_.display.sleepMs(static_cast<int>(wait));
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
    maybePresent(false);
}

void Runtime::busyWaitUntil(std::uint64_t t) {
    if (headless()) {
        now_ = std::max(now_, t);
        return;
    }
    // The player sees a blocking effect as it is drawn.
    maybePresent(true);
    for (;;) {
        std::vector<InputEvent> evs;
        svc_.display.poll(evs);
        for (auto& e : evs) {
            // Closing the window is not game input: the player need not wait.
            if (e.kind == InputEvent::Kind::Close) endRun(0);
            input_.push_back(std::move(e));
        }
        std::uint64_t w = wallClock();
        if (w >= t) break;
        svc_.display.sleepMs(static_cast<int>(std::min<std::uint64_t>(t - w, 2)));
    }
    now_ = std::max({now_, t, wallClock()});
}

void Runtime::endRun(int status) { throw RunEnded{status}; }

int Runtime::run() {
    for (;;) {
        pumpOnce(true);
        if (depth_ == 0) destroyUnloaded();
        // The last form closed: the program ends.
        if (std::all_of(forms_.begin(), forms_.end(), [](const auto& f) { return f->resident; })) endRun(0);
        maybePresent(false);
    }
}

void Runtime::maybePresent(bool force) {
    if (headless()) return;
    std::uint64_t w = svc_.display.wallMs();
    if (!force && w - lastPresent_ < 15) return;
    if (force && w - lastPresent_ < 8) return;
    present();
}

void Runtime::present() {
    lastPresent_ = svc_.display.wallMs();
    Surface frame = composeFrame();
    svc_.display.present(frame);
    ++frames_;
}

// ---- Input -----------------------------------------------------------------

void Runtime::deliver(const InputEvent& ev) {
    if (ev.kind == InputEvent::Kind::Close) endRun(0);
    if (box_) {
        if (ev.kind == InputEvent::Kind::KeyDown) boxKey(ev.vk);
        else if (ev.kind == InputEvent::Kind::Click) boxClick(ev.x, ev.y);
        else if (ev.kind == InputEvent::Kind::Text && box_->files) box_->files->text(ev.text);
        else if (ev.kind == InputEvent::Kind::Text && box_->kind == "input") {
            if (box_->inputSelected) box_->input.clear(), box_->inputSelected = false;
            box_->input += ev.text;
        }
        return;
    }
    Form* f = topForm();
    if (!f) return;
    switch (ev.kind) {
        case InputEvent::Kind::KeyDown: f->keyDown(ev.vk); break;
        case InputEvent::Kind::Text: f->textInput(ev.text); break;
        case InputEvent::Kind::Click: {
            Rect cr = f->clientRect();
            if (!cr.contains(ev.x, ev.y)) return;
            // The top-most clickable control under the point.
            Control* hit = nullptr;
            for (const auto& c : f->controls()) {
                if (!c->shownOnForm() || !c->clickable()) continue;
                Rect r = c->formRect();
                if (r.contains(ev.x - cr.x, ev.y - cr.y)) hit = c.get();
            }
            if (!hit) return;
            if (hit->kind() == ControlKind::TextBox) f->setFocus(hit);
            hit->click();
            break;
        }
        case InputEvent::Kind::Close: break;
    }
}

void Runtime::pressControl(const std::string& name) {
    if (box_) {
        BoxAnswer a = box_->answerFor(name);
        if (a == BoxAnswer::None) {
            std::cerr << "press: the box \"" << box_->title << "\" has no button " << name << "\n";
            return;
        }
        box_->answer = a;
        return;
    }
    Form* f = topForm();
    Control* c = f ? f->find(name) : nullptr;
    if (!c) {
        std::cerr << "press: no control named " << name << " on " << (f ? f->name() : std::string("the screen")) << "\n";
        return;
    }
    if (c->kind() == ControlKind::TextBox) f->setFocus(c);
    c->click();
}

void Runtime::runScriptAction(const ScriptAction& a) {
    using K = ScriptAction::Kind;
    switch (a.kind) {
        case K::Key: deliver(InputEvent{InputEvent::Kind::KeyDown, a.a, 0, 0, {}}); break;
        case K::Type: deliver(InputEvent{InputEvent::Kind::Text, 0, 0, 0, a.text}); break;
        case K::Click: deliver(InputEvent{InputEvent::Kind::Click, 0, a.a, a.b, {}}); break;
        case K::Press: pressControl(a.text); break;
        case K::File:
            if (box_ && box_->kind == "file") {
                box_->input = a.text;
                box_->answer = a.text == "cancel" ? BoxAnswer::Cancel : BoxAnswer::OK;
            } else {
                std::cerr << "file: no file dialog is up (script line " << a.line << ")\n";
            }
            break;
        case K::Joy:
            if (!scriptJoystick_) scriptJoystick_ = std::make_unique<ScriptJoystick>();
            scriptJoystick_->state = JoystickState{a.a, a.b, 0, a.c};
            break;
        case K::Rnd: random_.queue(a.value); break;
        case K::Screenshot: writeScreenshot(a.text); break;
        case K::Dump: writeDump(a.text); break;
        case K::Quit: endRun(0);
    }
}

}  // namespace kv
