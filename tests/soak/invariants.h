#pragma once
// What must hold at every moment of a game, whatever the player does: no
// screen loaded twice, no timer left behind by a screen that is gone or
// running on one that is hidden, no dialog buried under another screen or up
// for ever, and a score table of twelve lines. (The values of the rules are
// pinned by the scenario tests at their edges.) Each broken rule is reported
// once per session with the virtual time it was first seen.
#include <cstdint>
#include <set>
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

    explicit Invariants(kv::Game& game) : game_(game) {}
    void check();
    const std::vector<Violation>& violations() const { return violations_; }

private:
    void fail(const std::string& rule);
    void screens();
    void modals();
    void scoreTable();

    kv::Game& game_;
    std::vector<Violation> violations_;
    std::set<std::string> reported_;
    std::string modal_;                // the modal that is up, and since when
    std::uint64_t modalSince_ = 0;
    std::int64_t tableStamp_ = -1;     // the score table is read only when it changes
};

}  // namespace kvsoak
