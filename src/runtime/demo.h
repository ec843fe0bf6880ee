#pragma once
// Demos: the input a run takes, written as an ordinary script as it happens,
// so that the same program fed the same lines at the same game times does the
// same thing again. A first comment line carries the settings the replay needs
// (the clock's start and whatever the program adds); a last one says at what
// time the run ended, so that a replay ends there too.
#include <cstdint>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "runtime/host.h"
#include "runtime/script.h"

namespace kv {

// The comment that opens a demo (kDemoEnd closes it).
inline constexpr const char* kDemoHeader = "# demo:";

using DemoSettings = std::vector<std::pair<std::string, std::string>>;

class DemoWriter {
public:
    // Throws std::runtime_error naming the file when it cannot be written.
    DemoWriter(const std::string& path, const DemoSettings& settings);
    // Input from the window, at the game time it was handled.
    void input(std::uint64_t at, const InputEvent& ev);
    // A script's line as it was carried out (only what feeds the game).
    void action(const ScriptAction& a);
    // A real joystick's reading that differs from the one before.
    void joystick(std::uint64_t at, const JoystickState& s);
    // The end line. Throws std::runtime_error when the file could not be written.
    void finish(std::uint64_t endTime);

private:
    void line(std::uint64_t at, const std::string& text);
    std::string path_;
    std::ofstream out_;
};

// The settings of a demo's first line; empty for a script that is no demo.
// Throws std::runtime_error when the file cannot be read.
std::map<std::string, std::string> readDemoSettings(const std::string& path);

}  // namespace kv
