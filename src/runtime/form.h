#pragma once
// Forms (screens and dialogs) with their controls and timers.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "runtime/controls.h"
#include "runtime/fields.h"

namespace kv {

// The name of element i of a control array, as "Name(i)".
inline std::string indexed(const std::string& name, int i) { return name + "(" + std::to_string(i) + ")"; }

class Runtime;
class Form;
class TimerQueue;

// A periodic timer. Enabling it, or setting its interval while it is enabled,
// schedules the first tick one interval later; disabling takes effect at once.
class Timer {
public:
    Timer(TimerQueue& queue, Form& form, std::string name, int interval, std::function<void()> handler);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    const std::string& name() const { return name_; }
    int interval() const { return interval_; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    void setInterval(int ms);
    Form& form() { return form_; }
    // When it fires next (game time), if enabled.
    std::uint64_t dueAt() const { return due_; }

private:
    friend class TimerQueue;
    TimerQueue& queue_;
    Form& form_;
    std::string name_;
    int interval_;
    bool enabled_ = false;
    std::uint64_t due_ = 0;
    std::uint64_t seq_ = 0;       // creation order, to break ties
    bool running_ = false;        // its handler is on the stack: no nested tick
    std::function<void()> handler_;
};

enum class FormFrame { None, Dialog };

// A form's dumped variables are declared with KV_VAR in the form's class.
class Form : public Described {
public:
    Form(Runtime& rt, std::string name, int width, int height);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Runtime& rt() { return rt_; }
    const std::string& name() const { return name_; }

    // Client area on the 800 x 600 frame.
    int left = 0, top = 0, width, height;
    std::string caption;
    FormFrame frame = FormFrame::None;
    Color backColor{0, 0, 0};
    void centre();                        // centres the window on the frame
    Rect clientRect() const { return Rect{left, top, width, height}; }
    Rect windowRect() const;              // with title bar and border

    template <class T, class... A>
    T& add(std::string name, Control* parent, A&&... args) {
        auto c = std::make_unique<T>(*this, std::move(name), parent, std::forward<A>(args)...);
        T& ref = *c;
        adopt(std::move(c));
        return ref;
    }
    Timer& addTimer(std::string name, int interval, bool enabled, std::function<void()> handler);

    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    const std::vector<Control*>& childrenOf(const Control* container) const;
    Control* find(const std::string& name) const;
    const std::vector<std::unique_ptr<Timer>>& timers() const { return timers_; }

    // Events. Form_Load runs when the runtime loads the form.
    virtual void onLoad() {}
    virtual void onUnload() {}
    // Form_QueryUnload: returning false refuses the unload; the form stays loaded.
    virtual bool queryUnload() { return true; }
    // A window that stays loaded for the whole run (a tool panel) does not keep
    // the program running once every other form has gone.
    bool resident = false;
    // Default dialog keys: Tab, Down and Right move the focus on, Up and Left
    // back (in a text box the arrows stay with the text); Enter presses the
    // focused button or else the default one, Esc the cancel button, Space the
    // focused control.
    virtual void keyDown(int key);
    virtual void textInput(const std::string& text);
    void describe(nlohmann::json& out) const;
    // Losing the window's focus counts as Esc here (a game in play pauses).
    virtual bool pausesOnFocusLoss() const { return false; }
    // A game pad's stick, D-pad and first two buttons work this screen as the
    // arrows, Enter and Esc do. Screens that fly the ship read the pad themselves.
    virtual bool padNavigates() const { return true; }

    Control* focus = nullptr;
    Button* defaultButton = nullptr;
    Button* cancelButton = nullptr;
    void setFocus(Control* c);
    // The next (step 1) or previous (-1) control that takes the focus.
    void moveFocus(int step);
    // Which load of a form this is: a form loaded later never has the number
    // of one before it, even where it takes the same memory.
    std::uint64_t serial() const { return serial_; }

    // A windowed control moved or hid: picture boxes beneath it in the same
    // container repaint that area from their kept images.
    void invalidateBeneath(const Control& moved, Rect area);

    bool shown() const;
    void show();
    void hide();
    // Unloading runs Form_Unload, hides the form and stops its timers at once,
    // but the form itself lives on until the dispatcher returns: a handler may
    // unload its own form (or have it unloaded by a hand-over it asks for) and
    // go on using its members to the end. What it must not do afterwards is go
    // on with the screen's rules; closed() says so, after letting events run.
    void unload();
    bool closed() const;

private:
    void adopt(std::unique_ptr<Control> c);
    friend class FormTable;
    Runtime& rt_;
    std::string name_;
    std::uint64_t serial_ = 0;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<std::vector<Control*>> childLists_;   // index 0: top level
    std::vector<const Control*> containers_;
    std::vector<std::unique_ptr<Timer>> timers_;
};

}  // namespace kv
