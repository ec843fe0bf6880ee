// The limiter on the final mix, fed blocks as the mixer hands them over: a
// pile-up stays under the ceiling without its tops cut flat, the gain comes
// back slowly, and a quiet mix passes untouched.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/mix_limiter.h"

using kv::platform::MixLimiter;

namespace {

constexpr int kRate = 44100;
constexpr float kCeiling = 0.89f;

// Interleaved stereo, the same on both sides.
std::vector<float> sine(double amplitude, double seconds, double hz = 100.0) {
    std::vector<float> s;
    for (int i = 0; i < static_cast<int>(seconds * kRate); ++i) {
        const auto v = static_cast<float>(amplitude * std::sin(2 * 3.14159265358979 * hz * i / kRate));
        s.insert(s.end(), {v, v});
    }
    return s;
}

void feed(MixLimiter& l, std::vector<float>& s, std::size_t blockFrames) {
    for (std::size_t f = 0; f < s.size() / 2; f += blockFrames)
        l.process(s.data() + 2 * f, std::min(blockFrames, s.size() / 2 - f), 2);
}

TEST(MixLimiter, LetsAQuietMixThroughKeepsAPileUpUnderTheCeilingWithRoundTopsAndComesBackSlowly) {
    MixLimiter a(kRate, kCeiling, 0.3), b(kRate, kCeiling, 0.3);
    std::vector<float> quiet = sine(0.8, 0.2), before = quiet;
    feed(a, quiet, 1024);
    EXPECT_EQ(quiet, before);
    // Six loud voices at once: three times full scale, whole and in blocks.
    std::vector<float> whole = sine(3.0, 0.5), blocks = whole;
    feed(b, whole, whole.size());
    feed(a, blocks, 333);
    EXPECT_EQ(whole, blocks) << "the gain must carry over from block to block";
    float peak = 0;
    std::size_t flat = 0;
    for (float v : whole) {
        peak = std::max(peak, std::fabs(v));
        if (std::fabs(v) > 0.99f * kCeiling) ++flat;
    }
    EXPECT_LE(peak, kCeiling + 1e-6f);
    EXPECT_GT(peak, 0.95f * kCeiling);  // turned down, not muted
    EXPECT_LT(flat, whole.size() / 4);  // a clip would sit at the ceiling most of each cycle
    std::vector<float> after = sine(0.1, 0.05);
    feed(a, after, 1024);
    EXPECT_LT(a.gain(), 0.5f) << "no pumping back up between beats";
    after = sine(0.1, 2.0);
    feed(a, after, 1024);
    EXPECT_GT(a.gain(), 0.99f);
}

}  // namespace
