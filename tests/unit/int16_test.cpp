// The game's counters: 16-bit arithmetic that stops with the platform's
// overflow instead of wrapping round, whichever way a value leaves the range.
#include <cstdint>
#include <optional>
#include <tuple>
#include <limits>

#include <gtest/gtest.h>

#include "runtime/errors.h"
#include "runtime/int16.h"

namespace {

using kv::Int16;

// Each step from its start gives the value, or stops with an overflow (none).
TEST(Counters, StayInRangeOrStopWithOverflow) {
    using Step = void (*)(Int16&);
    for (auto [name, start, step, result] : {
             std::tuple<const char*, int, Step, std::optional<int>>{"ToTheTop", 32766, [](Int16& x) { ++x; }, 32767},
             {"SumOfCountersAndInts", 7, [](Int16& x) { x = x + x - 4 + 1; }, 11},
             {"PastTheTop", 32767, [](Int16& x) { ++x; }, std::nullopt},
             {"PastTheBottom", -32768, [](Int16& x) { x--; }, std::nullopt},
             {"SumPastTheTop", 32000, [](Int16& x) { (void)(x + 1000); }, std::nullopt},
             {"Product", 200, [](Int16& x) { x *= 200; }, std::nullopt},
             {"WiderValueStored", 0, [](Int16& x) { x = 40000L; }, std::nullopt},
             {"HugeUnsigned", 0, [](Int16& x) { x = std::numeric_limits<std::uint64_t>::max(); }, std::nullopt}}) {
        Int16 x = start;
        try {
            step(x);
            EXPECT_EQ(std::optional<int>(x), result) << name;
        } catch (const kv::FatalError&) {
            EXPECT_EQ(result, std::nullopt) << name << ": an overflow";
        }
    }
}

TEST(Counters, OverflowSaysSoAndLeavesTheCounterAsItWas) {
    Int16 x = 32767;
    try {
        ++x;
        FAIL();
    } catch (const kv::FatalError& e) {
        EXPECT_STREQ(e.what(), "Overflow: 32768 outside -32768 to 32767");
    }
    EXPECT_EQ(x, 32767);
}

}  // namespace
