// The game's counters: 16-bit arithmetic that stops with the platform's
// overflow instead of wrapping round, whichever way a value leaves the range.
#include <cstdint>
#include <functional>
#include <limits>

#include <gtest/gtest.h>

#include "runtime/errors.h"
#include "runtime/int16.h"

namespace {

using kv::Int16;

struct CounterCase {
    const char* name;
    int start;
    std::function<void(Int16&)> step;
    std::optional<int> result;   // nullopt: an overflow
};
void PrintTo(const CounterCase& c, std::ostream* os) { *os << c.name; }
class Counters : public testing::TestWithParam<CounterCase> {};

TEST_P(Counters, StayInRangeOrStopWithOverflow) {
    Int16 x = GetParam().start;
    if (GetParam().result) {
        GetParam().step(x);
        EXPECT_EQ(x, *GetParam().result);
    } else {
        EXPECT_THROW(GetParam().step(x), kv::FatalError);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, Counters,
    testing::Values(
        CounterCase{"RisesToTheTop", 32766, [](Int16& x) { ++x; }, 32767},
        CounterCase{"SumOfCountersAndInts", 7, [](Int16& x) { x = x + x - 4 + 1; }, 11},
        CounterCase{"PastTheTop", 32767, [](Int16& x) { ++x; }, std::nullopt},
        CounterCase{"PastTheBottom", -32768, [](Int16& x) { x--; }, std::nullopt},
        CounterCase{"SumPastTheTop", 32000, [](Int16& x) { (void)(x + 1000); }, std::nullopt},
        CounterCase{"Product", 200, [](Int16& x) { x *= 200; }, std::nullopt},
        CounterCase{"WiderValueStored", 0, [](Int16& x) { x = 40000L; }, std::nullopt},
        CounterCase{"HugeUnsigned", 0, [](Int16& x) { x = std::numeric_limits<std::uint64_t>::max(); }, std::nullopt}),
    [](const auto& info) { return info.param.name; });

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
