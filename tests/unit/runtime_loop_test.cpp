// The event loop: timer order and coalescing, disabling inside a tick, modal
// loops, boxes freezing timers, busy-waits queueing input, the end of a run.
#include <gtest/gtest.h>

#include <algorithm>

#include <nlohmann/json.hpp>

#include "support/fakes.h"

using namespace kv;
using kvtest::FakeMachine;

namespace {

struct Log {
    std::vector<std::string> lines;
    void add(Runtime& rt, const std::string& what) { lines.push_back(what + "@" + std::to_string(rt.now())); }
};

struct TestForm : Form {
    TestForm(Runtime& rt, std::string name, Log& log) : Form(rt, std::move(name), 100, 100), log(log) {}
    Log& log;
    std::function<void(int)> onKey;
    void keyDown(int vk) override {
        log.add(rt(), name() + ".key" + std::to_string(vk));
        if (onKey) onKey(vk);
    }
};

using Lines = std::vector<std::string>;

// A form "F" loaded and shown, logging its keys.
TestForm& shownForm(FakeMachine& m, Log& log) {
    auto& f = m.rt->load<TestForm>("F", log);
    m.rt->show(f);
    return f;
}

}  // namespace

TEST(EventLoop, TimersFireByDueTimeAndTiesInCreationOrder) {
    FakeMachine m(61);
    Log log;
    auto& f = shownForm(m, log);
    f.addTimer("A", 30, true, [&] { log.add(*m.rt, "A"); });
    f.addTimer("B", 20, true, [&] { log.add(*m.rt, "B"); });
    f.addTimer("C", 30, true, [&] { log.add(*m.rt, "C"); });
    m.run();
    EXPECT_EQ(log.lines, (Lines{"B@20", "A@30", "C@30", "B@40", "A@60", "B@60", "C@60"}));
}

TEST(EventLoop, ATickThatRunsLongIsFollowedByOneTickNotABurst) {
    FakeMachine m(70);
    Log log;
    auto& f = shownForm(m, log);
    bool first = true;
    f.addTimer("T", 10, true, [&] {
        log.add(*m.rt, "T");
        if (first) {
            first = false;
            m.rt->busyWaitUntil(45);
        }
    });
    m.run();
    EXPECT_EQ(log.lines, (Lines{"T@10", "T@45", "T@55", "T@65"}));
}

TEST(EventLoop, DisablingInsideATickTakesEffectAtOnce) {
    FakeMachine m(35);
    Log log;
    auto& f = shownForm(m, log);
    Timer* b = nullptr;
    Timer* a = &f.addTimer("A", 10, true, [&] {
        log.add(*m.rt, "A");
        b->setEnabled(false);
    });
    b = &f.addTimer("B", 10, true, [&] { log.add(*m.rt, "B"); });
    f.addTimer("C", 15, true, [&] {
        log.add(*m.rt, "C");
        a->setEnabled(false);
    });
    m.run();
    EXPECT_EQ(log.lines, (Lines{"A@10", "C@15", "C@30"}));
}

TEST(EventLoop, EnablingOrChangingTheIntervalSchedulesOneIntervalLater) {
    FakeMachine m(100);
    Log log;
    auto& f = shownForm(m, log);
    Timer& t = f.addTimer("T", 50, false, [&] { log.add(*m.rt, "T"); });
    f.addTimer("Start", 7, true, [&] {
        Timer& self = *f.timers()[1];
        self.setEnabled(false);
        t.setEnabled(true);      // first tick at 57
    });
    f.addTimer("Change", 60, true, [&] {
        f.timers()[2]->setEnabled(false);
        t.setInterval(30);       // rescheduled: 90
    });
    m.run();
    EXPECT_EQ(log.lines, (Lines{"T@57", "T@90"}));
}

