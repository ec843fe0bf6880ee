// Gradient captions: ten bands, each 25.5 closer to the end colour until
// within 25.5 of it, painted through the scratch picture into the destination.
#include <gtest/gtest.h>

#include "shared/text_gradient.h"
#include "support/case_names.h"
#include "support/fakes.h"

using namespace kv;

namespace {

struct Bands {
    const char* name;
    int from[3], to[3];
    std::vector<Color> expected;   // band 1 to 10
};

std::vector<Color> reds(std::vector<int> r) {
    std::vector<Color> out;
    for (int v : r) out.push_back(Color(v, 0, 0));
    return out;
}

class GradientBands : public testing::TestWithParam<Bands> {};
TEST_P(GradientBands, PaintTenBandsOfTheTextHeightOverEight) {
    const Bands& c = GetParam();
    // The stand-in font is 10 pixels high: bands of one pixel row each; a
    // letter is a filled block 6 wide, with an advance of 7.
    kvtest::FakeMachine m;
    struct Sheet : Form {
        explicit Sheet(Runtime& rt) : Form(rt, "Sheet", 100, 100) {}
    } sheet(*m.rt);
    PictureBox& scratch = sheet.add<PictureBox>("Src", nullptr, Rect{0, 0, 41, 20}, kBlack);
    PictureBox& dest = sheet.add<PictureBox>("Dest", nullptr, Rect{0, 0, 41, 20}, Color(9, 9, 9));
    TextGradient(*m.rt, "W", scratch, dest, c.from[0], c.from[1], c.from[2], c.to[0], c.to[1], c.to[2],
                 Color(1, 2, 3));
    // Centred: 41 / 2 - 7 / 2 = 17, the letter covers columns 17 to 22.
    std::vector<Color> bands;
    for (int row = 0; row < 10; ++row) bands.push_back(dest.image().pixel(19, row));
    EXPECT_EQ(bands, c.expected);
    EXPECT_EQ(dest.image().pixel(16, 0), Color(1, 2, 3));    // the background colour beside it
    EXPECT_EQ(dest.image().pixel(19, 10), Color(1, 2, 3));   // and below the ten bands
    EXPECT_FALSE(scratch.visible());
}
INSTANTIATE_TEST_SUITE_P(
    Captions, GradientBands,
    testing::Values(
        Bands{"FallingToBlack", {255, 0, 0}, {0, 0, 0}, reds({255, 230, 204, 178, 152, 126, 100, 74, 48, 22})},
        Bands{"RisingFromBlack", {0, 0, 0}, {255, 0, 0}, reds({0, 26, 52, 78, 104, 130, 156, 182, 208, 234})},
        Bands{"StopsWithinAStepOfTheTarget", {50, 0, 0}, {0, 0, 0}, reds({50, 24, 24, 24, 24, 24, 24, 24, 24, 24})},
        Bands{"EqualColoursStayOneColour", {80, 90, 100}, {80, 90, 100}, std::vector<Color>(10, Color(80, 90, 100))},
        // The options and pause titles: only green changes, red toward yellow.
        Bands{"RedTowardYellow",
              {255, 0, 0},
              {255, 255, 0},
              {Color(255, 0, 0), Color(255, 26, 0), Color(255, 52, 0), Color(255, 78, 0), Color(255, 104, 0),
               Color(255, 130, 0), Color(255, 156, 0), Color(255, 182, 0), Color(255, 208, 0), Color(255, 234, 0)}},
        // The first high-score row: each component on its own way to (50, 0, 80).
        Bands{"FirstScoreRow",
              {0, 255, 0},
              {50, 0, 80},
              {Color(0, 255, 0), Color(26, 230, 26), Color(26, 204, 52), Color(26, 178, 78), Color(26, 152, 78),
               Color(26, 126, 78), Color(26, 100, 78), Color(26, 74, 78), Color(26, 48, 78), Color(26, 22, 78)}}),
    kvtest::CaseName{});

}  // namespace
