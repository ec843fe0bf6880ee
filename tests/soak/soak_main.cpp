// The soak: the game played headless by the autopilot for as many game
// minutes as asked, session after session, with every rule checked all along.
//
//   soak --minutes 240 [--seed N] [--session-minutes 30]
//
// Each session starts the program afresh (start-up, a data folder of its own)
// with a seed drawn from the run's seed; a session that breaks a rule is named
// with its seed, and `soak --session SEED --minutes M` plays it again exactly.
// KORVANE_SOAK_TRACE=FILE keeps the script the autopilot played: a session
// that broke a rule can be read line by line, or replayed with
// korvane --headless --script FILE.
#include <chrono>
#include <fstream>
#include <iostream>
#include <memory>
#include <streambuf>

#include "app/screen_flow.h"
#include "platform/platform.h"
#include "soak/autopilot.h"
#include "support/scratch.h"

using namespace kvsoak;

namespace {

// The script's input stream: each time the game reads past what it has, the
// autopilot looks at the game and writes one more line.
class PilotStream : public std::streambuf {
public:
    PilotStream(Autopilot& pilot, std::ostream* trace) : pilot_(pilot), trace_(trace) {}

protected:
    int_type underflow() override {
        if (gptr() == egptr()) {
            line_ = pilot_.nextLine();
            if (trace_) *trace_ << line_ << std::flush;
            setg(line_.data(), line_.data(), line_.data() + line_.size());
        }
        return traits_type::to_int_type(*gptr());
    }

private:
    Autopilot& pilot_;
    std::ostream* trace_;
    std::string line_;
};

struct Session {
    std::uint64_t gameMs = 0;          // virtual time the session ran
    std::string ending;                // how it ended
    bool fatal = false;                // the game stopped with an error
    std::vector<Violation> violations;
};

// One session: the real game, headless, from start-up, with the autopilot at
// the other end of its script, until the player exits or the time is up.
Session play(std::uint64_t seed, std::uint64_t untilMs, Tally& tally) {
    Session out;
    const kvtest::TempDir dataDir;
    kv::platform::PlatformOptions headless;
    headless.headless = true;
    auto machine = kv::platform::Platform::create(headless);
    kv::RuntimeConfig cfg;
    cfg.appDir = KORVANE_APP_DIR;
    cfg.dataDir = dataDir.path();
    cfg.until = untilMs;
    kv::Runtime rt(cfg, kv::Services{machine->display(), machine->codec(), machine->fonts(), machine->joysticks(),
                                     machine->registry(), machine->audio()});
    kv::app::GameFlow flow(rt);
    Invariants checks(flow.game());
    Autopilot pilot(flow.game(), seed, checks, tally);
    std::unique_ptr<std::ofstream> trace;
    if (const char* path = std::getenv("KORVANE_SOAK_TRACE")) trace = std::make_unique<std::ofstream>(path);
    PilotStream buffer(pilot, trace.get());
    std::istream script(&buffer);
    rt.scripts().setScript(kv::ScriptSource::fromStream(script));
    try {
        flow.begin(kv::app::Options{});
        rt.run();
        out.ending = "the last window closed";
    } catch (const kv::RunEnded& e) {
        out.ending = rt.now() >= untilMs ? "time up" : "the game ended (status " + std::to_string(e.status) + ")";
    } catch (const std::exception& e) {
        out.ending = std::string("stopped by an error: ") + e.what();
        out.fatal = true;
    }
    checks.check();
    out.gameMs = rt.now();
    out.violations = checks.violations();
    rt.forms().closeAll();   // the forms refer to the game
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t minutes = 10, seed = 1, sessionMinutes = 30;
    std::optional<std::uint64_t> only;
    for (int i = 1; i < argc; i += 2) {
        const std::string a = argv[i];
        std::uint64_t* v = a == "--minutes" ? &minutes : a == "--seed" ? &seed
                         : a == "--session-minutes" ? &sessionMinutes : a == "--session" ? &only.emplace() : nullptr;
        char* end = nullptr;
        if (v && i + 1 < argc) *v = std::strtoull(argv[i + 1], &end, 10);
        if (!end || *end != '\0' || minutes == 0 || sessionMinutes == 0) {
            std::cerr << "soak: usage: soak --minutes M [--seed N] [--session-minutes M] [--session SEED]\n";
            return 2;
        }
    }

    const auto wallStart = std::chrono::steady_clock::now();
    std::mt19937_64 seeds(seed);
    const std::uint64_t total = minutes * 60000;
    std::uint64_t played = 0;
    int sessions = 0, failed = 0;
    Tally tally;
    while (played < total) {
        const std::uint64_t sessionSeed = only ? *only : seeds();
        const Session r = play(sessionSeed, std::max<std::uint64_t>(std::min(sessionMinutes * 60000, total - played), 1000), tally);
        ++sessions;
        // A session the player exited at once still counts its little time.
        played += std::max<std::uint64_t>(r.gameMs, 1000);
        ++tally["session ends: " + r.ending.substr(0, r.ending.find(':'))];
        if (r.fatal || !r.violations.empty()) {
            ++failed;
            std::cout << "FAULT in session " << sessionSeed << " (soak --session " << sessionSeed << " --minutes "
                      << (r.gameMs + 59999) / 60000 << "): " << r.ending << "\n";
            for (const Violation& v : r.violations) std::cout << "  at " << v.time << " ms: " << v.what << "\n";
        }
        if (only) break;
    }
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    std::cout << "soak: " << played / 60000.0 << " game minutes in " << sessions << " sessions, " << wall
              << " s wall, seed " << seed << "\n";
    for (const auto& [what, n] : tally) std::cout << "  " << n << "\t" << what << "\n";
    std::cout << "sessions with faults: " << failed << "\n";
    return failed == 0 ? 0 : 1;
}
