// The painting toolkit: shapes, canvas compositing, blur, lettering, noise and PNG files.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <cmath>
#include <numbers>
#include <string>

#include "canvas.h"
#include "noise.h"
#include "png_io.h"
#include "shapes.h"
#include "text.h"

using namespace assetgen;

namespace {

struct DistanceCase {
    const char* what;
    Shape shape;
    Vec2 point;
    float distance;
};

void PrintTo(const DistanceCase& c, std::ostream* os) { *os << c.what; }

class ShapeDistance : public testing::TestWithParam<DistanceCase> {};

TEST_P(ShapeDistance, MeasuresSignedDistance) {
    const DistanceCase& c = GetParam();
    EXPECT_NEAR(c.shape(c.point), c.distance, 0.02f) << c.what;
}

const Shape kTriangle = polygon({{0, 0}, {10, 0}, {0, 10}});

INSTANTIATE_TEST_SUITE_P(
    Shapes, ShapeDistance,
    testing::Values(DistanceCase{"circle centre", circle({5, 5}, 3), {5, 5}, -3},
                    DistanceCase{"circle outside", circle({5, 5}, 3), {5, 10}, 2},
                    DistanceCase{"ellipse on the long axis", ellipse({0, 0}, 6, 2), {8, 0}, 2},
                    DistanceCase{"ellipse on the short axis", ellipse({0, 0}, 6, 2), {0, -1}, -1},
                    DistanceCase{"rect side", rect(0, 0, 10, 4), {5, 6}, 2},
                    DistanceCase{"rect inside", rect(0, 0, 10, 4), {5, 1}, -1},
                    DistanceCase{"rounded rect corner", rect(0, 0, 10, 10, 2), {-1, -1}, std::sqrt(18.0f) - 2},
                    DistanceCase{"polygon inside", kTriangle, {1, 1}, -1},
                    DistanceCase{"polygon past the slanted side", kTriangle, {10, 10}, std::sqrt(50.0f)},
                    DistanceCase{"polygon below", kTriangle, {3, -2}, 2},
                    DistanceCase{"capsule side", capsule({0, 0}, {10, 0}, 1), {5, 3}, 2},
                    DistanceCase{"capsule end", capsule({0, 0}, {10, 0}, 1), {13, 0}, 2},
                    DistanceCase{"tapered capsule wide end", taperedCapsule({0, 0}, 3, {0, 10}, 1), {0, -5}, 2},
                    DistanceCase{"tapered capsule narrow end", taperedCapsule({0, 0}, 3, {0, 10}, 1), {0, 13}, 2},
                    DistanceCase{"ring", ring({0, 0}, 5, 2), {0, 0}, 4},
                    DistanceCase{"union", circle({0, 0}, 1) | circle({10, 0}, 1), {8, 0}, 1},
                    DistanceCase{"cut away", rect(0, 0, 10, 10) - circle({0, 5}, 3), {1, 5}, 2},
                    DistanceCase{"grown", grown(circle({0, 0}, 2), 1), {5, 0}, 2},
                    DistanceCase{"mirrored", withMirror(circle({2, 0}, 1), 5), {8, 0}, -1},
                    DistanceCase{
                        "rotated", rotated(rect(-1, -5, 1, 5), {0, 0}, std::numbers::pi_v<float> / 2), {4, 0}, -1}),
    [](const auto& info) {
        // "circle centre" -> "CircleCentre"
        std::string name;
        bool upper = true;
        for (const char ch : std::string(info.param.what)) {
            if (ch == ' ') {
                upper = true;
                continue;
            }
            name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(ch))) : ch;
            upper = false;
        }
        return name;
    });

TEST(Shapes, FarFromAPolygonTheDistanceIsALowerBoundStillFarOutside) {
    const Vec2 p{100, 100};
    const float exact = std::sqrt(50.0f) + length(p - Vec2{5, 5});
    EXPECT_LE(kTriangle(p), exact);
    EXPECT_GT(kTriangle(p), 16.0f);
}

