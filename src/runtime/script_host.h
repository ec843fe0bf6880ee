#pragma once
// The scripted and inspected side of a run: the input script and its virtual
// joystick, the demo being recorded, and the JSON state dump, generated from
// the live forms.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "runtime/host.h"
#include "runtime/script.h"

namespace kv {

class DemoWriter;
class Runtime;

class ScriptHost {
public:
    explicit ScriptHost(Runtime& rt);
    ~ScriptHost();
    ScriptHost(const ScriptHost&) = delete;
    ScriptHost& operator=(const ScriptHost&) = delete;

    void setScript(std::unique_ptr<ScriptSource> s);
    ScriptSource* script() { return script_.get(); }
    // The script's joystick 0, once a script brings one (any `joy` line); null before.
    JoystickDevices* joystick();
    // Carries out one action of the script.
    void run(const ScriptAction& a);
    // Presses the named control of the top-most form or box, as `press` does.
    void pressControl(const std::string& name);

    // Writes every input the run takes, as script lines (a demo). Null stops it.
    void record(DemoWriter* writer) { recorder_ = writer; }
    DemoWriter* recorder() { return recorder_; }

    // Game-wide sections of the dump ("shared", "sounds", "music").
    std::vector<std::function<void(nlohmann::json&)>> dumpHooks;
    void describe(nlohmann::json& out) const;
    void writeDump(const std::string& fileOrDash) const;

private:
    class Joystick;
    Runtime& rt_;
    std::unique_ptr<ScriptSource> script_;
    std::unique_ptr<Joystick> joystick_;
    DemoWriter* recorder_ = nullptr;
};

}  // namespace kv
