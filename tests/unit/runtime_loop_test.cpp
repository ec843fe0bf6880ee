// The event loop: timer order and coalescing, disabling inside a tick, modal
// loops, boxes freezing timers, busy-waits queueing input, the end of a run.
// (The state dump every scenario test reads is checked by them all.)
#include <gtest/gtest.h>

#include <algorithm>

#include "support/fakes.h"

using namespace kv;
using kvtest::FakeMachine;
using Lines = std::vector<std::string>;

namespace {

struct Log {
    Lines lines;
    void add(Runtime& rt, const std::string& what) { lines.push_back(what + "@" + std::to_string(rt.now())); }
};

struct TestForm : Form {
    TestForm(Runtime& rt, std::string name, Log& log) : Form(rt, std::move(name), 100, 100), log(log) {}
    Log& log;
    void keyDown(int vk) override { log.add(rt(), name() + ".key" + std::to_string(vk)); }
};

// A form "F" shown on a fresh machine, logging its keys; the run ends at `until`.
struct Loop {
    FakeMachine m;
    Log log;
    TestForm& f;
    explicit Loop(std::optional<std::uint64_t> until, const std::string& script = "", bool playMode = false)
        : m(until, playMode), f(m.rt->load<TestForm>("F", log)) {
        m.rt->scripts().setScript(ScriptSource::fromText(script));
        m.rt->show(f);
    }
    void note(const std::string& what) { log.add(*m.rt, what); }
    Timer& every(const std::string& name, int ms, std::function<void()> tick) {
        return f.addTimer(name, ms, true, std::move(tick));
    }
};

}  // namespace

TEST(EventLoop, TimersFireByDueTimeAndTiesInCreationOrder) {
    Loop l(61);
    for (auto [name, ms] : {std::pair{"A", 30}, {"B", 20}, {"C", 30}}) l.every(name, ms, [&l, n = name] { l.note(n); });
    l.m.run();
    EXPECT_EQ(l.log.lines, (Lines{"B@20", "A@30", "C@30", "B@40", "A@60", "B@60", "C@60"}));
}

TEST(EventLoop, ATickThatRunsLongIsFollowedByOneTickNotABurst) {
    Loop l(70);
    l.every("T", 10, [&] {
        l.note("T");
        if (l.log.lines.size() == 1) l.m.rt->busyWaitUntil(45);
    });
    l.m.run();
    EXPECT_EQ(l.log.lines, (Lines{"T@10", "T@45", "T@55", "T@65"}));
}

TEST(EventLoop, DisablingInsideATickTakesEffectAtOnce) {
    Loop l(35);
    Timer* b = nullptr;
    Timer& a = l.every("A", 10, [&] {
        l.note("A");
        b->setEnabled(false);
    });
    b = &l.every("B", 10, [&] { l.note("B"); });
    l.every("C", 15, [&] {
        l.note("C");
        a.setEnabled(false);
    });
    l.m.run();
    EXPECT_EQ(l.log.lines, (Lines{"A@10", "C@15", "C@30"}));
}

TEST(EventLoop, EnablingOrChangingTheIntervalSchedulesOneIntervalLater) {
    Loop l(100);
    Timer& t = l.f.addTimer("T", 50, false, [&] { l.note("T"); });
    Timer* start = &l.every("Start", 7, [&] {
        start->setEnabled(false);
        t.setEnabled(true);   // first tick at 57
    });
    Timer* change = &l.every("Change", 60, [&] {
        change->setEnabled(false);
        t.setInterval(30);    // rescheduled: 90
    });
    l.m.run();
    EXPECT_EQ(l.log.lines, (Lines{"T@57", "T@90"}));
}

TEST(EventLoop, TimersUnderAModalFormKeepRunningAndInputGoesToIt) {
    Loop l(200, "35 key 65\n");
    l.every("T", 20, [&] { l.note("T"); });
    Timer* open = &l.every("Open", 25, [&] {
        open->setEnabled(false);
        auto& modal = l.m.rt->load<TestForm>("Modal", l.log);
        modal.addTimer("Close", 40, true, [&] { modal.unload(); });
        l.m.rt->runModal(modal);
        l.note("closed");
    });
    l.m.run();
    Lines got(l.log.lines.begin(), l.log.lines.begin() + 6);
    EXPECT_EQ(got, (Lines{"T@20", "Modal.key65@35", "T@40", "T@60", "closed@65", "T@80"}));
}

