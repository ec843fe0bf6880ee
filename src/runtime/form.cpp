#include "runtime/form.h"

#include <algorithm>

#include <nlohmann/json.hpp>

#include "runtime/keys.h"
#include "runtime/runtime.h"

namespace kv {

// ---- Timer -----------------------------------------------------------------

Timer::Timer(TimerQueue& queue, Form& form, std::string name, int interval, std::function<void()> handler)
    : queue_(queue), form_(form), name_(std::move(name)), interval_(interval), handler_(std::move(handler)) {}

Timer::~Timer() { queue_.remove(*this); }

void Timer::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (on) queue_.schedule(*this);
}

void Timer::setInterval(int ms) {
    interval_ = ms;
    if (enabled_) queue_.schedule(*this);
}

// ---- Form ------------------------------------------------------------------

static constexpr int kTitleBar = 20;
static constexpr int kBorder = 3;

Form::Form(Runtime& rt, std::string name, int w, int h) : width(w), height(h), rt_(rt), name_(std::move(name)) {
    childLists_.emplace_back();
    containers_.push_back(nullptr);
}

Form::~Form() = default;

void Form::centre() {
    Rect w = windowRect();
    left += (800 - w.w) / 2 - w.x;
    top += (600 - w.h) / 2 - w.y;
}

Rect Form::windowRect() const {
    if (frame == FormFrame::None) return clientRect();
    return Rect{left - kBorder, top - kTitleBar - kBorder, width + 2 * kBorder, height + kTitleBar + 2 * kBorder};
}

void Form::adopt(std::unique_ptr<Control> c) {
    const Control* parent = c->parent();
    auto it = std::find(containers_.begin(), containers_.end(), parent);
    std::size_t idx;
    if (it == containers_.end()) {
        containers_.push_back(parent);
        childLists_.emplace_back();
        idx = childLists_.size() - 1;
    } else {
        idx = std::size_t(it - containers_.begin());
    }
    childLists_[idx].push_back(c.get());
    controls_.push_back(std::move(c));
}

const std::vector<Control*>& Form::childrenOf(const Control* container) const {
    static const std::vector<Control*> none;
    auto it = std::find(containers_.begin(), containers_.end(), container);
    if (it == containers_.end()) return none;
    return childLists_[std::size_t(it - containers_.begin())];
}

Control* Form::find(const std::string& n) const {
    for (const auto& c : controls_)
        if (c->name() == n) return c.get();
    return nullptr;
}

Timer& Form::addTimer(std::string n, int interval, bool enabled, std::function<void()> handler) {
    timers_.push_back(std::make_unique<Timer>(rt_.timers(), *this, std::move(n), interval, std::move(handler)));
    Timer& t = *timers_.back();
    rt_.timers().add(t);
    t.setEnabled(enabled);
    return t;
}

void Form::invalidateBeneath(const Control& moved, Rect area) {
    // Picture boxes created before the moved control, in the same container, lie
    // beneath it.
    for (Control* sib : childrenOf(moved.parent())) {
        if (sib == &moved) break;
        sib->repaint(Rect{area.x - sib->left(), area.y - sib->top(), area.w, area.h});
    }
}

void Form::setFocus(Control* c) {
    if (focus) focus->setFocused(false);
    focus = c;
    if (focus) focus->setFocused(true);
}

void Form::moveFocus(int step) {
    // The controls that take the focus, in the order they were made.
    std::vector<Control*> order;
    for (const auto& c : controls_)
        if (c->takesFocus() && c->shownOnForm()) order.push_back(c.get());
    if (order.empty()) return;
    const int n = static_cast<int>(order.size());
    auto it = std::find(order.begin(), order.end(), focus);
    int at = it == order.end() ? (step > 0 ? -1 : 0) : static_cast<int>(it - order.begin());
    setFocus(order[std::size_t(((at + step) % n + n) % n)]);
}

void Form::keyDown(int key) {
    const bool inTextBox = focus && focus->takesText();
    switch (key) {
        case vk::Tab: case vk::Down: moveFocus(1); return;
        case vk::Up: moveFocus(-1); return;
        // In a text box the arrows belong to the text.
        case vk::Right: if (!inTextBox) moveFocus(1); return;
        case vk::Left: if (!inTextBox) moveFocus(-1); return;
        case vk::Return:
            if (focus && focus->pressedByEnter()) focus->click();
            else if (defaultButton) defaultButton->click();
            return;
        case vk::Escape:
            if (cancelButton) cancelButton->click();
            return;
        case vk::Space:
            if (focus && !inTextBox) focus->click();
            return;
        case vk::Back:
            if (focus) focus->backspace();
            return;
        default:
            return;
    }
}

void Form::textInput(const std::string& text) {
    if (focus) focus->type(text);
}

void Form::describe(nlohmann::json& out) const {
    nlohmann::json vars = nlohmann::json::object();
    describeFields(vars);
    nlohmann::json controls = nlohmann::json::object();
    for (const auto& c : controls_) {
        nlohmann::json cj = nlohmann::json::object();
        c->describe(cj);
        controls[c->name()] = std::move(cj);
    }
    nlohmann::json timers = nlohmann::json::object();
    for (const auto& t : timers_) timers[t->name()] = {{"enabled", t->enabled()}, {"interval", t->interval()}};
    out = {{"vars", std::move(vars)}, {"controls", std::move(controls)}, {"timers", std::move(timers)}};
}

bool Form::shown() const { return rt_.forms().isShown(this); }
void Form::show() { rt_.show(*this); }
void Form::hide() { rt_.hide(*this); }
void Form::unload() { rt_.unload(*this); }
bool Form::closed() const { return !rt_.forms().isLoaded(this); }

}  // namespace kv
