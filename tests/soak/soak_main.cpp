// The soak: the game played headless by the autopilot for as many game
// minutes as asked, session after session, with every rule checked all along.
//
//   soak --minutes 240 [--seed N] [--session-minutes 30]
//
// Each session starts the program afresh (start-up, a data folder of its own)
// with a seed drawn from the run's seed; a session that breaks a rule is named
// with its seed, and `soak --session SEED --minutes M` plays it again exactly.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <string>

#include "soak/session.h"

using namespace kvsoak;

namespace {

std::uint64_t number(const std::string& flag, const char* text) {
    try {
        std::size_t used = 0;
        const unsigned long long v = std::stoull(text, &used);
        if (text[used] == '\0') return v;
    } catch (const std::exception&) {
    }
    throw std::invalid_argument(flag + " wants a whole number, not \"" + text + "\"");
}

void table(const char* title, const std::map<std::string, long>& counts) {
    std::cout << title << "\n";
    for (const auto& [name, n] : counts) std::cout << "  " << n << "\t" << name << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t minutes = 10, seed = 1, sessionMinutes = 30;
    std::optional<std::uint64_t> only;
    try {
        for (int i = 1; i < argc; ++i) {
            const std::string a = argv[i];
            if (i + 1 >= argc) throw std::invalid_argument(a + " wants a value");
            if (a == "--minutes") minutes = number(a, argv[++i]);
            else if (a == "--seed") seed = number(a, argv[++i]);
            else if (a == "--session-minutes") sessionMinutes = number(a, argv[++i]);
            else if (a == "--session") only = number(a, argv[++i]);
            else throw std::invalid_argument("unknown option " + a);
        }
        if (minutes == 0 || sessionMinutes == 0) throw std::invalid_argument("the soak needs some time to run");
    } catch (const std::invalid_argument& e) {
        std::cerr << "soak: " << e.what() << "\n";
        return 2;
    }

    const auto wallStart = std::chrono::steady_clock::now();
    std::mt19937_64 seeds(seed);
    const std::uint64_t total = minutes * 60000;
    std::uint64_t played = 0, checks = 0;
    int sessions = 0, failed = 0;
    Tally tally;
    while (played < total) {
        const std::uint64_t sessionSeed = only ? *only : seeds();
        const std::uint64_t until = std::min(sessionMinutes * 60000, total - played);
        SessionResult r = runSession(sessionSeed, std::max<std::uint64_t>(until, 1000));
        ++sessions;
        // A session the player exited at once still counts its little time.
        played += std::max<std::uint64_t>(r.gameMs, 1000);
        checks += r.checks;
        tally.merge(r.tally);
        ++tally.events["session ends: " + r.ending.substr(0, r.ending.find(':'))];
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
    table("screens (arrivals):", tally.screens);
    table("hand-overs:", tally.handovers);
    table("along the way:", tally.events);
    std::cout << "invariant checks: " << checks << ", sessions with faults: " << failed << "\n";
    return failed == 0 ? 0 : 1;
}
