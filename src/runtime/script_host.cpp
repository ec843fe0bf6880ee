// Scripts carried out, demos recorded, and the JSON state dump.
#include "runtime/script_host.h"

#include <iostream>

#include <nlohmann/json.hpp>

#include "runtime/demo.h"
#include "runtime/file_io.h"
#include "runtime/printable.h"
#include "runtime/runtime.h"

namespace kv {

// A script's joystick 0: whatever the last `joy` line said.
class ScriptHost::Joystick : public JoystickDevices {
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

ScriptHost::ScriptHost(Runtime& rt) : rt_(rt) {}

ScriptHost::~ScriptHost() = default;

void ScriptHost::setScript(std::unique_ptr<ScriptSource> s) {
    script_ = std::move(s);
    if (script_ && script_->usesJoystick() && !joystick_) joystick_ = std::make_unique<Joystick>();
}

JoystickDevices* ScriptHost::joystick() { return joystick_.get(); }

void ScriptHost::pressControl(const std::string& name) {
    BoxHost& boxes = rt_.boxes();
    if (const Box* box = boxes.box()) {
        if (!boxes.press(name)) std::cerr << "press: the box \"" << box->title << "\" has no button " << name << "\n";
        return;
    }
    Form* f = rt_.forms().top();
    Control* c = f ? f->find(name) : nullptr;
    if (!c) {
        std::cerr << "press: no control named " << name << " on " << (f ? f->name() : std::string("the screen")) << "\n";
        return;
    }
    if (c->takesText()) f->setFocus(c);
    c->click();
}

void ScriptHost::run(const ScriptAction& a) {
    using K = ScriptAction::Kind;
    if (recorder_) recorder_->action(a);
    switch (a.kind) {
        case K::Key: rt_.deliver(InputEvent{InputEvent::Kind::KeyDown, a.a, 0, 0, {}}); break;
        case K::Type: rt_.deliver(InputEvent{InputEvent::Kind::Text, 0, 0, 0, a.text}); break;
        case K::Click: rt_.deliver(InputEvent{InputEvent::Kind::Click, 0, a.a, a.b, {}}); break;
        case K::Press: pressControl(a.text); break;
        case K::File:
            // As typed into the name field and answered with Enter: a pattern
            // filters the listing, a folder is opened.
            if (!rt_.boxes().answerFile(a.text))
                std::cerr << "file: no file dialog is up (script line " << a.line << ")\n";
            break;
        case K::Joy:
            if (!joystick_) joystick_ = std::make_unique<Joystick>();
            joystick_->state = JoystickState{a.a, a.b, 0, a.c};
            rt_.padChanged(joystick_->state);
            break;
        case K::Close: rt_.deliver(InputEvent{InputEvent::Kind::Close, 0, 0, 0, {}}); break;
        case K::Rnd: rt_.random().queue(a.value); break;
        case K::Screenshot: rt_.frames().writeScreenshot(a.text); break;
        case K::Dump: writeDump(a.text); break;
        case K::Quit: rt_.endRun(0);
        case K::End: break;
    }
}

void ScriptHost::describe(nlohmann::json& out) const {
    const FormTable& table = rt_.forms();
    out = nlohmann::json::object();
    out["time_ms"] = rt_.now();
    nlohmann::json forms = nlohmann::json::array();
    for (const Form* f : table.visible()) forms.push_back(f->name());
    out["forms"] = forms;
    out["active"] = table.top() ? nlohmann::json(table.top()->name()) : nlohmann::json(nullptr);
    out["shared"] = nlohmann::json::object();
    nlohmann::json all = nlohmann::json::object();
    for (const auto& f : table.loaded()) {
        nlohmann::json fj;
        f->describe(fj);
        all[f->name()] = std::move(fj);
    }
    out["form"] = std::move(all);
    if (const Box* box = rt_.boxes().box()) {
        out["box"] = {{"kind", box->kind}, {"title", box->title}, {"text", box->text}};
        if (box->kind == "input") out["box"]["answer"] = box->input;
        if (box->files) out["box"]["answer"] = box->files->name();
    } else {
        out["box"] = nullptr;
    }
    nlohmann::json msgs = nlohmann::json::array();
    for (const auto& m : rt_.boxes().messages())
        msgs.push_back({{"time_ms", m.time}, {"kind", m.kind}, {"title", m.title}, {"text", m.text}, {"answer", m.answer}});
    out["messages"] = std::move(msgs);
    out["sounds"] = nlohmann::json::array();
    out["music"] = nlohmann::json::array();
    for (const auto& hook : dumpHooks) hook(out);
}

void ScriptHost::writeDump(const std::string& file) const {
    nlohmann::json j;
    describe(j);
    // Invalid UTF-8 (a name typed byte by byte, say) is replaced, never fatal.
    std::string text = j.dump(file == "-" ? -1 : 2, ' ', false, nlohmann::json::error_handler_t::replace);
    if (file == "-") {
        std::cout << text << std::endl;
        // A controller at the other end of the pipe may have gone away.
        if (!std::cout) throw FatalError("Cannot write the state dump to standard output");
        return;
    }
    std::string err;
    if (!writeFileSafely(file, text + '\n', err))
        throw FatalError("Cannot write the state dump " + printable(file) + ": " + err);
}

}  // namespace kv
