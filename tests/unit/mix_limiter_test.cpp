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

// The samples as the limiter gives them back, fed in blocks as the mixer hands them over.
std::vector<float> fed(MixLimiter& l, std::vector<float> s, std::size_t blockFrames) {
    for (std::size_t f = 0; f < s.size() / 2; f += blockFrames)
        l.process(s.data() + 2 * f, std::min(blockFrames, s.size() / 2 - f), 2);
    return s;
}

TEST(MixLimiter, LetsAQuietMixThroughKeepsAPileUpUnderTheCeilingWithRoundTopsAndComesBackSlowly) {
    MixLimiter a(kRate, kCeiling, 0.3), b(kRate, kCeiling, 0.3);
    EXPECT_EQ(fed(a, sine(0.8, 0.2), 1024), sine(0.8, 0.2));
    // Six loud voices at once: three times full scale, whole and in blocks.
    const std::vector<float> whole = fed(b, sine(3.0, 0.5), 1 << 30);
    EXPECT_EQ(fed(a, sine(3.0, 0.5), 333), whole) << "the gain must carry over from block to block";
    float peak = 0;
    std::size_t flat = 0;
    for (float v : whole) {
        peak = std::max(peak, std::fabs(v));
        if (std::fabs(v) > 0.99f * kCeiling) ++flat;
    }
    EXPECT_LE(peak, kCeiling + 1e-6f);
    EXPECT_GT(peak, 0.95f * kCeiling);  // turned down, not muted
    EXPECT_LT(flat, whole.size() / 4);  // a clip would sit at the ceiling most of each cycle
    fed(a, sine(0.1, 0.05), 1024);
    EXPECT_LT(a.gain(), 0.5f) << "no pumping back up between beats";
    fed(a, sine(0.1, 2.0), 1024);
    EXPECT_GT(a.gain(), 0.99f);
}

}  // namespace
