// Surfaces and views: clipping at every edge, lines, fills; text with extra spacing.
#include <gtest/gtest.h>

#include <algorithm>

#include "runtime/surface.h"
#include "runtime/text.h"
#include "support/fakes.h"

using namespace kv;

namespace {
const Color kRed{255, 0, 0}, kBlue{0, 0, 255};

int count(const Surface& s, Color c) { return int(std::count(s.data(), s.data() + s.width() * s.height(), c.argb())); }
}  // namespace

TEST(Surface, ABlitCopiesOnlyTheOverlapToItsPlace) {
    for (auto [name, dx, dy, src, pixels, redX, redY] :
         {std::tuple{"OffTheTopLeft", -3, -4, Rect{0, 0, 8, 6}, 10, 0, 0},
          {"OffRightAndBottom", 16, 7, Rect{0, 0, 8, 6}, 12, 19, 9}, {"Outside", -8, 0, Rect{0, 0, 8, 6}, 0, -1, -1},
          // the origin stays put when the source starts before its surface
          {"SourceBeforeItsSurface", 0, 0, Rect{-2, -2, 4, 4}, 4, 2, 2},
          {"SourcePastItsFarEdge", 5, 5, Rect{6, 4, 5, 5}, 4, 5, 5}}) {
        Surface dst(20, 10);
        dst.blit(Surface(8, 6, kRed), src, dx, dy);
        EXPECT_EQ(count(dst, kRed), pixels) << name;
        EXPECT_TRUE(redX < 0 || dst.pixel(redX, redY) == kRed) << name;
    }
}

TEST(Surface, ViewsDrawFromTheirOriginAndStayInsideLinesAndFillsToo) {
    Surface dst(20, 20);
    // A view of the corner from (5, 5), and one inside it that reaches out of it.
    SurfaceView corner = dst.view().subregion(Rect{5, 5, 100, 100});
    corner.blit(Surface(10, 10, kRed), -5, -5);
    EXPECT_EQ(count(dst, kRed), 25);
    EXPECT_EQ(dst.pixel(4, 4), Color(0, 0, 0));
    corner.subregion(Rect{-3, 10, 6, 6}).fill(kBlue);
    EXPECT_EQ(count(dst, kBlue), 15);
    EXPECT_EQ(dst.pixel(5, 15), kBlue);
    Surface s(5, 30);
    s.line(2, 0, 2, 18, kRed);   // a vertical line stops short of its end point
    EXPECT_EQ(count(s, kRed), 18);
    s.line(-5, -5, 40, 40, kBlue);
    EXPECT_EQ(s.pixel(3, 3), kBlue);
    Surface f(10, 10);
    f.fillRect(Rect{-5, 8, 100, 100}, kRed);
    EXPECT_EQ(count(f, kRed), 20);
}

TEST(Surface, BlendingKeepsWhatIsBehindTransparentPixels) {
    Surface dst(4, 1, kBlue);
    Surface src(4, 1, Color(255, 0, 0, 0));
    src.setPixel(1, 0, kRed);
    dst.blit(src, 0, 0, true);
    EXPECT_EQ(dst.pixel(0, 0), kBlue);
    EXPECT_EQ(dst.pixel(1, 0), kRed);
}

TEST(Text, ExtraSpacingIsAddedAfterEveryCharacter) {
    kvtest::FakeFonts fonts;
    TextEngine te(fonts, "/fonts/");
    Font f{12, true};
    EXPECT_EQ(te.measure(f, "abc"), 21);
    EXPECT_EQ(te.measure(f, "abc", 5), 36);
    EXPECT_EQ(te.measure(f, "abc", -4), 9);
    Surface s(40, 12);
    te.draw(s.view().subregion(Rect{0, 0, 12, 12}), f, "ab", 0, 0, kRed, 3);   // clipped inside the second letter
    EXPECT_EQ(s.pixel(5, 5), kRed);
    EXPECT_EQ(s.pixel(8, 5), Color(0, 0, 0));
    EXPECT_EQ(s.pixel(10, 5), kRed);
    EXPECT_EQ(s.pixel(13, 5), Color(0, 0, 0));
}

// One replacement per byte that cannot start a character.
TEST(Text, MalformedUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(decodeUtf8(std::string("a\xC3\xA9\xFF\xE2\x82", 6)), std::u32string(U"a\u00e9\ufffd\ufffd\ufffd"));
}