TEST(Shapes, BoundsCoverTheShape) {
    const Shape s = rotated(rect(0, 0, 20, 4), {10, 2}, 0.7f) | circle({-5, 3}, 2);
    const Box b = s.bounds();
    for (float y = -30; y < 30; y += 0.5f)
        for (float x = -30; x < 40; x += 0.5f)
            if (s({x, y}) < 0) {
                ASSERT_TRUE(x >= b.x0 && x <= b.x1 && y >= b.y0 && y <= b.y1) << x << "," << y;
            }
}

// ---------------------------------------------------------------------------

float coverage(const Canvas& c) {
    float sum = 0;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) sum += c.pixel(x, y).a;
    return sum;
}

TEST(Canvas, AntialiasedAreaMatchesTheShapeAtAnyResolution) {
    for (int unit : {1, 4}) {
        SCOPED_TRACE(unit);
        const Canvas c = supersampled(
            40, 40,
            [](Canvas& big) {
                big.draw(circle({20.3f, 19.6f}, 10), kWhite);
            },
            unit);
        EXPECT_EQ(c.width(), 40);
        EXPECT_NEAR(coverage(c), std::numbers::pi_v<float> * 100, 1.5f);
    }
}

TEST(Canvas, OverReplacesAndAddBrightens) {
    Canvas c(2, 1, 1, rgb(0x0000ff));
    c.draw(rect(0, 0, 1, 1), rgb(0xff0000));
    c.draw(rect(1, 0, 2, 1), rgb(0x800000), Blend::Add);
    const Colour over = c.pixel(0, 0), added = c.pixel(1, 0);
    EXPECT_NEAR(over.r, 1, 1e-3);
    EXPECT_NEAR(over.b, 0, 1e-3);
    EXPECT_NEAR(added.r, 128 / 255.0f, 1e-3);
    EXPECT_NEAR(added.b, 1, 1e-3);
}

TEST(Canvas, LightAddedToEmptySpaceBecomesAsOpaqueAsItIsBright) {
    Canvas c(1, 1);
    c.draw(rect(0, 0, 1, 1), rgb(0xffffff, 0.25f), Blend::Add);
    EXPECT_NEAR(c.pixel(0, 0).a, 0.25f, 1e-3);
    EXPECT_NEAR(c.pixel(0, 0).r, 1.0f, 1e-3);
}

TEST(Canvas, DownsamplingAveragesPremultipliedColour) {
    Canvas big(1, 1, 2);
    big.draw(rect(0, 0, 0.5f, 1), rgb(0xff0000));  // left half opaque red, right half clear
    const Canvas small = big.downsampled(2);
    EXPECT_NEAR(small.pixel(0, 0).a, 0.5f, 1e-3);
    EXPECT_NEAR(small.pixel(0, 0).r, 1.0f, 1e-3);  // not darkened by the clear half
}

TEST(Canvas, ClearPixelsAreStoredBlack) {
    Canvas c(2, 1);
    c.draw(rect(0, 0, 1, 1), rgb(0x336699));
    c.apply([](Vec2 p, Colour col) { return p.x > 1 ? withAlpha(rgb(0xffffff), 0) : col; });
    const auto bytes = c.toRgba8();
    EXPECT_EQ(bytes[0], 0x33);
    EXPECT_EQ(bytes[3], 255);
    for (int i = 4; i < 8; ++i) EXPECT_EQ(bytes[static_cast<std::size_t>(i)], 0);
}

TEST(Mask, BlurKeepsTheLightAndSpreadsItEvenly) {
    Mask m(40, 40, 2);
    m.add(circle({20, 20}, 3));
    float before = 0;
    for (int y = 0; y < m.height(); ++y)
        for (int x = 0; x < m.width(); ++x) before += m.at(x, y);
    const Mask b = m.blurred(3);
    float after = 0;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x) after += b.at(x, y);
    EXPECT_NEAR(after, before, before * 0.01f);
    EXPECT_NEAR(b.sample({14, 20}), b.sample({26, 20}), 1e-3);
    EXPECT_NEAR(b.sample({20, 14}), b.sample({14, 20}), 0.02f);
    EXPECT_GT(b.sample({14, 20}), 0.05f);
    EXPECT_LT(b.sample({20, 20}), 1.0f);
}

