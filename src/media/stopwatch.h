#pragma once
// A millisecond stopwatch on the 32-bit multimedia clock (the virtual clock,
// wrapping every 2^32 ms).
#include <cstdint>

#include "runtime/runtime.h"

namespace kv {

class CStopWatch {
public:
    explicit CStopWatch(Runtime& rt);
    std::uint32_t Elapsed() const;                 // wraps modulo 2^32
    std::uint32_t MinimumResolution() const { return minPeriod_; }
    std::uint32_t MaximumResolution() const { return maxPeriod_; }
    void Reset();

private:
    std::uint32_t multimediaTime() const { return static_cast<std::uint32_t>(rt_.now()); }
    Runtime& rt_;
    std::uint32_t start_ = 0;
    std::uint32_t minPeriod_ = 1;          // the virtual clock ticks in whole milliseconds
    std::uint32_t maxPeriod_ = 1000000;
};

}  // namespace kv
