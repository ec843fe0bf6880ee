#pragma once
// Demos: the input a run takes, written as an ordinary script as it happens,
// so that the same program fed the same lines at the same game times does the
// same thing again. A first comment line carries the settings the replay needs
// (the clock's start and whatever the program adds); a last one says at what
// time the run ended, so that a replay ends there too.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/file_io.h"
#include "runtime/host.h"
#include "runtime/script.h"

namespace kv {

// The comment that opens a demo (kDemoEnd closes it).
inline constexpr const char* kDemoHeader = "# demo:";

using DemoSettings = std::vector<std::pair<std::string, std::string>>;

// The demo goes to a temporary file beside its target as the run goes, and
// takes the target's place at finish(): a run that fails or is killed leaves
// the old file as it was.
class DemoWriter {
public:
    // Throws std::runtime_error naming the file and the reason when it cannot be written.
    DemoWriter(const std::string& path, const DemoSettings& settings);
    // Input from the window, at the game time it was handled.
    void input(std::uint64_t at, const InputEvent& ev);
    // A script's line as it was carried out (only what feeds the game).
    void action(const ScriptAction& a);
    // A real joystick's reading that differs from the one before.
    void joystick(std::uint64_t at, const JoystickState& s);
    // The end line, and the demo put in place. Throws std::runtime_error naming
    // the file and the reason when it could not be written.
    void finish(std::uint64_t endTime);

private:
    void line(std::uint64_t at, const std::string& text);
    std::string path_;
    AtomicFile out_;
};

// The settings of a demo's first line, from the file's first bytes; empty for
// a script that is no demo. Like every script line, the first may be at most
// kLongestScriptLine bytes: throws std::runtime_error for a longer one.
std::map<std::string, std::string> demoSettingsFrom(std::string_view start);

// The same read from a file, of which no more than the first line is read.
// Throws std::runtime_error naming the file when it cannot be read or is not
// a regular file (a demo is replayed from a file, not a pipe or a device).
std::map<std::string, std::string> readDemoSettings(const std::string& path);

}  // namespace kv
