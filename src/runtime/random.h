#pragma once
// The game's random numbers: one generator, re-seeded from the virtual clock,
// with a queue of exact values that tests and scripts can force.
#include <cstdint>
#include <deque>

namespace kv {

class Random {
public:
    // Stirs the seed into the generator's state; it never replaces the state.
    // The game re-seeds from the clock right before most rolls, often twice in
    // one millisecond, and two rolls there must still be independent.
    void randomize(std::uint64_t seed);
    // Uniform in [0, 1); a queued value is handed out first.
    double rnd();
    // Throws std::invalid_argument for anything outside [0, 1) (NaN included):
    // a roll is Int(rnd() * N), used as an index.
    void queue(double v);
    std::size_t queued() const { return queued_.size(); }

private:
    std::uint64_t state_ = 0x853c49e6748fea9bULL;
    std::deque<double> queued_;
};

}  // namespace kv
