// The shared painters that many pictures are built from: lettering, armour
// plates and skies. A fault here shows up in every picture that uses them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "captions.h"
#include "painters.h"
#include "space.h"
#include "text.h"

using namespace assetgen;

namespace {

// Bounding box, in design units, of the pixels whose alpha is over `level`.
Box coverageBox(const Canvas& c, float level = 0.5f) {
    const float u = static_cast<float>(c.unit());
    Box b{1e9f, 1e9f, -1e9f, -1e9f};
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.pixel(x, y).a > level) {
                b.x0 = std::min(b.x0, static_cast<float>(x) / u);
                b.y0 = std::min(b.y0, static_cast<float>(y) / u);
                b.x1 = std::max(b.x1, static_cast<float>(x + 1) / u);
                b.y1 = std::max(b.y1, static_cast<float>(y + 1) / u);
            }
    return b;
}

const CaptionLook kPlain{.face = Gradient{{0, kWhite}, {1, kWhite}}};

TEST(Lettering, InkIsCentredWhereAsked) {
    Canvas c(200, 60, 2);
    const Vec2 centre{83, 27};
    const Box box = paintCaption(c, "Score:", 22, centre, 0.5f, kPlain);
    EXPECT_NEAR((box.x0 + box.x1) / 2, centre.x, 0.6f);
    EXPECT_NEAR((box.y0 + box.y1) / 2, centre.y, 0.6f);
    const Box ink = coverageBox(c);
    EXPECT_NEAR((ink.x0 + ink.x1) / 2, centre.x, 1.0f);
    EXPECT_NEAR((ink.y0 + ink.y1) / 2, centre.y, 1.0f);
}

TEST(Lettering, OutlineRingsTheLettersInItsColour) {
    Canvas plain(120, 40, 2), outlined(120, 40, 2);
    CaptionLook look = kPlain;
    look.outlines = {{1.5f, rgb(0x100000)}};
    paintCaption(plain, "KORVANE", 20, {60, 20}, 1, kPlain);
    paintCaption(outlined, "KORVANE", 20, {60, 20}, 1, look);
    int rim = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            if (plain.pixel(x, y).a == 0 && outlined.pixel(x, y).a > 0.9f) {
                ++rim;
                EXPECT_LT(luminance(outlined.pixel(x, y)), 0.05f) << x << "," << y;
            }
    EXPECT_GT(rim, 200);
}

TEST(Lettering, DepthFallsAwayDownAndRight) {
    CaptionLook look = kPlain;
    look.depth = {6, {0.6f, 1.0f}, 1.0f, rgb(0x203060), rgb(0x000000)};
    Canvas flat(120, 50, 2), deep(120, 50, 2);
    paintCaption(flat, "HIGH", 24, {60, 22}, 1, kPlain);
    paintCaption(deep, "HIGH", 24, {60, 22}, 1, look);
    const Box a = coverageBox(flat), b = coverageBox(deep);
    EXPECT_GT(b.x1 - a.x1, 3.0f);
    EXPECT_GT(b.y1 - a.y1, 5.0f);
    EXPECT_LT(a.x0 - b.x0, 1.5f);
    EXPECT_LT(a.y0 - b.y0, 1.5f);
}

struct TitleRoom {
    const char* what;
    const char* text;
    float width, height;
};

void PrintTo(const TitleRoom& r, std::ostream* os) { *os << r.what; }

class ChromeTitle : public testing::TestWithParam<TitleRoom> {};

TEST_P(ChromeTitle, FillsTheRoomItIsGivenWithoutSpillingOver) {
    const TitleRoom& r = GetParam();
    Canvas c(800, 200, 1);
    const Box box = paintChromeTitle(c, r.text, r.width, r.height, {400, 100}, 5);
    EXPECT_LE(box.x1 - box.x0, r.width + 0.5f);
    EXPECT_LE(box.y1 - box.y0, r.height + 0.5f);
    EXPECT_TRUE(box.x1 - box.x0 > 0.9f * r.width || box.y1 - box.y0 > 0.9f * r.height) << "room left unused";
    // The halo fades out long before the picture's edge.
    EXPECT_EQ(c.pixel(0, 0).a, 0.0f);
    EXPECT_EQ(c.pixel(799, 199).a, 0.0f);
}

INSTANTIATE_TEST_SUITE_P(Lettering, ChromeTitle,
                         testing::Values(TitleRoom{"WideRoom", "HIGH SCORES", 600, 120},
                                         TitleRoom{"ShortRoom", "HIGH SCORES", 600, 40},
                                         TitleRoom{"LongText", "MISSION ACCOMPLISHED", 700, 70}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(Plating, SeamsAndBevelStayInsideThePiece) {
    Canvas c(60, 60, 2);
    const Shape piece = rect(15, 15, 45, 45, 3);
    const Mask m = paintPlate(c, piece, {.fill = solid(rgb(0x6a4880))}, bar({0, 30}, {60, 30}, 1));
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            const Vec2 p{(static_cast<float>(x) + 0.5f) / 2, (static_cast<float>(y) + 0.5f) / 2};
            if (piece(p) > 0.5f) {
                ASSERT_EQ(c.pixel(x, y).a, 0.0f) << p.x << "," << p.y;
            }
        }
    // The seam shows across the piece, darker than the plate either side of it.
    EXPECT_LT(luminance(c.pixel(60, 60)), luminance(c.pixel(60, 50)));
    EXPECT_FLOAT_EQ(m.at(60, 50), 1.0f);
}

float maxLuminance(const Canvas& c, int y0, int y1) {
    float best = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < c.width(); ++x) best = std::max(best, luminance(c.pixel(x, y)));
    return best;
}

TEST(Sky, PlayfieldSkyIsStarlessAndSmooth) {
    // Even asked for stars and a sun, a playfield sky has neither: the game
    // draws its own stars, and they must be the only points of light.
    const Canvas c = playfieldSky(300, 200, {.cloudA = rgb(0x9a1430), .stars = 500, .brightStars = 10});
    float step = 0;
    for (int y = 0; y + 1 < c.height(); ++y)
        for (int x = 0; x + 1 < c.width(); ++x) {
            const float here = luminance(c.pixel(x, y));
            step = std::max(
                {step, std::abs(here - luminance(c.pixel(x + 1, y))), std::abs(here - luminance(c.pixel(x, y + 1)))});
        }
    EXPECT_LT(step, 0.02f) << "a star or a seam in the clouds";
    EXPECT_LT(maxLuminance(c, 0, c.height()), 0.25f);
}

TEST(Sky, TextBandStaysDarkAndStarless) {
    Canvas c(300, 240, 1, kBlack);
    paintSpace(c, {.bandTop = 150, .bandBottom = 180, .stars = 800});
    EXPECT_LT(maxLuminance(c, 150, 180), 0.08f);
    EXPECT_GT(maxLuminance(c, 0, 120), 0.5f) << "stars elsewhere";
}

}  // namespace
