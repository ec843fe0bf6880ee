#include "runtime/script.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
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

std::string trim(const std::string& s) {
    auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return "";
    auto e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

bool isControl(unsigned char c) { return (c < 0x20 && c != '\t') || c == 0x7F; }

}  // namespace

ScriptError::ScriptError(int line, const std::string& msg, const std::string& text)
    : std::runtime_error("script line " + std::to_string(line) + ": " + printable(msg) +
                         (text.empty() ? std::string() : " in \"" + printableExcerpt(text) + "\"")),
      line_(line) {}

std::optional<ScriptLine> parseScriptLine(const std::string& raw, int lineNo) {
    std::string line = raw;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    for (std::size_t i = 0; i < line.size(); ++i)
        if (isControl(static_cast<unsigned char>(line[i])))
            throw ScriptError(lineNo, "a control byte (" + line.substr(i, 1) + ") at column " + std::to_string(i + 1), line);
    std::string t = trim(line);
    auto fail = [&](const std::string& why) { return ScriptError(lineNo, why, line); };
    if (t.rfind(kDemoEnd, 0) == 0) {
        auto end = parseUnsigned(trim(t.substr(std::string(kDemoEnd).size())));
        if (!end) throw fail("a demo's end line needs the time the run ended");
        ScriptLine out;
        out.action.kind = ScriptAction::Kind::End;
        out.action.time = *end;
        out.action.line = lineNo;
        return out;
    }
    if (t.empty() || t[0] == '#') return std::nullopt;

    std::istringstream in(t);
    std::string timeText, verb;
    in >> timeText >> verb;
    ScriptLine out;
    ScriptAction& a = out.action;
    a.line = lineNo;
    auto time = parseUnsigned(timeText);
    if (!time) throw fail("the time must be a whole number of milliseconds, not '" + timeText + "'");
    a.time = *time;
    if (verb.empty()) throw fail("an action is missing after the time");

    std::vector<std::string> args;
    std::string rest;
    std::getline(in, rest);
    {
        std::istringstream ws(rest);
        std::string w;
        while (ws >> w) args.push_back(w);
    }
    auto need = [&](std::size_t n) {
        if (args.size() != n)
            throw fail("'" + verb + "' takes " + std::to_string(n) + " argument(s), got " + std::to_string(args.size()));
    };
    auto intArg = [&](std::size_t i, long long lo, long long hi) {
        long long v = 0;
        if (!parseInt(args[i], v) || v < lo || v > hi)
            throw fail("bad number '" + args[i] + "' for '" + verb + "' (" + std::to_string(lo) + " to " + std::to_string(hi) + ")");
        return v;
    };

    if (verb == "key") {
        need(1);
        a.kind = ScriptAction::Kind::Key;
        a.a = static_cast<int>(intArg(0, 1, 254));
        return out;
    }
    if (verb == "keys") {
        need(3);
        a.kind = ScriptAction::Kind::Key;
        a.a = static_cast<int>(intArg(0, 1, 254));
        out.count = static_cast<std::uint64_t>(intArg(1, 0, 100000));
        out.every = static_cast<std::uint64_t>(intArg(2, 0, 86400000));
        return out;
    }
    if (verb == "type") {
        a.kind = ScriptAction::Kind::Type;
        // The rest of the line after one separating space, as typed.
        std::size_t pos = line.find(verb, line.find(timeText) + timeText.size()) + verb.size();
        if (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
        a.text = pos < line.size() ? line.substr(pos) : "";
        return out;
    }
    if (verb == "click") {
        need(2);
        a.kind = ScriptAction::Kind::Click;
        a.a = static_cast<int>(intArg(0, -100000, 100000));
        a.b = static_cast<int>(intArg(1, -100000, 100000));
        return out;
    }
    if (verb == "press") {
        need(1);
        a.kind = ScriptAction::Kind::Press;
        a.text = args[0];
        return out;
    }
    if (verb == "file") {
        if (args.empty()) throw fail("'file' needs a path or 'cancel'");
        a.kind = ScriptAction::Kind::File;
        std::size_t pos = line.find("file", line.find(timeText) + timeText.size()) + 4;
        a.text = trim(line.substr(pos));
        return out;
    }
    if (verb == "joy") {
        need(3);
        a.kind = ScriptAction::Kind::Joy;
        a.a = static_cast<int>(intArg(0, -2147483647LL, 2147483647LL));
        a.b = static_cast<int>(intArg(1, -2147483647LL, 2147483647LL));
        a.c = static_cast<std::uint32_t>(intArg(2, 0, 4294967295LL));
        return out;
    }
    if (verb == "rnd") {
        need(1);
        a.kind = ScriptAction::Kind::Rnd;
        // The value becomes a roll Int(rnd * N), an index: only [0, 1) is safe.
        if (!parseFraction(args[0], a.value) || a.value < 0 || a.value >= 1)
            throw fail("'rnd' takes a number in [0, 1), not '" + args[0] + "'");
        return out;
    }
    if (verb == "screenshot" || verb == "dump") {
        need(1);
        a.kind = verb == "dump" ? ScriptAction::Kind::Dump : ScriptAction::Kind::Screenshot;
        a.text = args[0];
        return out;
    }
    if (verb == "quit" || verb == "close") {
        need(0);
        a.kind = verb == "quit" ? ScriptAction::Kind::Quit : ScriptAction::Kind::Close;
        return out;
    }
    throw fail("unknown action '" + verb + "'");
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
