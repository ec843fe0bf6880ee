// The composed modules: a well-formed four-channel "M.K." layout any player
// reads, notes inside the Amiga range, samples that loop inside themselves.
// (How long each plays is checked through the game's own music library.)
#include <gtest/gtest.h>

#include <cstring>

#include "music/modules.h"
#include "support/case_names.h"

using namespace assetgen;

namespace {

struct Case {
    const char* name;
    Module (*make)();
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class Modules : public ::testing::TestWithParam<Case> {};

}  // namespace

TEST_P(Modules, AreWellFormedProTrackerFiles) {
    const Module m = GetParam().make();
    const auto bytes = encodeModule(m);
    ASSERT_GT(bytes.size(), 1084u);
    EXPECT_EQ(std::memcmp(bytes.data() + 1080, "M.K.", 4), 0);
    EXPECT_EQ(bytes[950], m.order.size());
    int highest = 0;
    for (int i = 0; i < 128; ++i) highest = std::max<int>(highest, bytes[952 + static_cast<std::size_t>(i)]);
    std::size_t sampleBytes = 0;
    for (int i = 0; i < 31; ++i) {
        const std::uint8_t* h = bytes.data() + 20 + 30 * i;
        const std::size_t len = 2u * ((h[22] << 8) | h[23]), loopStart = 2u * ((h[26] << 8) | h[27]),
                          loopLen = 2u * ((h[28] << 8) | h[29]);
        EXPECT_LE(h[25], 64) << "volume of sample " << i;
        if (loopLen > 2) {
            EXPECT_LE(loopStart + loopLen, len) << "loop of sample " << i;
        }
        sampleBytes += len;
    }
    EXPECT_EQ(bytes.size(), 1084u + 1024u * static_cast<std::size_t>(highest + 1) + sampleBytes);
}

TEST_P(Modules, PlayOnlyTheirOwnInstrumentsWithNotesInRange) {
    const Module m = GetParam().make();
    for (const auto& pat : m.patterns)
        for (const auto& row : pat)
            for (const ModCell& c : row) {
                if (c.period) {
                    EXPECT_GE(c.period, 113);
                    EXPECT_LE(c.period, 856);
                    ASSERT_GE(c.sample, 1);
                    ASSERT_LE(c.sample, static_cast<int>(m.samples.size()));
                }
                if (c.effect == fx::Volume) {
                    EXPECT_LE(c.param, 64);
                }
            }
}

INSTANTIATE_TEST_SUITE_P(Music, Modules,
                         ::testing::Values(Case{"Intro", introModule}, Case{"Ending", endingModule}),
                         kvtest::CaseName());

TEST(ProTracker, RefusesWhatAPlayerCouldNotRead) {
    Module m;
    m.patterns.resize(1);
    EXPECT_THROW(encodeModule(m), std::invalid_argument);  // no order list
    m.order = {1};
    EXPECT_THROW(encodeModule(m), std::invalid_argument);  // a missing pattern
    m.order = {0};
    m.samples.push_back(ModSample{"odd", std::vector<std::int8_t>(3), 64, 0, 0});
    EXPECT_THROW(encodeModule(m), std::invalid_argument);
    m.samples[0].data.resize(4);
    m.samples[0].loopStart = 2;
    m.samples[0].loopLength = 4;
    EXPECT_THROW(encodeModule(m), std::invalid_argument);
    EXPECT_THROW(amigaPeriod(36), std::out_of_range);
}
