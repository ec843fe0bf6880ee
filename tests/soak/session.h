#pragma once
// One soak session: the real game, headless, from start-up, with the
// autopilot at the other end of its script, until the player exits or the
// session's game time is up.
#include <cstdint>
#include <string>
#include <vector>

#include "soak/invariants.h"
#include "soak/tally.h"

namespace kvsoak {

struct SessionResult {
    std::uint64_t gameMs = 0;          // virtual time the session ran
    std::string ending;                // how it ended
    bool fatal = false;                // the game stopped with an error
    std::vector<Violation> violations;
    std::uint64_t checks = 0;
    Tally tally;
};

SessionResult runSession(std::uint64_t seed, std::uint64_t untilMs);

}  // namespace kvsoak
