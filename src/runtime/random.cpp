#include "runtime/random.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace kv {

namespace {

constexpr std::uint64_t kGolden = 0x9e3779b97f4a7c15ULL;

// SplitMix64's output function: a bijection that spreads every input bit over
// the whole word.
std::uint64_t mix(std::uint64_t x) {
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

}  // namespace

void Random::randomize(std::uint64_t seed) {
    // The seed is hashed first so that neighbouring clock values land far
    // apart, then folded into what the generator already holds: re-seeding
    // twice with one value still moves on, as the desktop generator's did.
    state_ = mix(state_ ^ mix(seed + kGolden));
}

double Random::rnd() {
    if (!queued_.empty()) {
        double v = queued_.front();
        queued_.pop_front();
        return v;
    }
    state_ += kGolden;
    return double(mix(state_) >> 11) * (1.0 / 9007199254740992.0);
}

void Random::queue(double v) {
    if (!std::isfinite(v) || v < 0 || v >= 1)
        throw std::invalid_argument("a queued random value must lie in [0, 1), not " + std::to_string(v));
    queued_.push_back(v);
}

}  // namespace kv
