// In a window a frame is presented only when something visible changed, at
// most once per display refresh, and the loop sleeps in between; blocking
// effects still show their steps. Driven on the fake display in play mode.
#include <gtest/gtest.h>

#include <functional>

#include "support/case_names.h"
#include "support/fakes.h"

using namespace kv;
using kvtest::FakeMachine;

namespace {

// A screen with one of each kind of control, and a timer that makes the
// change under test once, at 500 ms.
struct Screen : Form {
    explicit Screen(Runtime& rt) : Form(rt, "Screen", 800, 600) {
        field = &add<PictureBox>("field", nullptr, Rect{0, 0, 400, 300}, kBlack);
        sprite = &add<Image>("sprite", field, Rect{10, 10, 4, 4});
        sprite->setPicture(rt.pictures().get("sprite"));
        label = &add<Label>("label", nullptr, Rect{420, 10, 200, 20}, "Score 0");
        button = &add<Button>("button", nullptr, Rect{420, 40, 100, 24}, "Go");
        text = &add<TextBox>("text", nullptr, Rect{420, 80, 100, 24});
        check = &add<CheckBox>("check", nullptr, Rect{420, 120, 100, 24}, "Sound");
        other = &add<PictureBox>("other", nullptr, Rect{420, 200, 50, 50}, kBlack);
        other->setVisible(false);
    }
    PictureBox* field;
    Image* sprite;
    Label* label;
    Button* button;
    TextBox* text;
    CheckBox* check;
    PictureBox* other;
};

// Runs a screen for 2 s of play with a change made at 500 ms.
struct PlayedScreen {
    FakeMachine m{2000, true};
    Screen& s = m.rt->load<Screen>();
    explicit PlayedScreen(const std::function<void(Screen&, Runtime&)>& change) {
        m.rt->show(s);
        Timer* once = nullptr;
        once = &s.addTimer("once", 500, true, [&, change] {
            once->setEnabled(false);
            change(s, *m.rt);
        });
        m.run();
    }
};

struct ChangeCase {
    const char* name;
    std::function<void(Screen&, Runtime&)> change;
    int presents;   // the first frame, and one more when the change shows
};

class FramesFollowChanges : public testing::TestWithParam<ChangeCase> {};

TEST_P(FramesFollowChanges, OneMoreFrameExactlyWhenSomethingVisibleChanged) {
    PlayedScreen run(GetParam().change);
    EXPECT_EQ(run.m.display.presents, GetParam().presents);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, FramesFollowChanges,
    testing::Values(
        ChangeCase{"Nothing", [](Screen&, Runtime&) {}, 1},
        ChangeCase{"A sprite moves", [](Screen& s, Runtime&) { s.sprite->move(50, 60); }, 2},
        ChangeCase{"A sprite is put where it is", [](Screen& s, Runtime&) { s.sprite->move(10, 10); }, 1},
        ChangeCase{"A sprite hides", [](Screen& s, Runtime&) { s.sprite->setVisible(false); }, 2},
        ChangeCase{"A sprite changes its picture",
                   [](Screen& s, Runtime& rt) { s.sprite->setPicture(rt.pictures().get("other")); }, 2},
        ChangeCase{"A picture box is drawn into", [](Screen& s, Runtime&) { s.field->canvas().setPixel(1, 1, kWhite); }, 2},
        ChangeCase{"A hidden picture box is drawn into",
                   [](Screen& s, Runtime&) { s.other->canvas().setPixel(1, 1, kWhite); }, 1},
        ChangeCase{"A hidden picture box shows", [](Screen& s, Runtime&) { s.other->setVisible(true); }, 2},
        ChangeCase{"A label gets a new caption", [](Screen& s, Runtime&) { s.label->setCaption("Score 10"); }, 2},
        ChangeCase{"A label gets its own caption again", [](Screen& s, Runtime&) { s.label->setCaption("Score 0"); }, 1},
        ChangeCase{"A label changes colour", [](Screen& s, Runtime&) { s.label->setForeColor(Color(0, 200, 0)); }, 2},
        ChangeCase{"A button's caption is set", [](Screen& s, Runtime&) { s.button->caption = "Stop"; }, 2},
        ChangeCase{"A button is disabled", [](Screen& s, Runtime&) { s.button->enabled = false; }, 2},
        ChangeCase{"A text box takes text", [](Screen& s, Runtime&) { s.text->type("Ann"); }, 2},
        ChangeCase{"A check box is ticked", [](Screen& s, Runtime&) { s.check->setValue(true); }, 2},
        ChangeCase{"The focus moves", [](Screen& s, Runtime&) { s.setFocus(s.button); }, 2},
        ChangeCase{"The form's colour changes", [](Screen& s, Runtime&) { s.backColor = Color(0, 0, 80); }, 2},
        ChangeCase{"A second form opens",
                   [](Screen&, Runtime& rt) {
                       auto& f = rt.load<Form>("Second", 100, 100);
                       rt.show(f);
                   },
                   2},
        ChangeCase{"The form hides", [](Screen& s, Runtime&) { s.hide(); }, 2}),
    kvtest::CaseName{});

TEST(FramesInPlay, ABoxShowsWhenItOpensAndAgainForEachKeyItTakes) {
    FakeMachine m(3000, true);
    m.display.pending.push_back({1000, InputEvent{InputEvent::Kind::KeyDown, 39, 0, 0, {}}});   // focus moves
    m.display.pending.push_back({1500, InputEvent{InputEvent::Kind::KeyDown, 13, 0, 0, {}}});   // answered
    auto& s = m.rt->load<Screen>();
    m.rt->show(s);
    s.addTimer("ask", 500, true, [&] {
        s.timers()[0]->setEnabled(false);
        m.rt->boxes().msgBox("Quit?", "Korvane", BoxButtons::YesNo, BoxIcon::Question);
    });
    m.run();
    // The screen, the box, the box with the focus moved, the screen again.
    EXPECT_EQ(m.display.presents, 4);
}

TEST(FramesInPlay, AMovingSpriteIsShownWhereItIsAtMostOncePerRefresh) {
    FakeMachine m(1000, true);
    auto& s = m.rt->load<Screen>();
    m.rt->show(s);
    Timer* move = nullptr;
    move = &s.addTimer("move", 2, true, [&] {
        s.sprite->setLeft(s.sprite->left() + 1);
        if (s.sprite->left() >= 300) move->setEnabled(false);
    });
    m.run();
    const auto& at = m.display.presentedAt;
    ASSERT_GE(at.size(), 30u);
    EXPECT_LE(at.size(), 1000u / 16 + 1);
    for (std::size_t i = 1; i < at.size(); ++i) EXPECT_GE(at[i] - at[i - 1], 15u) << "frame " << i;
    // The last frame shows the sprite where it stopped (the fake pictures are 4 x 4, orange).
    const int left = s.sprite->left();
    EXPECT_EQ(m.display.lastFrame.pixel(left + 1, 11), Color(200, 100, 50));
    EXPECT_EQ(m.display.lastFrame.pixel(left - 3, 11), kBlack);
}

TEST(FramesInPlay, AStillScreenSleepsUntilItsNextTimer) {
    FakeMachine m(10000, true);
    auto& s = m.rt->load<Screen>();
    m.rt->show(s);
    int ticks = 0;
    s.addTimer("slow", 500, true, [&] { ++ticks; });
    m.run();
    EXPECT_EQ(ticks, 19);
    // One sleep per tick, give or take: no spinning while nothing is due.
    EXPECT_LE(m.display.waits, 2 * ticks + 2);
    EXPECT_EQ(m.display.presents, 1);
}

TEST(FramesInPlay, ABlockingEffectShowsEveryStepAsItDrawsIt) {
    FakeMachine m(2000, true);
    auto& s = m.rt->load<Screen>();
    m.rt->show(s);
    s.addTimer("effect", 100, true, [&] {
        s.timers()[0]->setEnabled(false);
        for (int step = 0; step < 10; ++step) {
            s.field->canvas().fillRect(Rect{0, step * 10, 400, 10}, kWhite);
            m.rt->busyWaitUntil(m.rt->now() + 20);
        }
    });
    m.run();
    // The first frame, then one per step.
    EXPECT_EQ(m.display.presents, 11);
}

TEST(FramesInPlay, AFormNotShownOrUnderAFullScreenFormChangesNothingOnScreen) {
    FakeMachine m(2000, true);
    auto& under = m.rt->load<Screen>();
    m.rt->show(under);
    auto& hidden = m.rt->load<Screen>();
    auto& over = m.rt->load<Form>("Scores", 800, 600);
    m.rt->show(over);
    auto& dialog = m.rt->load<Form>("Dialog", 200, 100);
    int x = 0;
    under.addTimer("move", 20, true, [&] {
        under.sprite->setLeft(++x);
        hidden.sprite->setLeft(x);
        if (x == 50) m.rt->show(dialog);   // a small form over both: seen
    });
    m.run();
    EXPECT_EQ(m.display.presents, 2);
}

TEST(Composing, TheReusedFrameIsClearedWhereNoControlCovers) {
    FakeMachine m;
    auto& s = m.rt->load<Screen>();
    s.backColor = Color(0, 0, 80);
    m.rt->show(s);
    s.field->canvas().fill(Color(10, 20, 30));
    m.rt->frames().compose();
    // Hide the field: what it covered must be the form's colour, not the old picture.
    s.field->setVisible(false);
    const Surface& frame = m.rt->frames().compose();
    EXPECT_EQ(frame.pixel(100, 100), Color(0, 0, 80));
    EXPECT_EQ(frame.pixel(799, 599), Color(0, 0, 80));
    // A smaller form over nothing: black around it.
    s.hide();
    auto& small = m.rt->load<Form>("Small", 100, 100);
    small.backColor = Color(80, 0, 0);
    m.rt->show(small);
    const Surface& again = m.rt->frames().compose();
    EXPECT_EQ(again.pixel(50, 50), Color(80, 0, 0));
    EXPECT_EQ(again.pixel(300, 300), kBlack);
}

}  // namespace
