// The generator: re-seeding stirs the seed in, and only values a roll can use
// are queued. (Queued values coming first, across re-seeds, are relied on by
// every scenario that forces a roll; a replay repeating its run is checked by
// the demo tests; that the bonus box's kind and height, each rolled after a
// re-seed in one millisecond, do not move together is checked on the planet.)
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "runtime/random.h"

using kv::Random;

TEST(Random, ReSeedsFromOneClockValueGiveDifferentDraws) {
    Random r;
    std::set<double> draws;
    for (int i = 0; i < 1000; ++i) {
        r.randomize(123456);
        draws.insert(r.rnd());
    }
    EXPECT_EQ(draws.size(), 1000u);
}

TEST(Random, OnlyValuesARollCanUseAreQueued) {
    Random r;
    for (double bad : {std::nan(""), -std::nan(""), std::numeric_limits<double>::infinity(), 1.0, 1.5, -0.001})
        EXPECT_THROW(r.queue(bad), std::invalid_argument) << bad;
    EXPECT_EQ(r.queued(), 0u);
    r.queue(0.0);
    r.queue(std::nextafter(1.0, 0.0));
    EXPECT_EQ(r.queued(), 2u);
}
