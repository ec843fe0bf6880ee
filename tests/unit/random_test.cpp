// The generator: re-seeding stirs the seed in, runs repeat from the same start,
// and only values a roll can use are queued.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "runtime/random.h"

using kv::Random;

TEST(Random, TwoReSeedsFromOneClockValueGiveDifferentDraws) {
    Random r;
    std::set<double> draws;
    for (int i = 0; i < 1000; ++i) {
        r.randomize(123456);
        draws.insert(r.rnd());
    }
    EXPECT_EQ(draws.size(), 1000u);
}

TEST(Random, RollsAfterReSeedsInOneMillisecondAreIndependent) {
    // The bonus box: its kind and then its height, each right after a re-seed
    // from the same clock value. Over many boxes the two must not move together.
    Random r;
    const int n = 20000;
    double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    for (int i = 0; i < n; ++i) {
        r.randomize(7000 + std::uint64_t(i) * 10);
        double kind = std::floor(r.rnd() * 19);
        r.randomize(7000 + std::uint64_t(i) * 10);
        double top = std::floor(r.rnd() * 276) + 112;
        sx += kind, sy += top, sxx += kind * kind, syy += top * top, sxy += kind * top;
    }
    double cov = sxy / n - (sx / n) * (sy / n);
    double corr = cov / std::sqrt((sxx / n - (sx / n) * (sx / n)) * (syy / n - (sy / n) * (sy / n)));
    EXPECT_LT(std::fabs(corr), 0.05);
}

TEST(Random, TheSameSeedsFromTheSameStartRepeatTheRun) {
    Random a, b;
    for (std::uint64_t t : {0u, 0u, 15u, 15u, 15u, 3300u}) {
        a.randomize(t);
        b.randomize(t);
        EXPECT_EQ(a.rnd(), b.rnd());
    }
}

TEST(Random, NeighbouringSeedsGiveUnrelatedDraws) {
    Random a, b;
    a.randomize(1000);
    b.randomize(1001);
    EXPECT_GT(std::fabs(a.rnd() - b.rnd()), 1e-6);
}

TEST(Random, QueuedValuesComeFirstAndSurviveAReSeed) {
    Random r;
    r.queue(0.25);
    r.queue(0.75);
    r.randomize(42);
    EXPECT_EQ(r.rnd(), 0.25);
    r.randomize(42);
    EXPECT_EQ(r.rnd(), 0.75);
    double d = r.rnd();
    EXPECT_GE(d, 0.0);
    EXPECT_LT(d, 1.0);
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
