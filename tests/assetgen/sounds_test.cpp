// The synthesised sound effects: format, clean starts and ends, loudness, and
// that each one moves the way its name says (a zap falls, a chime rises).
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "samples/samples.h"
#include "samples/wav_file.h"

namespace fs = std::filesystem;
using namespace assetgen;

namespace {

// The effects are made once per test process, into a private directory.
class Workspace {
public:
    static const fs::path& samples() {
        static Workspace w;
        return w.samples_;
    }
    ~Workspace() {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

private:
    Workspace() : dir_(fs::temp_directory_path() / ("assetgen_sounds_" + std::to_string(::getpid()))) {
        fs::remove_all(dir_);
        makeSamples(dir_);
        samples_ = dir_ / "Samples";
    }
    fs::path dir_, samples_;
};

const fs::path& samplesDir() { return Workspace::samples(); }

std::vector<float> load(const std::string& name) {
    PcmSound p = readWav16(samplesDir() / name);
    EXPECT_EQ(p.rate, kSampleRate);
    EXPECT_EQ(p.channels, 1);
    EXPECT_EQ(p.bits, 16);
    std::vector<float> s;
    for (std::int16_t v : p.samples) s.push_back(static_cast<float>(v) / 32768.0f);
    return s;
}

double rmsDb(const std::vector<float>& s) {
    double sum = 0;
    for (float v : s) sum += double(v) * v;
    return 10 * std::log10(sum / static_cast<double>(s.size()) + 1e-20);
}

// Zero crossings per second between two times: a rough pitch.
double crossingRate(const std::vector<float>& s, double from, double to) {
    const auto a = static_cast<std::size_t>(from * kSampleRate), b = static_cast<std::size_t>(to * kSampleRate);
    int n = 0;
    for (std::size_t i = a + 1; i < b && i < s.size(); ++i)
        if ((s[i - 1] < 0) != (s[i] < 0)) ++n;
    return n / (to - from);
}

}  // namespace

TEST(Sounds, AllElevenAreMadeUnderTheirOwnNames) {
    std::set<std::string> names;
    for (const auto& e : soundEffects()) names.insert(e.file);
    EXPECT_EQ(names, (std::set<std::string>{"Bonus.wav", "Phaser.wav", "ShipExplode.wav", "Start Level.wav", "Boom.wav",
                                            "CaughtRod.wav", "Diffuse.wav", "DropRod.wav", "GameOver.wav",
                                            "HitBonus.wav", "GetBonus.wav"}));
    for (const auto& n : names) EXPECT_TRUE(fs::exists(samplesDir() / n)) << n;
}

namespace assetgen {
// Found by argument lookup, so failures name the sound rather than dump its bytes.
void PrintTo(const SoundEffect& e, std::ostream* os) { *os << e.file; }
}  // namespace assetgen

class EverySound : public ::testing::TestWithParam<SoundEffect> {};

TEST_P(EverySound, StartsAndEndsAtRestWithSensibleLoudness) {
    const auto s = load(GetParam().file);
    ASSERT_GT(s.size(), static_cast<std::size_t>(0.2 * kSampleRate));
    EXPECT_LT(s.size(), static_cast<std::size_t>(3.0 * kSampleRate));
    // No click in or out: the sound starts and ends at rest and rises from it
    // (or falls to it) gradually over the first and last millisecond.
    const std::size_t ms = kSampleRate / 1000;
    for (std::size_t i = 0; i < ms; ++i) {
        const float ramp = 0.02f * static_cast<float>(i + 1);
        EXPECT_LE(std::fabs(s[i]), ramp) << "start " << i;
        EXPECT_LE(std::fabs(s[s.size() - 1 - i]), ramp) << "end " << i;
    }
    float peak = 0;
    for (float v : s) peak = std::max(peak, std::fabs(v));
    EXPECT_GT(peak, 0.3f);
    EXPECT_LT(peak, 0.99f);  // headroom, never clipped
    const double db = rmsDb(s);
    EXPECT_GT(db, -28.0);
    EXPECT_LT(db, -8.0);
}

INSTANTIATE_TEST_SUITE_P(Samples, EverySound, ::testing::ValuesIn(soundEffects()), [](const auto& info) {
    std::string n = info.param.file.substr(0, info.param.file.find('.'));
    n.erase(std::remove(n.begin(), n.end(), ' '), n.end());
    return n;
});

struct Motion {
    const char* file;
    double earlyFrom, earlyTo, lateFrom, lateTo;
    bool rises;
};

void PrintTo(const Motion& m, std::ostream* os) { *os << m.file; }

class PitchMoves : public ::testing::TestWithParam<Motion> {};

TEST_P(PitchMoves, TheWayItsNameSays) {
    const Motion& m = GetParam();
    const auto s = load(m.file);
    const double early = crossingRate(s, m.earlyFrom, m.earlyTo), late = crossingRate(s, m.lateFrom, m.lateTo);
    if (m.rises) {
        EXPECT_GT(late, early * 1.2);
    } else {
        EXPECT_LT(late, early / 1.2);
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, PitchMoves,
                         ::testing::Values(Motion{"Phaser.wav", 0.0, 0.05, 0.18, 0.25, false},
                                           Motion{"DropRod.wav", 0.05, 0.15, 0.65, 0.75, false},
                                           Motion{"Diffuse.wav", 0.0, 0.07, 0.26, 0.4, true},
                                           Motion{"GetBonus.wav", 0.0, 0.05, 0.13, 0.2, true},
                                           Motion{"GameOver.wav", 0.02, 0.3, 1.9, 2.3, false}),
                         [](const auto& info) {
                             std::string n = info.param.file;
                             return n.substr(0, n.find('.'));
                         });

TEST(Sounds, TheLandingBoomIsDeepAndTheShotIsBright) {
    const auto boom = load("Boom.wav"), phaser = load("Phaser.wav");
    EXPECT_LT(crossingRate(boom, 0.05, 1.0), 250.0);
    EXPECT_GT(crossingRate(phaser, 0.0, 0.1), 1500.0);
}
