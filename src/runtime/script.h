#pragma once
// Input scripts: one timed action per line (see the README for the format).
#include <cstdint>
#include <climits>
#include <istream>
#include <memory>
#include <optional>
#include <queue>
#include <stdexcept>
#include <string>
#include <vector>

namespace kv {

struct ScriptAction {
    enum class Kind { Key, Type, Click, Press, File, Joy, Rnd, Screenshot, Dump, Quit };
    std::uint64_t time = 0;
    Kind kind = Kind::Key;
    int a = 0, b = 0;            // key: vk; click: x, y; joy: x, y
    std::uint32_t c = 0;         // joy: buttons
    double value = 0;            // rnd
    std::string text;            // type, press, file, screenshot, dump
    int line = 0;
    std::uint64_t seq = 0;       // file order, for actions at the same time
};

class ScriptError : public std::runtime_error {
public:
    ScriptError(int line, const std::string& msg)
        : std::runtime_error("script line " + std::to_string(line) + ": " + msg), line_(line) {}
    int line() const { return line_; }

private:
    int line_;
};

// Parses one line; nullopt for blank lines and comments. `keys` lines expand to
// several actions. Throws ScriptError on a malformed line.
std::vector<ScriptAction> parseScriptLine(const std::string& line, int lineNo);

// A source of actions in time order. A file is read whole at start; standard
// input is read as it comes, one line ahead of the clock.
class ScriptSource {
public:
    static std::unique_ptr<ScriptSource> fromFile(const std::string& path);   // throws ScriptError / runtime_error
    static std::unique_ptr<ScriptSource> fromStream(std::istream& in);       // lazily read
    static std::unique_ptr<ScriptSource> fromText(const std::string& text);  // tests

    // The next action's time, reading ahead as needed; nullopt when none is
    // known. Standard input is read only as far as needed to know every action
    // at or before `horizon` (a later line cannot bring an earlier time).
    std::optional<std::uint64_t> peekTime(std::uint64_t horizon = UINT64_MAX);
    bool exhausted() const { return eof_ && queue_.empty(); }
    ScriptAction pop();
    bool interactive() const { return stream_ != nullptr; }
    bool usesJoystick() const { return usesJoystick_; }

private:
    void readMore();
    struct Later {
        bool operator()(const ScriptAction& x, const ScriptAction& y) const {
            return x.time != y.time ? x.time > y.time : x.seq > y.seq;
        }
    };
    std::priority_queue<ScriptAction, std::vector<ScriptAction>, Later> queue_;
    std::istream* stream_ = nullptr;
    int lineNo_ = 0;
    bool eof_ = true;
    bool usesJoystick_ = false;
    std::uint64_t seq_ = 0;
    std::uint64_t lastLineTime_ = 0;
};

}  // namespace kv