TEST(EventLoop, AMessageBoxFreezesTheTimersUnderneath) {
    Loop l(130, "100 press OK\n");
    l.every("T", 10, [&] { l.note("T"); });
    Timer* box = &l.every("Box", 15, [&] {
        box->setEnabled(false);
        BoxAnswer a = l.m.rt->boxes().msgBox("Hello\rWorld", "Title", BoxButtons::OK, BoxIcon::Information);
        l.note(std::string("answer ") + answerName(a));
    });
    l.m.run();
    // T was due at 20 when the box opened at 15; it resumes 85 ms late.
    EXPECT_EQ(l.log.lines, (Lines{"T@10", "answer OK@100", "T@105", "T@115", "T@125"}));
    ASSERT_EQ(l.m.rt->boxes().messages().size(), 1u);
    EXPECT_EQ(l.m.rt->boxes().messages()[0].text, "Hello\rWorld");
}

TEST(EventLoop, InputDuringABusyWaitIsQueuedAndHandledAfterwards) {
    Loop l(300, "50 key 37\n50 key 39\n");
    Timer* busy = &l.every("Busy", 10, [&] {
        busy->setEnabled(false);
        l.note("busy");
        l.m.rt->busyWaitUntil(120);
        l.note("done");
    });
    l.m.run();
    EXPECT_EQ(l.log.lines, (Lines{"busy@10", "done@120", "F.key37@120", "F.key39@120"}));
}

TEST(EventLoop, DoEventsLetsWaitingInputRunInsideAHandler) {
    Loop l(100, "10 key 17\n");
    Timer* t = &l.every("T", 10, [&] {
        t->setEnabled(false);
        l.note("before");
        l.m.rt->doEvents();
        l.note("after");
    });
    l.m.run();
    // The script action at 10 runs before the timer due at 10.
    EXPECT_EQ(l.log.lines, (Lines{"F.key17@10", "before@10", "after@10"}));
}

TEST(EventLoop, UntilLetsABlockingEffectFinishAndCarriesOutEarlierActions) {
    Loop l(100, "95 key 65\n100 key 66\n");
    l.every("T", 90, [&] { l.m.rt->busyWaitUntil(150); });
    l.m.run();
    EXPECT_EQ(l.m.rt->now(), 150u);
    EXPECT_EQ(l.log.lines, (Lines{"F.key65@150"}));
}

TEST(EventLoop, AFormMayUnloadItselfInItsOwnHandler) {
    Loop l(100);
    l.every("T", 10, [&] {
        l.f.unload();
        l.note("still here");   // the form lives until the handler returns
    });
    l.m.run();
    EXPECT_EQ(l.log.lines, (Lines{"still here@10"}));
    EXPECT_TRUE(l.m.rt->forms().loaded().empty());
}

TEST(EventLoop, PressingAMissingControlIsReportedAndIgnored) {
    Loop l(50, "10 press Nothing\n20 press Go\n");
    l.f.add<Button>("Go", nullptr, Rect{0, 0, 10, 10}, "Go").onClick = [&] { l.note("Go"); };
    testing::internal::CaptureStderr();
    l.m.run();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("no control named Nothing"), std::string::npos);
    EXPECT_EQ(l.log.lines, (Lines{"Go@20"}));
}

// A form that moves like the planet screen: every key lets waiting events run
// once per bullet slot, so queued keys run inside each other.
struct NestingForm : Form {
    NestingForm(Runtime& rt) : Form(rt, "F", 100, 100) {}
    int keys = 0, depth = 0, deepest = 0, deepestDispatch = 0;
    std::vector<std::uint64_t> keyTimes;
    void keyDown(int) override {
        ++keys;
        keyTimes.push_back(rt().now());
        deepest = std::max(deepest, ++depth);
        deepestDispatch = std::max(deepestDispatch, rt().dispatchDepth());
        for (int slot = 1; slot <= 5; ++slot) rt().doEvents();
        --depth;
    }
};

TEST(EventLoop, KeysQueuedForOneMomentDoNotNestWithoutBoundAndHeldKeysDoNotNestAtAll) {
    for (auto [script, keys] : {std::pair{"10 keys 65 100000 0\n", 100000}, {"10 keys 65 50 30\n", 50}}) {
        FakeMachine m;
        m.rt->scripts().setScript(ScriptSource::fromText(script));
        auto& f = m.rt->load<NestingForm>();
        m.rt->show(f);
        m.run();
        EXPECT_EQ(f.keys, keys);
        EXPECT_LE(f.deepestDispatch, Runtime::kMaxNestedDispatch);
        EXPECT_LE(f.deepest, Runtime::kMaxNestedDispatch);
        if (keys == 50) {
            // A held key repeating in play runs each key at its time on the outer loop.
            EXPECT_EQ(f.deepest, 1);
            for (std::size_t i = 0; i < f.keyTimes.size(); ++i) EXPECT_EQ(f.keyTimes[i], 10 + 30 * i);
        }
    }
}

