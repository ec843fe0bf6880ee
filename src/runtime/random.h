#pragma once
// The game's random numbers: one generator, re-seeded from the virtual clock,
// with a queue of exact values that tests and scripts can force.
#include <cstdint>
#include <deque>

namespace kv {

class Random {
public:
    void randomize(std::uint64_t seed);
    // Uniform in [0, 1); a queued value is handed out first.
    double rnd();
    void queue(double v) { queued_.push_back(v); }
    std::size_t queued() const { return queued_.size(); }

private:
    std::uint64_t state_ = 0x853c49e6748fea9bULL;
    std::deque<double> queued_;
};

}  // namespace kv
