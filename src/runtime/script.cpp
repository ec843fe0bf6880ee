#include "runtime/script.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace kv {

namespace {

bool parseUnsigned(const std::string& s, std::uint64_t& out) {
    if (s.empty() || s.find_first_not_of("0123456789") != std::string::npos || s.size() > 18) return false;
    out = std::stoull(s);
    return true;
}

bool parseInt(const std::string& s, long long& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(s.c_str(), &end, 10);
    if (errno != 0 || *end != '\0') return false;
    out = v;
    return true;
}

bool parseDouble(const std::string& s, double& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    if (*end != '\0') return false;
    out = v;
    return true;
}

std::string trim(const std::string& s) {
    auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return "";
    auto e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

}  // namespace

std::vector<ScriptAction> parseScriptLine(const std::string& raw, int lineNo) {
    std::string line = raw;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string t = trim(line);
    if (t.empty() || t[0] == '#') return {};

    std::istringstream in(t);
    std::string timeText, verb;
    in >> timeText >> verb;
    ScriptAction a;
    a.line = lineNo;
    if (!parseUnsigned(timeText, a.time)) throw ScriptError(lineNo, "the time must be a whole number of milliseconds: " + timeText);
    if (verb.empty()) throw ScriptError(lineNo, "an action is missing after the time");

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
            throw ScriptError(lineNo, "'" + verb + "' takes " + std::to_string(n) + " argument(s), got " + std::to_string(args.size()));
    };
    auto intArg = [&](std::size_t i, long long lo, long long hi) {
        long long v = 0;
        if (!parseInt(args[i], v) || v < lo || v > hi) throw ScriptError(lineNo, "bad number '" + args[i] + "' for '" + verb + "'");
        return v;
    };

    if (verb == "key") {
        need(1);
        a.kind = ScriptAction::Kind::Key;
        a.a = static_cast<int>(intArg(0, 1, 254));
        return {a};
    }
    if (verb == "keys") {
        need(3);
        int vk = static_cast<int>(intArg(0, 1, 254));
        long long n = intArg(1, 0, 100000), every = intArg(2, 0, 86400000);
        std::vector<ScriptAction> out;
        for (long long i = 0; i < n; ++i) {
            ScriptAction k = a;
            k.kind = ScriptAction::Kind::Key;
            k.a = vk;
            k.time = a.time + std::uint64_t(i * every);
            out.push_back(k);
        }
        return out;
    }
    if (verb == "type") {
        a.kind = ScriptAction::Kind::Type;
        // The rest of the line after one separating space, as typed.
        std::size_t pos = line.find(verb, line.find(timeText) + timeText.size()) + verb.size();
        if (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
        a.text = pos < line.size() ? line.substr(pos) : "";
        return {a};
    }
    if (verb == "click") {
        need(2);
        a.kind = ScriptAction::Kind::Click;
        a.a = static_cast<int>(intArg(0, -100000, 100000));
        a.b = static_cast<int>(intArg(1, -100000, 100000));
        return {a};
    }
    if (verb == "press") {
        need(1);
        a.kind = ScriptAction::Kind::Press;
        a.text = args[0];
        return {a};
    }
    if (verb == "file") {
        if (args.empty()) throw ScriptError(lineNo, "'file' needs a path or 'cancel'");
        a.kind = ScriptAction::Kind::File;
        std::size_t pos = line.find("file", line.find(timeText) + timeText.size()) + 4;
        a.text = trim(line.substr(pos));
        return {a};
    }
    if (verb == "joy") {
        need(3);
        a.kind = ScriptAction::Kind::Joy;
        a.a = static_cast<int>(intArg(0, -2147483647LL, 2147483647LL));
        a.b = static_cast<int>(intArg(1, -2147483647LL, 2147483647LL));
        a.c = static_cast<std::uint32_t>(intArg(2, 0, 4294967295LL));
        return {a};
    }
    if (verb == "rnd") {
        need(1);
        a.kind = ScriptAction::Kind::Rnd;
        if (!parseDouble(args[0], a.value) || a.value < 0 || a.value >= 1)
            throw ScriptError(lineNo, "'rnd' takes a value in [0, 1): " + args[0]);
        return {a};
    }
    if (verb == "screenshot" || verb == "dump") {
        need(1);
        a.kind = verb == "dump" ? ScriptAction::Kind::Dump : ScriptAction::Kind::Screenshot;
        a.text = args[0];
        return {a};
    }
    if (verb == "quit") {
        need(0);
        a.kind = ScriptAction::Kind::Quit;
        return {a};
    }
    throw ScriptError(lineNo, "unknown action '" + verb + "'");
}

std::unique_ptr<ScriptSource> ScriptSource::fromText(const std::string& text) {
    auto s = std::make_unique<ScriptSource>();
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        ++s->lineNo_;
        for (auto& a : parseScriptLine(line, s->lineNo_)) {
            a.seq = s->seq_++;
            if (a.kind == ScriptAction::Kind::Joy) s->usesJoystick_ = true;
            s->queue_.push(a);
        }
    }
    return s;
}

std::unique_ptr<ScriptSource> ScriptSource::fromFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) throw std::runtime_error("cannot read the script " + path);
    std::stringstream ss;
    ss << f.rdbuf();
    return fromText(ss.str());
}

std::unique_ptr<ScriptSource> ScriptSource::fromStream(std::istream& in) {
    auto s = std::make_unique<ScriptSource>();
    s->stream_ = &in;
    s->eof_ = false;
    // An interactive script may plug in a joystick at any time.
    s->usesJoystick_ = true;
    return s;
}

void ScriptSource::readMore() {
    // Read one more line that holds an action (or reach the end of the stream).
    std::string line;
    while (!eof_) {
        if (!std::getline(*stream_, line)) { eof_ = true; break; }
        ++lineNo_;
        auto actions = parseScriptLine(line, lineNo_);
        if (actions.empty()) continue;
        lastLineTime_ = actions.front().time;
        for (auto& a : actions) {
            a.seq = seq_++;
            queue_.push(a);
        }
        break;
    }
}

std::optional<std::uint64_t> ScriptSource::peekTime(std::uint64_t horizon) {
    // Interactive: never hand out an action later than the last line read, since
    // a later line may still bring something earlier; and read no further than
    // the caller needs.
    while (!eof_ && lastLineTime_ <= horizon && (queue_.empty() || queue_.top().time > lastLineTime_)) readMore();
    if (queue_.empty()) return std::nullopt;
    return queue_.top().time;
}

ScriptAction ScriptSource::pop() {
    ScriptAction a = queue_.top();
    queue_.pop();
    return a;
}

}  // namespace kv
