// The shared routines: LED read-outs, the owner-name buffer, the gradient
// captions and the caption effect.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "shared/led_readout.h"
#include "shared/print_fx.h"
#include "shared/registry_ctl.h"
#include "shared/star_field.h"
#include "shared/text_gradient.h"
#include "support/case_names.h"
#include "support/fakes.h"

using namespace kv;

struct LedCase { std::int64_t value; int cells; std::vector<int> shown; };
class LedRule : public testing::TestWithParam<LedCase> {};
TEST_P(LedRule, DigitsAreRightAlignedWithoutLeadingZeros) {
    EXPECT_EQ(ledCells(GetParam().value, GetParam().cells), GetParam().shown);
}
INSTANTIATE_TEST_SUITE_P(Readouts, LedRule, testing::Values(
                    LedCase{0, 5, {-1, -1, -1, -1, 0}}, LedCase{7, 2, {-1, 7}}, LedCase{99, 2, {9, 9}},
                    LedCase{100, 2, {-1, -1}}, LedCase{99999, 5, {9, 9, 9, 9, 9}},
                    LedCase{100000, 5, {-1, -1, -1, -1, -1}}, LedCase{1200, 5, {-1, 1, 2, 0, 0}},
                    LedCase{-1, 2, {-1, 0}},                                       // the minus sign reads 0
                    LedCase{-12, 2, {0, 1}}, LedCase{-123, 2, {-1, -1}}, LedCase{-21, 5, {-1, -1, -1, 0, 2}}),
    [](const testing::TestParamInfo<LedCase>& info) {
        return kvtest::number(info.param.value) + "_In" + std::to_string(info.param.cells) + "Cells";
    });

// stored: none for no such value; expected: the name after the read (it starts as "before")
struct OwnerCase { const char* name; std::optional<std::string> stored;
    RegistryReader::Type type; std::string expected; };
class OwnerName : public testing::TestWithParam<OwnerCase> {};
TEST_P(OwnerName, FollowsTheBufferOf255Spaces) {
    kvtest::FakeRegistry reg;
    if (GetParam().stored) reg.values["RegisteredOwner"] = {*GetParam().stored, GetParam().type};
    std::string name = "before";
    ReadOwnerName(reg, "HKEY_LOCAL_MACHINE", "Software\\Microsoft\\Windows\\CurrentVersion", "RegisteredOwner", name);
    EXPECT_EQ(name, GetParam().expected);
}
constexpr auto kString = RegistryReader::Type::String;
INSTANTIATE_TEST_SUITE_P(Buffer, OwnerName, testing::Values(
                    OwnerCase{"Short", "Bob", kString, std::string("Bob\0        ", 12)},
                    OwnerCase{"ElevenLetters", "Alexandrina", kString, std::string("Alexandrina\0", 12)},
                    OwnerCase{"CutToTwelveCharactersNotBytes", "Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m-Berg", kString,
                              "Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m"},
                    OwnerCase{"FillsTheBuffer", std::string(254, 'x'), kString, std::string(12, 'x')},
                    OwnerCase{"TooLongForTheBuffer", std::string(255, 'x'), kString, "before"},
                    OwnerCase{"NotAString", "Bob", RegistryReader::Type::Other, "before"},
                    OwnerCase{"Missing", std::nullopt, kString, "before"}),
    kvtest::CaseName());

TEST(StarField, TheDepthPicksOneOfFourColours) {
    for (auto [depth, colour] : {std::pair{2, Color(5, 20, 25)}, {9, Color(5, 20, 25)}, {10, Color(25, 75, 100)},
                                 {19, Color(25, 75, 100)}, {20, Color(75, 100, 175)}, {24, Color(75, 100, 175)},
                                 {25, Color(175, 200, 255)}, {30, Color(175, 200, 255)}})
        EXPECT_EQ(StarField::colourFor(depth), colour) << depth;
}

TEST(StarField, RollsEachStarsPlaceDepthAndSizeAndPaintsItInItsColour) {
    Random rnd;
    for (double v : {0.0, 0.0, 0.0, 0.5, 0.9999, 0.9999, 0.9999, 0.9999}) rnd.queue(v);
    Surface sky(645, 545, kBlack);
    StarField stars;
    stars.draw(rnd, sky, 2, 645, 545);
    nlohmann::json vars;
    describeInto(vars, stars);
    EXPECT_EQ(vars,
              (nlohmann::json{{"StarX", {0, 644}}, {"StarY", {0, 544}}, {"StarDepth", {30, 2}}, {"StarSize", {0, 1}}}));
    EXPECT_EQ(sky.pixel(0, 0), Color(175, 200, 255));   // a point
    EXPECT_EQ(sky.pixel(1, 0), kBlack);
    EXPECT_EQ(sky.pixel(643, 544), Color(5, 20, 25));   // a circle of radius 1
}

