// Picture transitions: the wipes and the dissolve, their pacing and their
// repairs. (The fade to black shows on the planet, where the level-clear
// picture leaves nothing behind.)
#include <gtest/gtest.h>

#include "media/transitions.h"
#include "support/case_names.h"
#include "support/fakes.h"

using namespace kv;

namespace {
struct Stage {
    kvtest::FakeMachine m;
    Form form{*m.rt, "F", 800, 600};
    PictureBox canvas{form, "canvas", nullptr, Rect{0, 0, 645, 545}, Color(0, 0, 0)};
    PictureBox pic;
    Stage(int w, int h) : pic(form, "pic", nullptr, Rect{0, 0, w, h}, Color(0, 0, 0)) {
        // A distinct colour in every column and row.
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) pic.image().setPixel(x, y, Color(1 + x % 200, 1 + y % 200, 99));
    }
    bool copied(int x, int y, int ox, int oy) {
        return canvas.shown().pixel(ox + x, oy + y) == pic.image().pixel(x, y);
    }
};
}  // namespace

// How 1 to 4 wipe strip by strip, 5 dissolves in blocks (its parameter the block's side, at least 1; 1 otherwise).
struct TransitionCase { const char* name; int how, width, height, lparam; std::uint64_t duration; int pause, block; };
class Transitions : public testing::TestWithParam<TransitionCase> {};
TEST_P(Transitions, CopyThePictureWholeAtTheirRate) {
    const TransitionCase& c = GetParam();
    Stage s(c.width, c.height);
    CEffects fx(*s.m.rt);
    fx.AnimationTime(0);  // ignored: two seconds stay
    const auto t0 = s.m.rt->now();
    fx.DoTransition(s.pic, &s.canvas, 10, 20, c.how, c.lparam);
    EXPECT_EQ(s.m.rt->now() - t0, c.duration);
    EXPECT_EQ(fx.pause(), c.pause);
    EXPECT_EQ(fx.blockSize(), c.block);
    for (int y = 0; y < c.height; y += 5)
        for (int x = 0; x < c.width; x += 7) ASSERT_TRUE(s.copied(x, y, 10, 20)) << x << "," << y;
    EXPECT_TRUE(s.copied(c.width - 1, c.height - 1, 10, 20));
}
// Two columns every 9 ms; the level-clear picture a row every 40 ms; 39 columns of 7 cells, two cells a step.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Kinds, Transitions, testing::Values(
    TransitionCase{"LeftToRight", 1, 400, 30, 0, 200 * 9, 9, 1}, TransitionCase{"RightToLeft", 2, 400, 30, 0, 200 * 9, 9, 1},
    TransitionCase{"TopDown", 3, 416, 90, 0, 45 * 40, 40, 1}, TransitionCase{"BottomUp", 4, 416, 90, 0, 45 * 40, 40, 1},
    TransitionCase{"Dissolve", 5, 306, 48, 8, 39 * 4 * 6, 6, 8},
    TransitionCase{"DissolveInPixels", 5, 12, 6, 0, 13 * 4 * 20, 20, 1}), kvtest::CaseName());
// clang-format on