TEST(Mask, GrowingAndShiftingMoveTheEdge) {
    Mask m(20, 10, 1);
    m.add(rect(5, 2, 10, 8));
    const Mask g = m.grown(2);
    EXPECT_NEAR(g.at(3, 5), 1.0f, 1e-3);  // pixel centre 3.5 is 1.5 outside
    EXPECT_NEAR(g.at(1, 5), 0.0f, 1e-3);
    const Mask s = m.shifted({3, 0});
    EXPECT_EQ(s.at(12, 5), 1.0f);
    EXPECT_EQ(s.at(7, 5), 0.0f);
}

// ---------------------------------------------------------------------------

TEST(Text, FittedLetteringFillsButStaysInsideTheBox) {
    Font& font = Font::bold();
    for (const char* word : {"SCORE", "RODS DEFUSED", "KORVANE"}) {
        SCOPED_TRACE(word);
        const float size = font.fit(word, 120, 20, 1);
        const TextExtent e = font.measure(word, size, 1);
        EXPECT_LE(e.width(), 120.01f);
        EXPECT_LE(e.height(), 20.01f);
        EXPECT_TRUE(e.width() > 114 || e.height() > 19) << e.width() << " x " << e.height();
    }
}

TEST(Text, CentredLetteringIsInkedAroundTheCentre) {
    Mask m(100, 40, 2);
    Font::bold().renderCentred(m, "HI", 20, {30, 25});
    float sx = 0, sy = 0, sum = 0;
    int x0 = m.width(), x1 = 0, y0 = m.height(), y1 = 0;
    for (int y = 0; y < m.height(); ++y)
        for (int x = 0; x < m.width(); ++x)
            if (m.at(x, y) > 0.5f) {
                sx += x, sy += y, sum += 1;
                x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
    ASSERT_GT(sum, 50);
    EXPECT_NEAR((x0 + x1 + 1) / 4.0f, 30, 0.75f);
    EXPECT_NEAR((y0 + y1 + 1) / 4.0f, 25, 0.75f);
}

// ---------------------------------------------------------------------------

TEST(Noise, RepeatsAcrossItsPeriodAndOnlyThere) {
    for (float y : {0.3f, 2.7f})
        for (float x : {0.1f, 1.5f, 3.9f}) {
            EXPECT_NEAR(noise({x, y}, 5, 4), noise({x + 4, y}, 5, 4), 1e-5);
            EXPECT_NEAR(fbm({x, y}, 4, 5, 4), fbm({x + 4, y}, 4, 5, 4), 1e-5);
        }
    EXPECT_NE(noise({0.5f, 0.5f}, 5), noise({4.5f, 0.5f}, 5));
}

TEST(Noise, SeedsGiveRepeatableButDifferentSequences) {
    Rng a(1), b(1), c(2);
    for (int i = 0; i < 100; ++i) {
        const float u = a.uniform();
        EXPECT_EQ(u, b.uniform());
        EXPECT_TRUE(u >= 0 && u < 1);
        const int k = c.below(7);
        EXPECT_TRUE(k >= 0 && k < 7);
    }
    EXPECT_NE(Rng(1).next(), Rng(2).next());
}

TEST(Png, RoundTripsEveryByte) {
    Rgba8Image im{3, 2, {}};
    for (int i = 0; i < 3 * 2 * 4; ++i) im.pixels.push_back(static_cast<std::uint8_t>(i * 11));
    const auto file = std::filesystem::temp_directory_path() / ("assetgen_png_" + std::to_string(::getpid()) + ".png");
    writePng(file, im);
    const Rgba8Image back = readPng(file);
    std::filesystem::remove(file);
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(back.pixels, im.pixels);
}

TEST(Png, ReportsFilesItCannotRead) { EXPECT_THROW(readPng("/nonexistent/assetgen.png"), std::runtime_error); }

}  // namespace