// A box of the fake fonts, whose glyphs are 10 pixels high: a band is one row.
struct Boxes {
    kvtest::FakeMachine m;
    Form screen{*m.rt, "Form1", 800, 600};
    PictureBox& scratch = screen.add<PictureBox>("Source", nullptr, Rect{0, 0, 100, 20}, kBlack);
    PictureBox& dest = screen.add<PictureBox>("Caption", nullptr, Rect{0, 0, 100, 50}, kBlack);
};

struct GradientCase { const char* name; int from, to; std::array<int, 10> bands; };
class Gradient : public testing::TestWithParam<GradientCase> {};
TEST_P(Gradient, PaintsTenBandsEachUpTo25_5NearerTheEndColour) {
    const GradientCase& c = GetParam();
    for (int component = 0; component < 3; ++component) {
        Boxes b;
        std::array<int, 3> from{0, 0, 0}, to{0, 0, 0};
        from[std::size_t(component)] = c.from, to[std::size_t(component)] = c.to;
        TextGradient(*b.m.rt, "A", b.scratch, b.dest, from[0], from[1], from[2], to[0], to[1], to[2], kBlack);
        for (int band = 1; band <= 10; ++band) {
            std::array<int, 3> want{0, 0, 0};
            want[std::size_t(component)] = c.bands[std::size_t(band - 1)];
            // The glyph, centred, covers columns 46 to 51.
            EXPECT_EQ(b.dest.canvas().pixel(50, band - 1), Color(want[0], want[1], want[2]))
                << "component " << component << ", band " << band;
        }
        EXPECT_EQ(b.dest.canvas().pixel(45, 0), kBlack);
        EXPECT_EQ(b.dest.canvas().pixel(52, 0), kBlack);
        EXPECT_EQ(b.dest.canvas().pixel(50, 10), kBlack);   // ten bands, no more
    }
}
INSTANTIATE_TEST_SUITE_P(Bands, Gradient, testing::Values(
                    GradientCase{"Falling255To0", 255, 0, {255, 230, 204, 178, 152, 126, 100, 74, 48, 22}},
                    GradientCase{"Rising0To255", 0, 255, {0, 26, 52, 78, 104, 130, 156, 182, 208, 234}},
                    GradientCase{"EqualIsOneColour", 128, 128, {128, 128, 128, 128, 128, 128, 128, 128, 128, 128}},
                    GradientCase{"FallingStopsWithin25_5", 255, 200,
                                 {255, 230, 204, 204, 204, 204, 204, 204, 204, 204}},
                    GradientCase{"RisingStopsWithin25_5", 0, 50, {0, 26, 26, 26, 26, 26, 26, 26, 26, 26}}),
    kvtest::CaseName{});

TEST(CaptionEffect, ClosesInToMinus4ThenRelaxesEverSlowerToItsEndSpacing) {
    const std::vector<int> end0 = printFxSpacings(0, 70, 0), endMinus2 = printFxSpacings(0, 70, -2);
    ASSERT_EQ(end0.size(), 82u);
    EXPECT_EQ(std::vector<int>(end0.begin(), end0.begin() + 2), (std::vector<int>{69, 68}));
    EXPECT_EQ(std::vector<int>(end0.end() - 10, end0.end()), (std::vector<int>{-3, -4, -3, -2, -2, -1, -1, -1, 0, 0}));
    EXPECT_EQ(endMinus2.size(), 77u);
    EXPECT_EQ(endMinus2.back(), -2);
}

TEST(CaptionEffect, EachFrameErasesTheLastOnesTextBoxWidenedBy4UpToTheLimit) {
    Boxes b;
    b.dest.canvas().fillRect(Rect{0, 0, 100, 50}, kWhite);
    // From spacing 8 down to -4 and back to 0: 21 frames of 20 ms, nothing else running.
    EXPECT_EQ(PrintFX(*b.m.rt, b.dest, Font{12, true}, "AB", 10, 5, 0, 9, 0, Color(255, 0, 0), 60), 21);
    EXPECT_EQ(PrintFX(*b.m.rt, b.dest, Font{12, true}, "AB", 10, 30, 0, 9, 0, Color(255, 0, 0), 40), 21);
    EXPECT_EQ(b.m.rt->now(), 2u * 21u * 20u);
    const Surface& s = b.dest.canvas();
    // The last frame stays: "AB" at spacing 0, the glyphs 7 pixels apart.
    EXPECT_EQ(s.pixel(10, 5), Color(255, 0, 0));
    EXPECT_EQ(s.pixel(22, 14), Color(255, 0, 0));
    EXPECT_EQ(s.pixel(16, 14), kBlack);
    // The first frame's box (30 wide at spacing 8, and 4 more) was erased, and
    // nothing right of it or above it; the second caption's stopped at 40.
    EXPECT_EQ(s.pixel(43, 10), kBlack);
    EXPECT_EQ(s.pixel(44, 10), kWhite);
    EXPECT_EQ(s.pixel(30, 4), kWhite);
    EXPECT_EQ(s.pixel(39, 35), kBlack);
    EXPECT_EQ(s.pixel(40, 35), kWhite);
}
