// The synthesised sound effects: every one the game plays is made, in the
// format the mixer takes, short, audible and with room left for the other
// voices; and the Boom dies away before the next fireball's. (How they sound
// is not tested.)
#include <gtest/gtest.h>

#include <set>

#include "samples/samples.h"
#include "samples/wav_file.h"
#include "support/scratch.h"

using namespace assetgen;

TEST(Sounds, AreTheElevenTheGamePlaysInTheMixersFormatAudibleWithHeadroom) {
    const kvtest::TempDir scratch;
    makeSamples(scratch.dir);
    std::set<std::string> names;
    for (const auto& e : soundEffects()) {
        SCOPED_TRACE(e.file);
        names.insert(e.file);
        const PcmSound p = readWav16(scratch.dir / "Samples" / e.file);
        EXPECT_EQ(p.rate, kSampleRate);
        EXPECT_EQ(p.channels, 1);
        EXPECT_EQ(p.bits, 16);
        EXPECT_GT(p.samples.size(), static_cast<std::size_t>(0.2 * kSampleRate));
        EXPECT_LT(p.samples.size(), static_cast<std::size_t>(3.0 * kSampleRate));
        int peak = 0;
        for (std::int16_t v : p.samples) peak = std::max(peak, std::abs(int(v)));
        EXPECT_GT(peak, 32767 * dbfs(-20));
        EXPECT_LE(peak, 32767 * dbfs(kLoudestPeakDb) + 1);
        // The mother ship fires as often as every 75 ms, each Boom cutting off
        // the one before: it must be 12 dB down by then, or the fire is one long roar.
        if (e.file != std::string("Boom.wav")) continue;
        const auto beat = static_cast<std::size_t>(0.075 * kSampleRate);
        double first = 0, second = 0;
        for (std::size_t i = 0; i < std::min(2 * beat, p.samples.size()); ++i)
            (i < beat ? first : second) += double(p.samples[i]) * p.samples[i];
        EXPECT_LT(second, first * dbfs(-24));
    }
    EXPECT_EQ(names, (std::set<std::string>{"Bonus.wav", "Phaser.wav", "ShipExplode.wav", "Start Level.wav", "Boom.wav",
                                            "CaughtRod.wav", "Diffuse.wav", "DropRod.wav", "GameOver.wav",
                                            "HitBonus.wav", "GetBonus.wav"}));
}