TEST(EventLoop, TimersUnderAModalFormKeepRunningAndInputGoesToIt) {
    FakeMachine m(200);
    Log log;
    m.rt->setScript(ScriptSource::fromText("35 key 65\n"));
    auto& base = m.rt->load<TestForm>("Base", log);
    m.rt->show(base);
    base.addTimer("T", 20, true, [&] { log.add(*m.rt, "T"); });
    base.addTimer("Open", 25, true, [&] {
        base.timers()[1]->setEnabled(false);
        auto& modal = m.rt->load<TestForm>("Modal", log);
        modal.addTimer("Close", 40, true, [&] { modal.unload(); });
        m.rt->runModal(modal);
        log.add(*m.rt, "closed");
    });
    m.run();
    Lines got(log.lines.begin(), log.lines.begin() + 6);
    EXPECT_EQ(got, (Lines{"T@20", "Modal.key65@35", "T@40", "T@60", "closed@65", "T@80"}));
}

TEST(EventLoop, AMessageBoxFreezesTheTimersUnderneath) {
    FakeMachine m(130);
    Log log;
    m.rt->setScript(ScriptSource::fromText("100 press OK\n"));
    auto& f = shownForm(m, log);
    f.addTimer("T", 10, true, [&] { log.add(*m.rt, "T"); });
    f.addTimer("Box", 15, true, [&] {
        f.timers()[1]->setEnabled(false);
        BoxAnswer a = m.rt->msgBox("Hello\rWorld", "Title", BoxButtons::OK, BoxIcon::Information);
        log.add(*m.rt, std::string("answer ") + answerName(a));
    });
    m.run();
    // T was due at 20 when the box opened at 15; it resumes 85 ms late.
    EXPECT_EQ(log.lines, (Lines{"T@10", "answer OK@100", "T@105", "T@115", "T@125"}));
    ASSERT_EQ(m.rt->messages().size(), 1u);
    EXPECT_EQ(m.rt->messages()[0].text, "Hello\rWorld");
    EXPECT_EQ(m.rt->messages()[0].answer, "OK");
}

TEST(EventLoop, InputDuringABusyWaitIsQueuedAndHandledAfterwards) {
    FakeMachine m(300);
    Log log;
    m.rt->setScript(ScriptSource::fromText("50 key 37\n50 key 39\n"));
    auto& f = shownForm(m, log);
    f.addTimer("Busy", 10, true, [&] {
        f.timers()[0]->setEnabled(false);
        log.add(*m.rt, "busy");
        m.rt->busyWaitUntil(120);
        log.add(*m.rt, "done");
    });
    m.run();
    EXPECT_EQ(log.lines, (Lines{"busy@10", "done@120", "F.key37@120", "F.key39@120"}));
}

TEST(EventLoop, DoEventsLetsWaitingInputRunInsideAHandler) {
    FakeMachine m(100);
    Log log;
    m.rt->setScript(ScriptSource::fromText("10 key 17\n"));
    auto& f = shownForm(m, log);
    f.addTimer("T", 10, true, [&] {
        f.timers()[0]->setEnabled(false);
        log.add(*m.rt, "before");
        m.rt->doEvents();
        log.add(*m.rt, "after");
    });
    m.run();
    // The script action at 10 runs before the timer due at 10.
    EXPECT_EQ(log.lines, (Lines{"F.key17@10", "before@10", "after@10"}));
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

TEST(EventLoop, KeysQueuedForOneMomentDoNotNestWithoutBound) {
    FakeMachine m;
    m.rt->setScript(ScriptSource::fromText("10 keys 65 100000 0\n"));
    auto& f = m.rt->load<NestingForm>();
    m.rt->show(f);
    m.run();
    EXPECT_EQ(f.keys, 100000);
    EXPECT_LE(f.deepestDispatch, Runtime::kMaxNestedDispatch);
    EXPECT_LE(f.deepest, Runtime::kMaxNestedDispatch);
}

TEST(EventLoop, AHeldKeyRepeatingInPlayRunsEachKeyAtItsTimeOnTheOuterLoop) {
    FakeMachine m;
    m.rt->setScript(ScriptSource::fromText("10 keys 65 50 30\n"));
    auto& f = m.rt->load<NestingForm>();
    m.rt->show(f);
    m.run();
    ASSERT_EQ(f.keyTimes.size(), 50u);
    for (std::size_t i = 0; i < f.keyTimes.size(); ++i) EXPECT_EQ(f.keyTimes[i], 10 + 30 * i);
    EXPECT_EQ(f.deepest, 1);
}

TEST(EventLoop, UntilLetsABlockingEffectFinishAndCarriesOutEarlierActions) {
    FakeMachine m(100);
    Log log;
    m.rt->setScript(ScriptSource::fromText("95 key 65\n100 key 66\n"));
    auto& f = shownForm(m, log);
    f.addTimer("T", 90, true, [&] { m.rt->busyWaitUntil(150); });
    m.run();
    EXPECT_EQ(m.rt->now(), 150u);
    EXPECT_EQ(log.lines, (Lines{"F.key65@150"}));
}

TEST(EventLoop, AFormMayUnloadItselfInItsOwnHandler) {
    FakeMachine m(100);
    Log log;
    auto& f = shownForm(m, log);
    f.addTimer("T", 10, true, [&] {
        f.unload();
        log.add(*m.rt, "still here");   // the form lives until the handler returns
    });
    m.run();
    EXPECT_EQ(log.lines, (Lines{"still here@10"}));
    EXPECT_TRUE(m.rt->loadedForms().empty());
}

TEST(EventLoop, PressingAMissingControlIsReportedAndIgnored) {
    FakeMachine m(50);
    Log log;
    m.rt->setScript(ScriptSource::fromText("10 press Nothing\n20 press Go\n"));
    auto& f = shownForm(m, log);
    auto& b = f.add<Button>("Go", nullptr, Rect{0, 0, 10, 10}, "Go");
    b.onClick = [&] { log.add(*m.rt, "Go"); };
    testing::internal::CaptureStderr();
    m.run();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("no control named Nothing"), std::string::npos);
    EXPECT_EQ(log.lines, (Lines{"Go@20"}));
}

