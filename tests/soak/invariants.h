#pragma once
// What must hold at every moment of a game, whatever the player does: values
// inside their ranges, no timer left on a screen that is gone, a score table of
// twelve lines, and no box or dialog that stays up for ever. The soak asks
// between events; each broken rule is reported once per session with the
// virtual time it was first seen.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "shared/game.h"

namespace kvsoak {

struct Violation {
    std::uint64_t time = 0;
    std::string what;
};

class Invariants {
public:
    // A box or modal dialog up longer than this (virtual ms) counts as stuck.
    static constexpr std::uint64_t kStuckModalMs = 120000;

    Invariants(kv::Game& game, std::string dataDir) : game_(game), dataDir_(std::move(dataDir)) {}

    // Checks everything once; returns the number of rules checked.
    int check();
    const std::vector<Violation>& violations() const { return violations_; }
    std::uint64_t checks() const { return checks_; }

private:
    void expect(bool ok, const std::string& rule, const std::string& detail = {});
    void range(long v, long lo, long hi, const char* what);
    void shared();
    void planet();
    void bonusStage();
    void bossStage();
    void timers();
    void modals();
    void scoreTable();

    kv::Game& game_;
    std::string dataDir_;
    std::vector<Violation> violations_;
    std::map<std::string, bool> reported_;
    std::uint64_t checks_ = 0;
    // The modal that is up, and since when.
    std::string modal_;
    std::uint64_t modalSince_ = 0;
    // The score table's last write time, so it is read only when it changes.
    std::int64_t tableStamp_ = -1;
};

}  // namespace kvsoak
