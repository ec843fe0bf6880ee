// Start-up: the colour probe, the screen-size rule, and the hand-over three
// seconds later (to the menu, as the menu's tests see).
#include <gtest/gtest.h>

#include "frontend/end_seq.h"
#include "frontend/main_menu.h"
#include "frontend/start_up.h"
#include "support/case_names.h"
#include "support/fakes.h"

using namespace kv;

namespace {
struct StartUpRun : kvtest::FakeGame {
    int status = 0;
    StartUpRun(std::function<void(kvtest::HeadlessClockDisplay&)> setup, const std::string& input,
               std::optional<std::uint64_t> until = std::nullopt)
        : FakeGame(until) {
        setup(m.display);
        script(input);
        try {
            frontend::openStartUp(game);
            status = m.run();
        } catch (const RunEnded& e) {   // a closing box ends the run where it stands
            status = e.status;
        }
    }
};
}  // namespace

TEST(StartUp, ProbesColoursSetsAppDirAndHandsOverThreeSecondsAfterTheProbe) {
    StartUpRun before([](auto&) {}, "", 3050);   // the probe takes 50 ms
    EXPECT_EQ(before.game.state.ColourProbe, 250);
    EXPECT_EQ(before.game.state.AppDir, "/nowhere/");
    EXPECT_TRUE(before.flow.asked.empty());
    EXPECT_NE(before.m.rt->find<frontend::StartUp>(), nullptr);
    StartUpRun after([](auto&) {}, "", 3051);
    EXPECT_EQ(after.flow.asked, std::vector<std::string>{"startUpDone"});
}

// stops: the message that ends the program, if any
struct ScreenCase { const char* name; int width, height;
    bool switched; std::string stops; bool fewColours = false, refused = false; };
class TheScreen : public testing::TestWithParam<ScreenCase> {};
TEST_P(TheScreen, IsSwitchedOnlyWhenBothSidesDifferAndTooFewColoursOrARefusalStop) {
    const ScreenCase& c = GetParam();
    StartUpRun run(
        [&](auto& d) {
            d.width = c.width, d.height = c.height, d.modeResult = c.refused ? 1 : 0;
            if (c.fewColours) d.probe = Color(255, 0, 0);
        },
        c.stops.empty() ? "" : "100 press OK\n", 3100);
    EXPECT_EQ(run.m.display.modeRequests.size(), c.switched ? 1u : 0u);
    if (c.switched) {
        EXPECT_EQ(run.m.display.modeRequests[0], std::make_pair(800, 600));
    }
    EXPECT_EQ(run.boxes(), c.stops.empty() ? std::vector<std::string>{}
                                     : std::vector<std::string>{"Korvane Information: " + c.stops});
    EXPECT_EQ(run.status, c.stops.empty() ? 0 : 1);
    EXPECT_EQ(run.flow.asked.empty(), !c.stops.empty());
    if (c.fewColours) return;   // before any size check
    EXPECT_EQ(run.game.state.StartScreenWidth, c.width);
    EXPECT_EQ(run.game.state.StartScreenHeight, c.height);
}
INSTANTIATE_TEST_SUITE_P(Screens, TheScreen, testing::Values(
                    ScreenCase{"Larger", 1024, 768, true, ""}, ScreenCase{"Exact", 800, 600, false, ""},
                    ScreenCase{"WidthDiffers", 1024, 600, false, ""}, ScreenCase{"HeightDiffers", 800, 768, false, ""},
                    ScreenCase{"Smaller", 640, 480, true, ""},
                    ScreenCase{"TooFewColours", 1024, 768, false,
                               "Please adjust your COLOUR DEPTH to 64k colours or more.", true},
                    ScreenCase{"SwitchRefused", 1024, 768, true, "Please adjust your SCREEN RESOLUTION to 800x600.",
                               false, true}),
    kvtest::CaseName{});

// The menu shows the pointer and its Exit puts back the display start-up
// found; the end sequence hides the pointer.
TEST(MainMenu, ShowsThePointerAndYesToTheExitQuestionPutsBackTheDisplayAndEnds) {
    kvtest::FakeGame run;
    run.game.state.AppDir = KORVANE_APP_DIR;   // the real texts
    run.game.state.StartScreenWidth = 1024, run.game.state.StartScreenHeight = 768;
    run.m.display.cursor = -1;
    run.script("100 press ExitButt\n200 press Yes\n5000 quit\n");
    frontend::openMainMenu(run.game);
    EXPECT_GE(run.m.display.cursor, 0);
    EXPECT_EQ(run.m.run(), 0);
    EXPECT_EQ(run.m.rt->now(), 200u);
    EXPECT_EQ(run.m.display.modeRequests, (std::vector<std::pair<int, int>>{{1024, 768}}));
    run.m.rt->load<frontend::EndSeq>(run.game);
    EXPECT_LT(run.m.display.cursor, 0);
}
