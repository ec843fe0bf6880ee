// The event loop: timer order and coalescing, disabling inside a tick, modal
// loops, boxes freezing timers, busy-waits queueing input, unloaded forms'
// timers, held keys in a window, the end of a run.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/case_names.h"
#include "support/fakes.h"

using namespace kv;
using kvtest::FakeMachine;
using Lines = std::vector<std::string>;
using Window = std::vector<std::pair<std::uint64_t, InputEvent>>;
using Kind = InputEvent::Kind;

namespace {

struct TestForm : Form {
    TestForm(Runtime& rt, std::string name, Lines& log) : Form(rt, std::move(name), 100, 100), log(log) {}
    Lines& log;
    void note(const std::string& what) { log.push_back(what + "@" + std::to_string(rt().now())); }
    void keyDown(int vk) override { note(name() + ".key" + std::to_string(vk)); }
};

// A form "F" shown on a fresh machine, logging its keys; the run ends at `until`.
struct Loop {
    FakeMachine m;
    Lines log;
    TestForm& f;
    Loop(std::optional<std::uint64_t> until, const std::string& script, bool play, const Window& window)
        : m(until, play), f(m.rt->load<TestForm>("F", log)) {
        m.rt->scripts().setScript(ScriptSource::fromText(script));
        m.display.pending = window;
        m.rt->show(f);
    }
    Runtime& rt() { return *m.rt; }
    void note(const std::string& what) { f.note(what); }
    Timer& every(const std::string& name, int ms, std::function<void()> tick, TestForm* on = nullptr) {
        return (on ? *on : f).addTimer(name, ms, true, std::move(tick));
    }
    // Runs what after the given time, once.
    void once(int at, std::function<void()> what, TestForm* on = nullptr) {
        auto timer = std::make_shared<Timer*>();
        *timer = &every("Once", at, [timer, what] { (*timer)->setEnabled(false), what(); }, on);
    }
    TestForm& form(const std::string& name) { return m.rt->load<TestForm>(name, log); }
    // A timer that notes its name at each tick.
    void ticks(const std::string& name, int ms, TestForm* on = nullptr) {
        every(name, ms, [this, name] { note(name); }, on);
    }
    // Shows a form modally until it unloads itself after `ms`.
    void modal(int ms, const std::function<void(TestForm&)>& meanwhile = nullptr) {
        auto& modal = form("Modal");
        once(ms, [&modal] { modal.unload(); }, &modal);
        if (meanwhile) meanwhile(modal);
        m.rt->runModal(modal);
        note("closed");
    }
};

InputEvent key(int vk, Kind kind = Kind::KeyDown) { return InputEvent{kind, vk, 0, 0, {}}; }

struct LoopCase {
    const char* name;
    std::optional<std::uint64_t> until;
    std::function<void(Loop&)> scene;
    Lines log;
    const char* script = "";
    bool play = false;   // a window whose wall clock the fake display moves
    Window window = {};
};
void PrintTo(const LoopCase& c, std::ostream* os) { *os << c.name; }
class EventLoop : public testing::TestWithParam<LoopCase> {};
TEST_P(EventLoop, RunsWhatIsDueInOrder) {
    const LoopCase& c = GetParam();
    Loop l(c.until, c.script, c.play, c.window);
    c.scene(l);
    EXPECT_EQ(l.m.run(), 0);
    EXPECT_EQ(l.log, c.log);
}
// A key held from 200 in a window: the game's own repeats, and what ends them.
Window held(Window then) {
    then.insert(then.begin(), {200, key(17)});
    return then;
}
INSTANTIATE_TEST_SUITE_P(
    Cases, EventLoop,
    testing::Values(
        LoopCase{"Timers fire by due time, ties in creation order", 61,
                 [](Loop& l) { l.ticks("A", 30), l.ticks("B", 20), l.ticks("C", 30); },
                 {"B@20", "A@30", "C@30", "B@40", "A@60", "B@60", "C@60"}},
        LoopCase{"A tick that runs long is followed by one tick, not a burst", 70,
                 [](Loop& l) {
                     l.every("T", 10, [&l] { l.note("T"), l.log.size() == 1 ? l.rt().busyWaitUntil(45) : void(); });
                 },
                 {"T@10", "T@45", "T@55", "T@65"}},
        LoopCase{"Disabling inside a tick takes effect at once", 35,
                 [](Loop& l) {
                     auto b = std::make_shared<Timer*>();
                     Timer& a = l.every("A", 10, [&l, b] { l.note("A"), (*b)->setEnabled(false); });
                     *b = &l.every("B", 10, [&l] { l.note("B"); });
                     l.every("C", 15, [&l, &a] { l.note("C"), a.setEnabled(false); });
                 },
                 {"A@10", "C@15", "C@30"}},
        LoopCase{"Enabling or a new interval schedules one interval later", 100,
                 [](Loop& l) {
                     Timer& t = l.f.addTimer("T", 50, false, [&l] { l.note("T"); });
                     l.once(7, [&t] { t.setEnabled(true); });   // first tick at 57
                     l.once(60, [&t] { t.setInterval(30); });   // next at 90
                 },
                 {"T@57", "T@90"}},
        LoopCase{"Timers under a modal form run on and input goes to it", 90,
                 [](Loop& l) { l.ticks("T", 20), l.once(25, [&l] { l.modal(40); }); },
                 {"T@20", "Modal.key65@35", "T@40", "T@60", "closed@65", "T@80"}, "35 key 65\n"},
        // T was due at 20 when the box opened at 15; it resumes 85 ms late.
        LoopCase{"A message box freezes the timers underneath", 130,
                 [](Loop& l) {
                     l.ticks("T", 10);
                     l.once(15, [&l] {
                         BoxAnswer a = l.rt().boxes().msgBox("Hello", "Title", BoxButtons::OK, BoxIcon::Information);
                         l.note(std::string("answer ") + answerName(a));
                     });
                 },
                 {"T@10", "answer OK@100", "T@105", "T@115", "T@125"}, "100 press OK\n"},
        LoopCase{"Input during a busy-wait is queued and handled afterwards", 300,
                 [](Loop& l) { l.once(10, [&l] { l.note("busy"), l.rt().busyWaitUntil(120), l.note("done"); }); },
                 {"busy@10", "done@120", "F.key37@120", "F.key39@120"}, "50 key 37\n50 key 39\n"},
        // The script action at 10 runs before the timer due at 10.
        LoopCase{"doEvents lets waiting input run inside a handler", 100,
                 [](Loop& l) { l.once(10, [&l] { l.note("before"), l.rt().doEvents(), l.note("after"); }); },
                 {"F.key17@10", "before@10", "after@10"}, "10 key 17\n"},
        LoopCase{"The end lets a blocking effect finish and runs the input timed before it", 100,
                 [](Loop& l) { l.every("T", 90, [&l] { l.rt().busyWaitUntil(150); }); },
                 {"F.key65@150"}, "95 key 65\n100 key 66\n"},
        // The form lives until its handler returns.
        LoopCase{"A form may unload itself in its own handler", 100,
                 [](Loop& l) { l.every("T", 10, [&l] { l.f.unload(), l.note("still here"); }); },
                 {"still here@10"}},
        // An unloaded form lives on until the outermost loop comes round: its
        // timers must stop at once, whatever dispatches meanwhile.
        LoopCase{"An unloaded form's timer stays quiet in a dispatch nested in the same handler", 100,
                 [](Loop& l) {
                     auto& g = l.form("G");
                     l.ticks("G", 20, &g);
                     l.once(10, [&l, &g] { g.unload(), l.rt().busyWaitUntil(30), l.rt().doEvents(), l.note("after"); });
                 },
                 {"after@30"}},
        LoopCase{"An unloaded form's timer stays quiet under a modal form", 100,
                 [](Loop& l) {
                     auto& g = l.form("G");
                     l.ticks("G", 20, &g);
                     l.once(5, [&l, &g] { l.modal(80, [&](TestForm& m) { l.once(10, [&g] { g.unload(); }, &m); }); });
                 },
                 {"closed@85"}},
        LoopCase{"In a window the clock follows the wall clock from one due event to the next", 1000,
                 [](Loop& l) { l.ticks("T", 300); },
                 {"F.key39@230", "T@300", "T@600", "T@900"}, "", true,
                 {{230, key(39)}, {240, key(39, Kind::KeyUp)}}},
        LoopCase{"Closing the window in a blocking effect ends the run once it is over", std::nullopt,
                 [](Loop& l) { l.once(10, [&l] { l.rt().busyWaitUntil(400), l.note("finished"); }); },
                 {"finished@400"}, "", true, {{50, key(0, Kind::Close)}}},
        // Held keys repeat after half a second, every 33 ms, until let go.
        LoopCase{"A held key released at 800", 900, [](Loop&) {},
                 {"F.key17@200", "F.key17@700", "F.key17@733", "F.key17@766", "F.key17@799"}, "", true,
                 held({{800, key(17, Kind::KeyUp)}})},
        LoopCase{"A held key when the focus goes at 740", 900, [](Loop&) {},
                 {"F.key17@200", "F.key17@700", "F.key17@733"}, "", true, held({{740, key(0, Kind::FocusLost)}})},
        // The held key does not repeat into another screen.
        LoopCase{"A held key when a screen comes up at 750", 900,
                 [](Loop& l) { l.once(750, [&l] { l.rt().show(l.form("G")); }); },
                 {"F.key17@200", "F.key17@700", "F.key17@733"}, "", true, held({})},
        LoopCase{"A held key catches up a busy game with one repeat, not a burst", 900,
                 [](Loop& l) { l.once(690, [&l] { l.rt().busyWaitUntil(800); }); },
                 {"F.key17@200", "F.key17@801", "F.key17@833"}, "", true, held({{860, key(17, Kind::KeyUp)}})}),
    kvtest::CaseName{});

// A form that moves like the planet screen: every key lets waiting events run
// once per bullet slot, so queued keys run inside each other.
struct NestingForm : Form {
    NestingForm(Runtime& rt) : Form(rt, "F", 100, 100) {}
    int depth = 0, deepest = 0;
    std::vector<std::uint64_t> keyTimes;
    void keyDown(int) override {
        keyTimes.push_back(rt().now());
        deepest = std::max(deepest, ++depth);
        for (int slot = 1; slot <= 5; ++slot) rt().doEvents();
        --depth;
    }
};

// A held key repeating in play runs each key at its time on the outer loop.
TEST(EventLoop, KeysQueuedForOneMomentDoNotNestWithoutBoundAndHeldKeysDoNotNestAtAll) {
    for (auto [script, keys, gap] : {std::tuple{"10 keys 65 100000 0", 100000u, 0u}, {"10 keys 65 50 30", 50u, 30u}}) {
        FakeMachine m;
        m.rt->scripts().setScript(ScriptSource::fromText(script));
        auto& f = m.rt->load<NestingForm>();
        m.rt->show(f);
        m.run();
        ASSERT_EQ(f.keyTimes.size(), keys);
        EXPECT_LE(f.deepest, gap ? 1 : Runtime::kMaxNestedDispatch);
        for (std::size_t i = 0; gap && i < keys; ++i) EXPECT_EQ(f.keyTimes[i], 10 + gap * i);
    }
}

}  // namespace
