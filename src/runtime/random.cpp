#include "runtime/random.h"

namespace kv {

static std::uint64_t splitmix(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

void Random::randomize(std::uint64_t seed) { state_ = splitmix(seed ^ 0x5DEECE66DULL); }

double Random::rnd() {
    if (!queued_.empty()) {
        double v = queued_.front();
        queued_.pop_front();
        return v;
    }
    state_ = splitmix(state_);
    return double(state_ >> 11) * (1.0 / 9007199254740992.0);
}

}  // namespace kv
