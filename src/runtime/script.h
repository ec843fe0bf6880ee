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
    // End: the last line of a demo, "# demo end: <ms>". It does nothing but keep
    // the script going until then, so that a replay ends where the run did.
    enum class Kind { Key, Type, Click, Press, File, Joy, Rnd, Screenshot, Dump, Quit, Close, End };
    std::uint64_t time = 0;
    Kind kind = Kind::Key;
    int a = 0, b = 0;            // key: vk; click: x, y; joy: x, y
    std::uint32_t c = 0;         // joy: buttons
    double value = 0;            // rnd
    std::string text;            // type, press, file, screenshot, dump
    int line = 0;
    std::uint64_t seq = 0;       // file order, for actions at the same time
};

// One line of a script: its action, and for a held key (`keys`) how many
// key-downs follow each other and how far apart.
struct ScriptLine {
    ScriptAction action;
    std::uint64_t count = 1;
    std::uint64_t every = 0;
};

// What a bad line says: its number, what is wrong, and the line itself with
// control bytes spelled out.
class ScriptError : public std::runtime_error {
public:
    ScriptError(int line, const std::string& msg, const std::string& text = {});
    int line() const { return line_; }

private:
    int line_;
};

// The comment that closes a demo, with the time its run ended.
inline constexpr const char* kDemoEnd = "# demo end:";

// The longest line a script may have; a longer one is refused, so a file
// without line breaks cannot fill the memory.
constexpr std::size_t kLongestScriptLine = 4096;

// Parses one line: the action it holds, or nullopt for a blank line or a
// comment. Throws ScriptError on a malformed line.
std::optional<ScriptLine> parseScriptLine(const std::string& line, int lineNo);

// A source of actions in time order. Lines must not go back in time. Lines are
// read only as far as the clock needs them, and a held key's key-downs are
// made one at a time as they fall due. A file is checked whole before the run
// starts (a bad line anywhere stops it at once); standard input and pipes are
// read as they come.
class ScriptSource {
public:
    // Throws ScriptError for a bad line, std::runtime_error naming the file when
    // it cannot be read.
    static std::unique_ptr<ScriptSource> fromFile(const std::string& path);
    static std::unique_ptr<ScriptSource> fromStream(std::istream& in);       // read as it comes
    static std::unique_ptr<ScriptSource> fromText(const std::string& text);  // tests

    // The next action's time, reading ahead as needed; nullopt when none is
    // known. Lines are read only as far as needed to know every action at or
    // before `horizon`.
    std::optional<std::uint64_t> peekTime(std::uint64_t horizon = UINT64_MAX);
    bool exhausted() const { return eof_ && pending_.empty(); }
    ScriptAction pop();
    bool usesJoystick() const { return usesJoystick_; }
    // Actions made and waiting: at most one per line read and not yet used up.
    std::size_t waiting() const { return pending_.size(); }

    ScriptSource(std::unique_ptr<std::istream> owned, std::istream& in);
    ~ScriptSource();

private:
    class Reader;
    void checkWhole();
    void readMore();
    struct Pending {
        ScriptAction action;
        std::uint64_t left = 1;      // key-downs still to come, this one included
        std::uint64_t every = 0;
    };
    struct Later {
        bool operator()(const Pending& x, const Pending& y) const {
            return x.action.time != y.action.time ? x.action.time > y.action.time : x.action.seq > y.action.seq;
        }
    };
    std::priority_queue<Pending, std::vector<Pending>, Later> pending_;
    std::unique_ptr<std::istream> owned_;
    std::istream& in_;
    std::unique_ptr<Reader> reader_;
    bool eof_ = false;
    bool usesJoystick_ = false;
    std::uint64_t seq_ = 0;
    std::uint64_t lastLineTime_ = 0;
};

}  // namespace kv
