// In a window a frame is presented only when something visible changed, at
// most once per display refresh, and the loop sleeps in between; blocking
// effects still show their steps. Driven on the fake display in play mode.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "support/fakes.h"

using namespace kv;
using kvtest::FakeMachine;

namespace {

// A screen with one of each kind of control.
struct Screen : Form {
    explicit Screen(Runtime& rt) : Form(rt, "Screen", 800, 600) {
        sprite->setPicture(rt.pictures().get("sprite"));
        other->setVisible(false);
    }
    PictureBox* field = &add<PictureBox>("field", nullptr, Rect{0, 0, 400, 300}, kBlack);
    Image* sprite = &add<Image>("sprite", field, Rect{10, 10, 4, 4});
    Label* label = &add<Label>("label", nullptr, Rect{420, 10, 200, 20}, "Score 0");
    Button* button = &add<Button>("button", nullptr, Rect{420, 40, 100, 24}, "Go");
    TextBox* text = &add<TextBox>("text", nullptr, Rect{420, 80, 100, 24});
    CheckBox* check = &add<CheckBox>("check", nullptr, Rect{420, 120, 100, 24}, "Sound");
    PictureBox* other = &add<PictureBox>("other", nullptr, Rect{420, 200, 50, 50}, kBlack);
};

// Only the areas that changed are composed again and presented: after every
// kind of change the screen holds what a whole compose gives, and a frame is
// presented exactly when something visible changed.
TEST(FramesInPlay, PresentingOnlyTheChangedAreasShowsWhatAWholeComposeWould) {
    FakeMachine m(3000, true);
    auto& s = m.rt->load<Screen>();
    auto& hidden = m.rt->load<Screen>();
    auto& over = m.rt->load<Form>("Over", 200, 100);
    auto& cover = m.rt->load<Form>("Cover", 800, 600);
    over.backColor = Color(90, 0, 0);
    m.rt->show(s);
    const Picture bar{"bar", std::make_shared<const Surface>(12, 3, Color(0, 0, 255)), true};
    struct Step { const char* what; std::function<void()> change; int frames; };
    const std::vector<Step> steps = {
        {"nothing", [] {}, 0},
        {"a sprite moves", [&] { s.sprite->move(50, 60); }, 1},
        {"a sprite is put where it is", [&] { s.sprite->move(50, 60); }, 0},
        {"a sprite changes its picture", [&] { s.sprite->setPicture(bar); }, 1},
        {"a picture box is drawn into", [&] { s.field->canvas().fillRect(Rect{100, 100, 30, 30}, kWhite); }, 1},
        {"a hidden picture box is drawn into", [&] { s.other->canvas().setPixel(1, 1, kWhite); }, 0},
        {"a label hides", [&] { s.label->setVisible(false); }, 1},
        {"a hidden picture box shows", [&] { s.other->setVisible(true); }, 1},
        {"a label gets a new caption", [&] { s.label->setVisible(true), s.label->setCaption("Score 10"); }, 1},
        {"a label gets its own caption again", [&] { s.label->setCaption("Score 10"); }, 0},
        {"a label changes colour", [&] { s.label->setForeColor(Color(0, 200, 0)); }, 1},
        {"a button is disabled", [&] { s.button->enabled = false; }, 1},
        {"a text box takes text", [&] { s.text->type("Ann"); }, 1},
        {"a check box is ticked", [&] { s.check->setValue(true); }, 1},
        {"the focus moves", [&] { s.setFocus(s.button); }, 1},
        {"the form's colour changes", [&] { s.backColor = Color(0, 0, 80); }, 1},
        {"a form shows over it", [&] { m.rt->show(over); }, 1},
        {"that form closes", [&] { over.unload(); }, 1},
        {"a form not shown changes", [&] { hidden.sprite->move(70, 70); }, 0},
        {"a full-screen form covers it", [&] { m.rt->show(cover); }, 1},
        {"a sprite moves under the full-screen form", [&] { s.sprite->move(10, 10); }, 0},
        {"the full-screen form hides", [&] { m.rt->hide(cover); }, 1},
    };
    std::size_t done = 0;
    int presents = 0;
    Timer* step = nullptr;
    step = &s.addTimer("step", 50, true, [&] {
        if (done > 0) {
            const Step& last = steps[done - 1];
            EXPECT_EQ(m.display.presents - presents, last.frames) << "frames after " << last.what;
            const Surface& shown = m.display.lastFrame;
            EXPECT_TRUE(std::equal(shown.data(), shown.data() + 800 * 600, m.rt->frames().compose().data()))
                << "pixels after " << last.what;
        }
        presents = m.display.presents;
        if (done == steps.size()) return step->setEnabled(false);
        steps[done++].change();
    });
    m.run();
    EXPECT_EQ(done, steps.size());
}

// Runs a screen in play until `until`, with a change made at `at`.
struct Played {
    FakeMachine m;
    Screen& s;
    Played(std::uint64_t until, int at, std::function<void(Played&)> change)
        : m(until, true), s(m.rt->load<Screen>()) {
        m.rt->show(s);
        auto once = std::make_shared<Timer*>();
        *once = &s.addTimer("once", at, true, [this, once, change] { (*once)->setEnabled(false), change(*this); });
        m.run();
    }
};

TEST(FramesInPlay, ABoxShowsWhenItOpensAndAgainForEachKeyItTakes) {
    Played p(3000, 500, [](Played& p) {
        p.m.display.pending = {{1000, InputEvent{InputEvent::Kind::KeyDown, 39, 0, 0, {}}},    // focus moves
                               {1500, InputEvent{InputEvent::Kind::KeyDown, 13, 0, 0, {}}}};   // answered
        p.m.rt->boxes().msgBox("Quit?", "Korvane", BoxButtons::YesNo, BoxIcon::Question);
    });
    // The screen, the box, the box with the focus moved, the screen again.
    EXPECT_EQ(p.m.display.presents, 4);
}

TEST(FramesInPlay, ABlockingEffectShowsEveryStepAsItDrawsIt) {
    Played p(2000, 100, [](Played& p) {
        for (int step = 0; step < 10; ++step) {
            p.s.field->canvas().fillRect(Rect{0, step * 10, 400, 10}, kWhite);
            p.m.rt->busyWaitUntil(p.m.rt->now() + 20);
        }
    });
    EXPECT_EQ(p.m.display.presents, 11);   // the first frame, then one per step
}

TEST(FramesInPlay, AMovingSpriteIsShownAtMostOncePerRefresh) {
    Played p(1000, 1, [](Played& p) {
        p.s.addTimer("move", 2, true, [&p] { p.s.sprite->setLeft(std::min(p.s.sprite->left() + 1, 300)); });
    });
    const auto& at = p.m.display.presentedAt;
    ASSERT_GE(at.size(), 30u);
    for (std::size_t i = 1; i < at.size(); ++i) EXPECT_GE(at[i] - at[i - 1], 15u) << "frame " << i;
}

TEST(FramesInPlay, AStillScreenSleepsUntilItsNextTimer) {
    int ticks = 0;
    Played p(10000, 500, [&ticks](Played& p) { p.s.addTimer("slow", 500, true, [&ticks] { ++ticks; }); });
    EXPECT_EQ(ticks, 18);
    // One sleep per tick, give or take: no spinning while nothing is due.
    EXPECT_LE(p.m.display.waits, 2 * ticks + 2);
    EXPECT_EQ(p.m.display.presents, 1);
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
    EXPECT_EQ(m.rt->frames().compose().pixel(100, 100), Color(0, 0, 80));
    // A smaller form over nothing: black around it.
    s.hide();
    m.rt->show(m.rt->load<Form>("Small", 100, 100));
    EXPECT_EQ(m.rt->frames().compose().pixel(300, 300), kBlack);
}

}  // namespace
