// Picture transitions and the stopwatch that paces them. (The fade to black
// shows on the planet, where the level-clear picture leaves nothing behind.)
#include <gtest/gtest.h>

#include "media/transitions.h"
#include "support/fakes.h"

using namespace kv;

namespace {
struct Stage {
    kvtest::FakeMachine m;
    Form form{*m.rt, "F", 800, 600};
    PictureBox canvas{form, "canvas", nullptr, Rect{0, 0, 645, 545}, Color(0, 0, 0)};
    PictureBox pic;
    Stage(int w, int h) : pic(form, "pic", nullptr, Rect{0, 0, w, h}, Color(0, 0, 0)) {
        // A picture with a distinct colour in every column and row.
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) pic.image().setPixel(x, y, Color(1 + x % 200, 1 + y % 200, 99));
    }
    bool copied(int x, int y, int ox, int oy) { return canvas.shown().pixel(ox + x, oy + y) == pic.image().pixel(x, y); }
};
}  // namespace

std::string wipeName(int how) {
    static const char* const kHow[] = {"", "LeftToRight", "RightToLeft", "TopDown", "BottomUp"};
    return kHow[how];
}

struct WipeCase {
    int how, width, height;
    std::uint64_t duration;
    int pause;
};
class Wipes : public testing::TestWithParam<WipeCase> {};
TEST_P(Wipes, CopyEveryStripAtTheirRate) {
    const WipeCase& c = GetParam();
    Stage s(c.width, c.height);
    CEffects fx(*s.m.rt);
    auto t0 = s.m.rt->now();
    fx.DoTransition(s.pic, &s.canvas, 10, 20, c.how);
    EXPECT_EQ(s.m.rt->now() - t0, c.duration);
    EXPECT_EQ(fx.pause(), c.pause);
    for (auto [x, y] : {std::pair{0, 0}, {c.width - 1, c.height - 1}, {c.width / 2, c.height / 3}})
        EXPECT_TRUE(s.copied(x, y, 10, 20)) << x << "," << y;
    EXPECT_TRUE(s.m.rt->boxes().messages().empty());
}
INSTANTIATE_TEST_SUITE_P(Directions, Wipes,
                         testing::Values(WipeCase{1, 400, 30, 200 * 9, 9},    // two columns every 9 ms
                                         WipeCase{2, 400, 30, 200 * 9, 9},
                                         WipeCase{3, 416, 90, 45 * 40, 40},    // the level-clear picture
                                         WipeCase{4, 416, 90, 45 * 40, 40}),
                         [](const testing::TestParamInfo<WipeCase>& info) { return wipeName(info.param.how); });

TEST(Dissolve, CoversThePictureInBlocksInRandomOrder) {
    Stage s(306, 48);
    CEffects fx(*s.m.rt);
    auto t0 = s.m.rt->now();
    fx.DoTransition(s.pic, &s.canvas, 170, 248, 5, 8);
    EXPECT_EQ(fx.blockSize(), 8);
    EXPECT_EQ(fx.pause(), 6);
    // 39 columns of 7 cells, two cells a step.
    EXPECT_EQ(s.m.rt->now() - t0, 39u * 4u * 6u);
    for (int y = 0; y < 48; y += 5)
        for (int x = 0; x < 306; x += 7) ASSERT_TRUE(s.copied(x, y, 170, 248)) << x << "," << y;
    // A block size below one means single pixels.
    Stage small(12, 6);
    CEffects pixels(*small.m.rt);
    pixels.DoTransition(small.pic, &small.canvas, 0, 0, 5, 0);
    EXPECT_EQ(pixels.blockSize(), 1);
    EXPECT_TRUE(small.copied(11, 5, 0, 0));
}

TEST(StopWatch, ElapsedSurvivesTheWrapOfTheMillisecondClock) {
    kvtest::FakeMachine m;
    m.rt->busyWaitUntil((1ull << 32) - 40);
    CStopWatch sw(*m.rt);
    m.rt->busyWaitUntil((1ull << 32) + 60);
    EXPECT_EQ(sw.Elapsed(), 100u);
    sw.Reset();
    EXPECT_EQ(sw.Elapsed(), 0u);
    EXPECT_LE(sw.MinimumResolution(), sw.MaximumResolution());
}
