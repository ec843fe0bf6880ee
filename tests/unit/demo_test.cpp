// Demos: what a window's run takes in is written as a script, and the same
// program fed that script headless does the very same things at the very same
// game times, even when the window's run fell behind or was blocked.
#include <gtest/gtest.h>


#include "runtime/demo.h"
#include "support/fakes.h"
#include "support/scratch.h"

using namespace kv;
using kvtest::FakeMachine;

namespace {

using Lines = std::vector<std::string>;

// A busy little screen: two timers out of step, a caption effect now and then,
// a slow handler, a random roll re-seeded from the clock on every key.
struct Busy : Form {
    Busy(Runtime& rt, Lines& log, std::uint64_t* wall) : Form(rt, "Busy", 100, 100), log(log) {
        addTimer("fast", 10, true, [this] { note("fast"); });
        addTimer("odd", 37, true, [this, wall] {
            note("odd");
            // Now and then a tick that takes the window's machine a while.
            if (wall && ++odd % 4 == 0) *wall += 45;
        });
        addTimer("effect", 250, true, [this] {
            note("effect");
            this->rt().busyWaitUntil(this->rt().now() + 60);
            note("effect done");
        });
    }
    void keyDown(int key) override {
        this->rt().random().randomize(this->rt().now());
        note("key " + std::to_string(key) + " rolls " + std::to_string(int(this->rt().random().rnd() * 1000)));
    }
    void textInput(const std::string& t) override { note("text " + t); }
    void note(const std::string& what) { log.push_back(what + "@" + std::to_string(rt().now())); }
    Lines& log;
    int odd = 0;
};

}  // namespace

TEST(Demo, AWindowsRunReplayedHeadlessDoesTheSameAtTheSameGameTimes) {
    kvtest::TempDir dir;
    const std::string demo = dir / "demo.txt";
    Lines played, replayed;
    std::uint64_t endedAt = 0;
    {
        FakeMachine m(2000, true);
        // Keys at awkward moments: two in one millisecond, one while a
        // caption effect blocks, one while the game has fallen behind.
        for (std::uint64_t at : {93ull, 93ull, 260ull, 301ull, 777ull, 1204ull})
            m.display.pending.push_back({at, InputEvent{InputEvent::Kind::KeyDown, 37 + int(at % 3), 0, 0, {}}});
        m.display.pending.push_back({1500, InputEvent{InputEvent::Kind::Text, 0, 0, 0, "Grub"}});
        DemoWriter writer(demo, {{"clock-start", "0"}});
        m.rt->scripts().record(&writer);
        m.rt->show(m.rt->load<Busy>(played, &m.display.wall));
        m.run();
        endedAt = m.rt->now();
        writer.finish(endedAt);
    }
    {
        FakeMachine m(2000, false);
        m.rt->scripts().setScript(ScriptSource::fromFile(demo));
        m.rt->show(m.rt->load<Busy>(replayed, nullptr));
        m.run();
        EXPECT_EQ(m.rt->now(), endedAt);
    }
    ASSERT_GT(played.size(), 100u);
    EXPECT_EQ(replayed, played);
    // Text from the window is kept as the script would say it.
    EXPECT_NE(kvtest::slurp(demo).find(" type Grub\n"), std::string::npos) << kvtest::slurp(demo);
}

TEST(Demo, AScriptsInputIsRecordedAsTheScriptSaidItAndOutputsAreLeftOut) {
    kvtest::TempDir dir;
    const std::string demo = dir / "demo.txt";
    Lines log;
    {
        FakeMachine m(1000);
        const char* script = "10 keys 39 3 30\n50 rnd 0.25\n60 type  two  spaces\n70 click 5 6\n80 dump -\n"
                             "90 press Nothing\n95 joy 1 65535 3\n";
        m.rt->scripts().setScript(ScriptSource::fromText(script));
        DemoWriter writer(demo, {{"clock-start", "0"}, {"warp", "9"}});
        m.rt->scripts().record(&writer);
        m.rt->show(m.rt->load<Busy>(log, nullptr));
        testing::internal::CaptureStdout();   // the dump
        m.run();
        testing::internal::GetCapturedStdout();
        writer.finish(m.rt->now());
    }
    EXPECT_EQ(kvtest::slurp(demo),
              "# demo: clock-start 0 warp 9\n10 key 39\n40 key 39\n50 rnd 0.25\n60 type  two  spaces\n70 key 39\n"
              "70 click 5 6\n90 press Nothing\n95 joy 1 65535 3\n# demo end: 1000\n");
}

// A headless replay ends at its end line, after what was due then.
TEST(Demo, TheEndLineKeepsAReplayGoingUntilTheRunEnded) {
    Lines log;
    FakeMachine m;
    m.rt->scripts().setScript(ScriptSource::fromText("# demo end: 120\n"));
    m.rt->show(m.rt->load<Busy>(log, nullptr));
    m.run();
    EXPECT_EQ(log.back(), "fast@120");
}
