// libFuzzer entry point for input scripts. Any bytes are refused with a
// ScriptError or give actions in time order. A script file is checked whole
// before the run while standard input is read as it comes; both must take
// the same scripts, give the same actions, and refuse with the same message.
// A message never carries a control byte to the terminal.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/script.h"

using namespace kv;

namespace {

// Enough actions to cover any script of a few kilobytes, short of a held key
// of 100000 key-downs.
constexpr std::size_t kMostActions = 20000;

struct Outcome {
    std::vector<ScriptAction> actions;
    bool complete = false;   // every action was taken (not cut at kMostActions)
    std::string error;
};

// The actions of the script read whole or as a stream, in time order.
Outcome read(const std::string& text, bool piped) {
    Outcome out;
    std::istringstream in(text);
    try {
        auto source = piped ? ScriptSource::fromStream(in) : ScriptSource::fromText(text);
        for (std::uint64_t last = 0; out.actions.size() < kMostActions;) {
            auto t = source->peekTime();
            if (!t) {
                if (!source->exhausted()) __builtin_trap();
                out.complete = true;
                break;
            }
            ScriptAction a = source->pop();
            if (a.time != *t || a.time < last) __builtin_trap();
            last = a.time;
            out.actions.push_back(std::move(a));
        }
    } catch (const ScriptError& e) {
        out.error = e.what();
        for (char c : out.error)
            if (static_cast<unsigned char>(c) < 32 || c == 127) __builtin_trap();
    }
    return out;
}

bool same(const ScriptAction& x, const ScriptAction& y) {
    return x.time == y.time && x.kind == y.kind && x.a == y.a && x.b == y.b && x.c == y.c &&
           x.text == y.text && x.line == y.line && (x.value == y.value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const Outcome whole = read(text, false), piped = read(text, true);
    // A file refused whole: the pipe reads up to the same bad line, unless
    // it was cut short before it.
    if (!whole.error.empty()) {
        if (piped.error != whole.error && piped.actions.size() < kMostActions) __builtin_trap();
        return 0;
    }
    if (!piped.error.empty()) __builtin_trap();
    if (piped.actions.size() != whole.actions.size() || piped.complete != whole.complete) __builtin_trap();
    for (std::size_t i = 0; i < whole.actions.size(); ++i)
        if (!same(whole.actions[i], piped.actions[i])) __builtin_trap();
    return 0;
}