TEST(EventLoop, TheDumpDescribesFormsControlsTimersAndTheBox) {
    FakeMachine m(40);
    Log log;
    m.rt->setScript(ScriptSource::fromText("30 dump -\n"));
    auto& f = shownForm(m, log);
    auto& l = f.add<Label>("Caption", nullptr, Rect{1, 2, 30, 10}, "Hi");
    l.setForeColor(Color(0, 200, 0));
    f.addTimer("T", 25, true, [&] { m.rt->msgBox("Boom", "Oops", BoxButtons::YesNo, BoxIcon::Question); });
    m.run();
    nlohmann::json d;
    m.rt->describe(d);
    EXPECT_EQ(d["forms"], nlohmann::json::array({"F"}));
    EXPECT_EQ(d["form"]["F"]["controls"]["Caption"]["caption"], "Hi");
    EXPECT_EQ(d["form"]["F"]["controls"]["Caption"]["forecolor"], nlohmann::json::array({0, 200, 0}));
    EXPECT_EQ(d["form"]["F"]["timers"]["T"]["interval"], 25);
    EXPECT_EQ(d["box"]["kind"], "question");
    EXPECT_EQ(d["box"]["title"], "Oops");
}

TEST(PlayMode, TheClockFollowsTheWallClockFromOneDueEventToTheNext) {
    FakeMachine m(1000, true);
    Log log;
    m.display.pending.push_back({230, InputEvent{InputEvent::Kind::KeyDown, 39, 0, 0, {}}});
    auto& f = shownForm(m, log);
    f.addTimer("T", 300, true, [&] { log.add(*m.rt, "T"); });
    m.run();
    EXPECT_EQ(log.lines, (Lines{"F.key39@230", "T@300", "T@600", "T@900"}));
    EXPECT_EQ(m.display.presents, 1);   // nothing on the screen changed
}

TEST(PlayMode, ClosingTheWindowEndsTheRunEvenDuringABlockingEffect) {
    FakeMachine m(std::nullopt, true);
    Log log;
    m.display.pending.push_back({50, InputEvent{InputEvent::Kind::Close, 0, 0, 0, {}}});
    auto& f = shownForm(m, log);
    f.addTimer("Busy", 10, true, [&] {
        m.rt->busyWaitUntil(5000);
        log.add(*m.rt, "finished");
    });
    EXPECT_EQ(m.run(), 0);
    EXPECT_TRUE(log.lines.empty());
    EXPECT_LT(m.rt->now(), 100u);
    EXPECT_GE(m.display.presents, 1);   // the effect was shown while it ran
}
