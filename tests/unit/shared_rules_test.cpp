// The game's pure rules: LED read-outs and the owner-name buffer. (The
// caption effect's 77 and 82 frames pace every planet's intro, and the
// transitions' pacing their durations: both are checked where they show.)
#include <gtest/gtest.h>

#include "shared/led_readout.h"
#include "shared/registry_ctl.h"
#include "support/case_names.h"
#include "support/fakes.h"

using namespace kv;

struct LedCase {
    std::int64_t value;
    int cells;
    std::vector<int> shown;
};

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

struct OwnerCase {
    const char* name;
    std::string stored;
    RegistryReader::Type type;
    std::string expected;   // the name after the read (starts as "before")
};

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
                    OwnerCase{"CutToTwelveCharactersNotBytes", "Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m-Berg",
                              RegistryReader::Type::String, "Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m"},
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