InputEvent windowEvent(InputEvent::Kind kind, int vk = 0) { return InputEvent{kind, vk, 0, 0, {}}; }

TEST(PlayMode, TheClockFollowsTheWallClockFromOneDueEventToTheNext) {
    Loop l(1000, "", true);
    l.m.display.pending.push_back({230, windowEvent(InputEvent::Kind::KeyDown, 39)});
    l.m.display.pending.push_back({240, windowEvent(InputEvent::Kind::KeyUp, 39)});
    l.every("T", 300, [&] { l.note("T"); });
    l.m.run();
    EXPECT_EQ(l.log.lines, (Lines{"F.key39@230", "T@300", "T@600", "T@900"}));
    EXPECT_EQ(l.m.display.presents, 1);   // nothing on the screen changed
}

// Runs what at the given time, once.
void once(Loop& l, int at, std::function<void()> what) {
    auto timer = std::make_shared<Timer*>();
    *timer = &l.f.addTimer("Once", at, true, [timer, what] {
        (*timer)->setEnabled(false);
        what();
    });
}

// A key held from 200: the game's own repeats, and what ends them.
struct HeldKeyCase {
    const char* name;
    std::vector<std::pair<std::uint64_t, InputEvent>> then;   // after the press
    std::function<void(Loop&)> scene;                        // more going on meanwhile
    Lines keys;                                               // F's keys, from the press on
};
class HeldKey : public testing::TestWithParam<HeldKeyCase> {};
TEST_P(HeldKey, RepeatsAfterHalfASecondEvery33MsUntilLetGo) {
    const HeldKeyCase& c = GetParam();
    Loop l(900, "", true);
    l.m.display.pending.push_back({200, windowEvent(InputEvent::Kind::KeyDown, 17)});
    for (const auto& e : c.then) l.m.display.pending.push_back(e);
    if (c.scene) c.scene(l);
    l.m.run();
    EXPECT_EQ(l.log.lines, c.keys);
}
INSTANTIATE_TEST_SUITE_P(
    PlayMode, HeldKey,
    testing::Values(
        HeldKeyCase{"ReleasedAt800", {{800, windowEvent(InputEvent::Kind::KeyUp, 17)}}, {},
                    {"F.key17@200", "F.key17@700", "F.key17@733", "F.key17@766", "F.key17@799"}},
        HeldKeyCase{"ReleasedBeforeHalfASecond", {{650, windowEvent(InputEvent::Kind::KeyUp, 17)}}, {},
                    {"F.key17@200"}},
        HeldKeyCase{"FocusLostAt740", {{740, windowEvent(InputEvent::Kind::FocusLost)}}, {},
                    {"F.key17@200", "F.key17@700", "F.key17@733"}},
        // Another screen comes up: the held key does not repeat into it.
        HeldKeyCase{"AScreenComesUpAt750",
                    {},
                    [](Loop& l) {
                        once(l, 750, [&l] { l.m.rt->show(l.m.rt->load<TestForm>("G", l.log)); });
                    },
                    {"F.key17@200", "F.key17@700", "F.key17@733"}},
        // A busy game catches up with one repeat, not a burst.
        HeldKeyCase{"TheGameBusyFrom690To800",
                    {{860, windowEvent(InputEvent::Kind::KeyUp, 17)}},
                    [](Loop& l) { once(l, 690, [&l] { l.m.rt->busyWaitUntil(800); }); },
                    {"F.key17@200", "F.key17@801", "F.key17@833"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlayMode, ClosingTheWindowDuringABlockingEffectEndsTheRunOnceItIsOver) {
    Loop l(std::nullopt, "", true);
    l.m.display.pending.push_back({50, windowEvent(InputEvent::Kind::Close)});
    once(l, 10, [&] {
        l.m.rt->busyWaitUntil(400);
        l.note("finished");
    });
    EXPECT_EQ(l.m.run(), 0);
    EXPECT_EQ(l.log.lines, (Lines{"finished@400"}));
    EXPECT_GE(l.m.display.presents, 1);   // the effect was shown while it ran
}
