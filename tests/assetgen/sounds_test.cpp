// The synthesised sound effects: every one the game plays is made, in the
// format the mixer takes, starting and ending at rest, loud but never clipped.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "samples/samples.h"
#include "samples/wav_file.h"
#include "support/case_names.h"

namespace fs = std::filesystem;
using namespace assetgen;

namespace assetgen {
// Found by argument lookup, so failures name the sound rather than dump its bytes.
void PrintTo(const SoundEffect& e, std::ostream* os) { *os << e.file; }
}  // namespace assetgen

namespace {

// The effects are made once per test process, into a private folder.
const fs::path& samplesDir() {
    static const struct Made {
        fs::path root = fs::temp_directory_path() / ("assetgen_sounds_" + std::to_string(::getpid()));
        Made() {
            fs::remove_all(root);
            makeSamples(root);
        }
        ~Made() {
            std::error_code ec;
            fs::remove_all(root, ec);
        }
    } made;
    static const fs::path dir = made.root / "Samples";
    return dir;
}

TEST(Sounds, AllElevenAreMadeUnderTheirOwnNames) {
    std::set<std::string> names;
    for (const auto& e : soundEffects()) names.insert(e.file);
    EXPECT_EQ(names, (std::set<std::string>{"Bonus.wav", "Phaser.wav", "ShipExplode.wav", "Start Level.wav", "Boom.wav",
                                            "CaughtRod.wav", "Diffuse.wav", "DropRod.wav", "GameOver.wav",
                                            "HitBonus.wav", "GetBonus.wav"}));
    for (const auto& n : names) EXPECT_TRUE(fs::exists(samplesDir() / n)) << n;
}

class EverySound : public ::testing::TestWithParam<SoundEffect> {};

TEST_P(EverySound, StartsAndEndsAtRestWithSensibleLoudness) {
    const PcmSound p = readWav16(samplesDir() / GetParam().file);
    EXPECT_EQ(p.rate, kSampleRate);
    EXPECT_EQ(p.channels, 1);
    EXPECT_EQ(p.bits, 16);
    std::vector<float> s;
    for (std::int16_t v : p.samples) s.push_back(static_cast<float>(v) / 32768.0f);
    ASSERT_GT(s.size(), static_cast<std::size_t>(0.2 * kSampleRate));
    EXPECT_LT(s.size(), static_cast<std::size_t>(3.0 * kSampleRate));
    // No click in or out: the sound starts and ends at rest and rises from it
    // (or falls to it) gradually over the first and last millisecond.
    for (std::size_t i = 0; i < std::size_t(kSampleRate / 1000); ++i) {
        const float ramp = 0.02f * static_cast<float>(i + 1);
        EXPECT_LE(std::fabs(s[i]), ramp) << "start " << i;
        EXPECT_LE(std::fabs(s[s.size() - 1 - i]), ramp) << "end " << i;
    }
    float peak = 0;
    double power = 0;
    for (float v : s) peak = std::max(peak, std::fabs(v)), power += double(v) * v;
    EXPECT_GT(peak, 0.3f);
    EXPECT_LT(peak, 0.99f);  // headroom, never clipped
    const double db = 10 * std::log10(power / static_cast<double>(s.size()) + 1e-20);
    EXPECT_GT(db, -28.0);
    EXPECT_LT(db, -8.0);
}

INSTANTIATE_TEST_SUITE_P(Samples, EverySound, ::testing::ValuesIn(soundEffects()),
                         [](const auto& info) { return kvtest::identifier(info.param.file); });

}  // namespace
