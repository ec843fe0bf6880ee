#include "runtime/script.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>
#include <system_error>

#include "runtime/numbers.h"
#include "runtime/printable.h"

namespace kv {

namespace {

bool parseInt(const std::string& s, long long& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(s.c_str(), &end, 10);
    if (errno != 0 || *end != '\0') return false;
    out = v;
    return true;
}

// A plain decimal fraction ("0.5", "25e-2"): no NaN, no infinity, no hex.
bool parseFraction(const std::string& s, double& out) {
    if (s.empty() || s.find_first_not_of("0123456789.eE+-") != std::string::npos) return false;
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    if (*end != '\0' || !std::isfinite(v)) return false;
    out = v;
    return true;
}

// The blanks between the words of a line (once its control bytes are refused,
// no other byte can part two words).
constexpr const char* kBlanks = " \t";

std::string trim(const std::string& s) {
    auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return "";
    auto e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

bool isControl(unsigned char c) { return (c < 0x20 && c != '\t') || c == 0x7F; }

// The line being read, for what a bad one says.
struct LineAt {
    int lineNo;
    const std::string& line;
    ScriptError error(const std::string& why) const { return ScriptError(lineNo, why, line); }
};

// Where a whole-number argument goes.
enum class Slot { A, B, C, Count, Every };

// One argument of a verb: a whole number in a range, a fraction in [0, 1)
// (the action's value) or a word (the action's text).
struct Arg {
    enum class Is { Whole, Fraction, Word };
    Is is;
    Slot slot = Slot::A;
    long long lo = 0, hi = 0;
};

constexpr Arg whole(Slot slot, long long lo, long long hi) { return {Arg::Is::Whole, slot, lo, hi}; }
// The value becomes a roll Int(rnd * N), an index: only [0, 1) is safe.
constexpr Arg fraction() { return {Arg::Is::Fraction}; }
constexpr Arg word() { return {Arg::Is::Word}; }

// A verb that takes the rest of the line as its text (the rest starts at the
// blank after the verb, or is empty).
using TextTaker = std::string (*)(const std::string& rest, const LineAt& at);

// `type`: the rest of the line after one separating blank, as typed.
std::string typedText(const std::string& rest, const LineAt&) {
    return !rest.empty() && (rest[0] == ' ' || rest[0] == '\t') ? rest.substr(1) : rest;
}

// `file`: a path, or "cancel", without the blanks around it.
std::string pathOrCancel(const std::string& rest, const LineAt& at) {
    std::string path = trim(rest);
    if (path.empty()) throw at.error("'file' needs a path or 'cancel'");
    return path;
}

// Each verb: the action it makes and what follows it, either its arguments
// (words, in order) or the rest of the line as one text.
struct Verb {
    std::string_view name;
    ScriptAction::Kind kind;
    std::vector<Arg> args;
    TextTaker text = nullptr;
};

using Kind = ScriptAction::Kind;
constexpr long long kFar = 100000;            // a click's frame coordinates, far off the frame either way
constexpr long long kStick = 2147483647LL;    // a stick's reading, either way
constexpr long long kButtons = 4294967295LL;  // any mask of 32 buttons

const std::array<Verb, 12> kVerbs = {{
    {"key", Kind::Key, {whole(Slot::A, 1, 254)}},
    {"keys", Kind::Key, {whole(Slot::A, 1, 254), whole(Slot::Count, 0, 100000), whole(Slot::Every, 0, 86400000)}},
    {"type", Kind::Type, {}, typedText},
    {"click", Kind::Click, {whole(Slot::A, -kFar, kFar), whole(Slot::B, -kFar, kFar)}},
    {"press", Kind::Press, {word()}},
    {"file", Kind::File, {}, pathOrCancel},
    {"joy", Kind::Joy, {whole(Slot::A, -kStick, kStick), whole(Slot::B, -kStick, kStick), whole(Slot::C, 0, kButtons)}},
    {"rnd", Kind::Rnd, {fraction()}},
    {"screenshot", Kind::Screenshot, {word()}},
    {"dump", Kind::Dump, {word()}},
    {"quit", Kind::Quit, {}},
    {"close", Kind::Close, {}},
}};

const Verb* findVerb(const std::string& name) {
    for (const Verb& v : kVerbs)
        if (v.name == name) return &v;
    return nullptr;
}

void putWhole(ScriptLine& out, Slot slot, long long v) {
    switch (slot) {
        case Slot::A: out.action.a = static_cast<int>(v); break;
        case Slot::B: out.action.b = static_cast<int>(v); break;
        case Slot::C: out.action.c = static_cast<std::uint32_t>(v); break;
        case Slot::Count: out.count = static_cast<std::uint64_t>(v); break;
        case Slot::Every: out.every = static_cast<std::uint64_t>(v); break;
    }
}

// Checks one argument against its row and puts it in its place.
void putArg(ScriptLine& out, const Verb& verb, const Arg& arg, const std::string& text, const LineAt& at) {
    const std::string name(verb.name);
    switch (arg.is) {
        case Arg::Is::Word: out.action.text = text; return;
        case Arg::Is::Fraction:
            if (!parseFraction(text, out.action.value) || out.action.value < 0 || out.action.value >= 1)
                throw at.error("'" + name + "' takes a number in [0, 1), not '" + text + "'");
            return;
        case Arg::Is::Whole: {
            long long v = 0;
            if (!parseInt(text, v) || v < arg.lo || v > arg.hi)
                throw at.error("bad number '" + text + "' for '" + name + "' (" + std::to_string(arg.lo) + " to " +
                               std::to_string(arg.hi) + ")");
            putWhole(out, arg.slot, v);
            return;
        }
    }
}

// What follows the verb, read by its row.
void takeRest(ScriptLine& out, const Verb& verb, const std::string& rest, const LineAt& at) {
    if (verb.text) {
        out.action.text = verb.text(rest, at);
        return;
    }
    std::vector<std::string> words;
    std::istringstream in(rest);
    for (std::string w; in >> w;) words.push_back(w);
    if (words.size() != verb.args.size())
        throw at.error("'" + std::string(verb.name) + "' takes " + std::to_string(verb.args.size()) +
                       " argument(s), got " + std::to_string(words.size()));
    for (std::size_t i = 0; i < words.size(); ++i) putArg(out, verb, verb.args[i], words[i], at);
}

// A line's first two words and the rest of it after them, as it stands.
struct Words {
    std::string time, verb, rest;
};

Words splitWords(const std::string& line) {
    auto wordAt = [&](std::size_t from, std::size_t& end) {
        std::size_t b = std::min(line.find_first_not_of(kBlanks, from), line.size());
        end = std::min(line.find_first_of(kBlanks, b), line.size());
        return line.substr(b, end - b);
    };
    Words w;
    std::size_t end = 0;
    w.time = wordAt(0, end);
    w.verb = wordAt(end, end);
    w.rest = line.substr(end);
    return w;
}

void refuseControlBytes(const LineAt& at) {
    const std::string& line = at.line;
    for (std::size_t i = 0; i < line.size(); ++i)
        if (isControl(static_cast<unsigned char>(line[i])))
            throw at.error("a control byte (" + line.substr(i, 1) + ") at column " + std::to_string(i + 1));
}

ScriptLine demoEnd(const std::string& t, const LineAt& at) {
    auto end = parseUnsigned(trim(t.substr(std::string(kDemoEnd).size())));
    if (!end) throw at.error("a demo's end line needs the time the run ended");
    ScriptLine out;
    out.action.kind = ScriptAction::Kind::End;
    out.action.time = *end;
    out.action.line = at.lineNo;
    return out;
}

}  // namespace

ScriptError::ScriptError(int line, const std::string& msg, const std::string& text)
    : std::runtime_error("script line " + std::to_string(line) + ": " + printable(msg) +
                         (text.empty() ? std::string() : " in \"" + printableExcerpt(text) + "\"")),
      line_(line) {}

std::optional<ScriptLine> parseScriptLine(const std::string& raw, int lineNo) {
    std::string line = raw;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const LineAt at{lineNo, line};
    refuseControlBytes(at);
    const std::string t = trim(line);
    if (t.rfind(kDemoEnd, 0) == 0) return demoEnd(t, at);
    if (t.empty() || t[0] == '#') return std::nullopt;

    const Words words = splitWords(line);
    ScriptLine out;
    out.action.line = lineNo;
    auto time = parseUnsigned(words.time);
    if (!time) throw at.error("the time must be a whole number of milliseconds, not '" + words.time + "'");
    out.action.time = *time;
    if (words.verb.empty()) throw at.error("an action is missing after the time");
    const Verb* verb = findVerb(words.verb);
    if (!verb) throw at.error("unknown action '" + words.verb + "'");
    out.action.kind = verb->kind;
    takeRest(out, *verb, words.rest, at);
    return out;
}

// Reads a script's lines one at a time, each at most kLongestScriptLine bytes,
// and holds them to going forward in time.
class ScriptSource::Reader {
public:
    explicit Reader(std::istream& in) : in_(in) {}

