// The synthesised sound effects: every one the game plays is made, in the
// format the mixer takes, short, audible and with room left for the other
// voices. (How they sound is not tested, but for the Boom's length.)
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
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

TEST_P(EverySound, IsInTheMixersFormatShortAudibleWithHeadroom) {
    const PcmSound p = readWav16(samplesDir() / GetParam().file);
    EXPECT_EQ(p.rate, kSampleRate);
    EXPECT_EQ(p.channels, 1);
    EXPECT_EQ(p.bits, 16);
    EXPECT_GT(p.samples.size(), static_cast<std::size_t>(0.2 * kSampleRate));
    EXPECT_LT(p.samples.size(), static_cast<std::size_t>(3.0 * kSampleRate));
    int peak = 0;
    for (std::int16_t v : p.samples) peak = std::max(peak, std::abs(int(v)));
    EXPECT_GT(peak, 32767 * dbfs(-20));
    EXPECT_LE(peak, 32767 * dbfs(kLoudestPeakDb) + 1);
}

// The mother ship fires as often as every 75 ms, each Boom cutting off the one
// before: it must have died away by then, or the fire is one long roar.
TEST(Sounds, BoomDiesAwayBeforeTheNextFireball) {
    const PcmSound p = readWav16(samplesDir() / "Boom.wav");
    const auto energy = [&](std::size_t from, std::size_t to) {
        double e = 0;
        for (std::size_t i = from; i < std::min(to, p.samples.size()); ++i) e += double(p.samples[i]) * p.samples[i];
        return e;
    };
    const auto beat = static_cast<std::size_t>(0.075 * kSampleRate);
    EXPECT_LT(energy(beat, 2 * beat), energy(0, beat) * dbfs(-24));  // 12 dB down in level
}

INSTANTIATE_TEST_SUITE_P(Samples, EverySound, ::testing::ValuesIn(soundEffects()),
                         [](const auto& info) { return kvtest::identifier(info.param.file); });

}  // namespace
