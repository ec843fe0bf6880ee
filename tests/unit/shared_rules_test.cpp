// The game's pure rules: LED read-outs, caption frames, the owner-name buffer,
// gradient bands, transition pacing.
#include <gtest/gtest.h>

#include "media/transitions.h"
#include "shared/led_readout.h"
#include "shared/print_fx.h"
#include "shared/registry_ctl.h"
#include "shared/text_gradient.h"
#include "support/case_names.h"
#include "support/fakes.h"

using namespace kv;

struct LedCase {
    std::int64_t value;
    int cells;
    std::vector<int> shown;
};
void PrintTo(const LedCase& c, std::ostream* os) { *os << c.value << " in " << c.cells << " cells"; }

class LedRule : public testing::TestWithParam<LedCase> {};

TEST_P(LedRule, DigitsAreRightAlignedWithoutLeadingZeros) {
    EXPECT_EQ(ledCells(GetParam().value, GetParam().cells), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Readouts, LedRule,
    testing::Values(LedCase{0, 5, {-1, -1, -1, -1, 0}}, LedCase{7, 2, {-1, 7}}, LedCase{12, 2, {1, 2}},
                    LedCase{99, 2, {9, 9}}, LedCase{100, 2, {-1, -1}},            // too wide: all unlit
                    LedCase{99999, 5, {9, 9, 9, 9, 9}}, LedCase{100000, 5, {-1, -1, -1, -1, -1}},
                    LedCase{1200, 5, {-1, 1, 2, 0, 0}},
                    LedCase{-1, 2, {-1, 0}},                                       // the minus sign reads 0
                    LedCase{-9, 2, {-1, 0}}, LedCase{-12, 2, {0, 1}},              // "-12": minus, then 1
                    LedCase{-123, 2, {-1, -1}}, LedCase{-21, 5, {-1, -1, -1, 0, 2}}),
    [](const testing::TestParamInfo<LedCase>& info) {
        return kvtest::number(info.param.value) + "_In" + std::to_string(info.param.cells) + "Cells";
    });

TEST(PrintFx, CaptionsTake77And82Frames) {
    EXPECT_EQ(printFxSpacings(0, 70, -2).size(), 77u);
    EXPECT_EQ(printFxSpacings(0, 70, 0).size(), 82u);
}

TEST(PrintFx, LettersCloseToMinusFourThenRelaxEverMoreSlowly) {
    auto s = printFxSpacings(0, 70, 0);
    EXPECT_EQ(s.front(), 69);
    EXPECT_EQ(s[73], -4);
    // Opens by one after 1, 2, 3 and 4 frames; the end spacing is drawn twice.
    std::vector<int> tail(s.begin() + 73, s.end());
    EXPECT_EQ(tail, (std::vector<int>{-4, -3, -2, -2, -1, -1, -1, 0, 0}));
}

TEST(PrintFx, DrawingBlocksForTwentyMillisecondsPerFrame) {
    kvtest::FakeMachine m;
    Form f(*m.rt, "F", 800, 600);
    PictureBox overlay(f, "textFX", nullptr, Rect{0, 0, 479, 91}, Color(0, 0, 0));
    int frames = PrintFX(*m.rt, overlay, Font{26, true}, "Now Entering", 60, 20, 0, 70, -2, Color(255, 0, 0), 800);
    EXPECT_EQ(frames, 77);
    EXPECT_EQ(m.rt->now(), 77u * 20u);
    EXPECT_TRUE(overlay.visible());
    EXPECT_EQ(overlay.shown().pixel(61, 25), Color(255, 0, 0));
}

struct OwnerCase {
    const char* name;
    std::string stored;
    RegistryReader::Type type;
    std::string expected;   // the name after the read (starts as "before")
};
void PrintTo(const OwnerCase& c, std::ostream* os) {
    *os << (c.stored.empty() ? "empty" : c.stored.size() > 20 ? std::to_string(c.stored.size()) + " letters" : c.stored)
        << (c.type == RegistryReader::Type::String ? "" : " not a string");
}

class OwnerName : public testing::TestWithParam<OwnerCase> {};

TEST_P(OwnerName, FollowsTheBufferOf255Spaces) {
    kvtest::FakeRegistry reg;
    reg.values["RegisteredOwner"] = {GetParam().stored, GetParam().type};
    std::string name = "before";
    ReadOwnerName(reg, "HKEY_LOCAL_MACHINE", "Software\\Microsoft\\Windows\\CurrentVersion", "RegisteredOwner", name);
    EXPECT_EQ(name, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Buffer, OwnerName,
    testing::Values(OwnerCase{"Short", "Bob", RegistryReader::Type::String, std::string("Bob\0        ", 12)},
                    OwnerCase{"ElevenLetters", "Alexandrina", RegistryReader::Type::String,
                              std::string("Alexandrina\0", 12)},
                    OwnerCase{"CutToTwelve", "Maximilian Bo", RegistryReader::Type::String, "Maximilian B"},
                    OwnerCase{"FillsTheBuffer", std::string(254, 'x'), RegistryReader::Type::String,
                              std::string(12, 'x')},
                    OwnerCase{"TooLongForTheBuffer", std::string(255, 'x'), RegistryReader::Type::String, "before"},
                    OwnerCase{"NotAString", "Bob", RegistryReader::Type::Other, "before"},
                    OwnerCase{"Empty", "", RegistryReader::Type::String, std::string("\0           ", 12)}),
    kvtest::CaseName());

TEST(OwnerName, AMissingValueLeavesTheName) {
    kvtest::FakeRegistry reg;
    std::string name = "kept";
    ReadOwnerName(reg, "HKEY_LOCAL_MACHINE", "x", "RegisteredOwner", name);
    EXPECT_EQ(name, "kept");
}

struct PacingCase {
    const char* name;
    double rate;
    int pause, perStep;
};
void PrintTo(const PacingCase& c, std::ostream* os) { *os << "rate " << c.rate; }
class Pacing : public testing::TestWithParam<PacingCase> {};
TEST_P(Pacing, SlowRatesPauseFastRatesDrawMore) {
    auto p = pacingFor(GetParam().rate);
    EXPECT_EQ(p.pause, GetParam().pause);
    EXPECT_EQ(p.linesPerStep, GetParam().perStep);
}
INSTANTIATE_TEST_SUITE_P(Transitions, Pacing,
                         testing::Values(PacingCase{"Wipe400WideIn2s", 400 / 2.0 / 1800, 9, 1},
                                         PacingCase{"LevelClearPicture", 90 / 2.0 / 1800, 40, 1},
                                         PacingCase{"Dissolve6By38", 6 * 38 / 2.0 / 1800 * 2.5, 6, 1},
                                         PacingCase{"TwoAndAHalf", 2.5, 1, 2}, PacingCase{"ThreeAndAHalf", 3.5, 1, 4}),
                         kvtest::CaseName());