    // The next line that holds an action; nullopt at the end.
    std::optional<ScriptLine> next() {
        std::string raw;
        while (readLine(raw)) {
            ++lineNo_;
            auto l = parseScriptLine(raw, lineNo_);
            if (!l) continue;
            // Actions run in time order. A file could be sorted, standard input
            // cannot: both refuse the same scripts rather than differ.
            if (l->action.time < lastTime_)
                throw ScriptError(lineNo_, "the time " + std::to_string(l->action.time) +
                                               " goes back before the line before it (" + std::to_string(lastTime_) + ")",
                                  raw);
            lastTime_ = l->action.time;
            return l;
        }
        return std::nullopt;
    }

private:
    bool readLine(std::string& line) {
        line.clear();
        bool any = false;
        char c = 0;
        while (in_.get(c)) {
            any = true;
            if (c == '\n') return true;
            if (line.size() >= kLongestScriptLine)
                throw ScriptError(lineNo_ + 1, "the line is longer than " + std::to_string(kLongestScriptLine) + " bytes", line);
            line.push_back(c);
        }
        return any;
    }

    std::istream& in_;
    int lineNo_ = 0;
    std::uint64_t lastTime_ = 0;
};

ScriptSource::ScriptSource(std::unique_ptr<std::istream> owned, std::istream& in)
    : owned_(std::move(owned)), in_(in), reader_(std::make_unique<Reader>(in)) {}

ScriptSource::~ScriptSource() = default;

void ScriptSource::checkWhole() {
    // A bad line anywhere stops the run before it starts; then back to the top.
    Reader check(in_);
    while (auto l = check.next())
        if (l->action.kind == ScriptAction::Kind::Joy) usesJoystick_ = true;
    in_.clear();
    in_.seekg(0);
    if (!in_) throw std::runtime_error("cannot go back to the start of the script");
}

std::unique_ptr<ScriptSource> ScriptSource::fromText(const std::string& text) {
    auto in = std::make_unique<std::istringstream>(text);
    std::istream& ref = *in;
    auto s = std::make_unique<ScriptSource>(std::move(in), ref);
    s->checkWhole();
    return s;
}

std::unique_ptr<ScriptSource> ScriptSource::fromFile(const std::string& path) {
    namespace fs = std::filesystem;
    auto refuse = [&](const std::string& why) {
        return std::runtime_error("cannot read the script " + printable(path) + ": " + why);
    };
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (ec) throw refuse(ec.message());
    if (st.type() == fs::file_type::directory) throw refuse(std::make_error_code(std::errc::is_a_directory).message());
    errno = 0;
    auto in = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!*in) throw refuse(errno ? std::error_code(errno, std::generic_category()).message() : "cannot open it");
    std::istream& ref = *in;
    auto s = std::make_unique<ScriptSource>(std::move(in), ref);
    if (st.type() == fs::file_type::regular) {
        s->checkWhole();
    } else {
        // A named pipe or a device is read as it comes, like standard input.
        s->usesJoystick_ = true;
    }
    return s;
}

std::unique_ptr<ScriptSource> ScriptSource::fromStream(std::istream& in) {
    auto s = std::make_unique<ScriptSource>(nullptr, in);
    // An interactive script may plug in a joystick at any time.
    s->usesJoystick_ = true;
    return s;
}

void ScriptSource::readMore() {
    auto l = reader_->next();
    if (!l) {
        eof_ = true;
        return;
    }
    lastLineTime_ = l->action.time;
    if (l->count == 0) return;
    l->action.seq = seq_++;
    pending_.push(Pending{std::move(l->action), l->count, l->every});
}

std::optional<std::uint64_t> ScriptSource::peekTime(std::uint64_t horizon) {
    // Never hand out an action later than the last line read, since the next
    // line may still bring one as early as that line's time; and read no
    // further than the caller needs.
    while (!eof_ && lastLineTime_ <= horizon && (pending_.empty() || pending_.top().action.time > lastLineTime_))
        readMore();
    if (pending_.empty()) return std::nullopt;
    return pending_.top().action.time;
}

ScriptAction ScriptSource::pop() {
    Pending p = pending_.top();
    pending_.pop();
    ScriptAction a = p.action;
    // A held key's next key-down is made only now.
    if (p.left > 1) {
        --p.left;
        p.action.time += p.every;
        pending_.push(std::move(p));
    }
    return a;
}

}  // namespace kv
