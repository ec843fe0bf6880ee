// Start-up: the colour probe, the screen-size rule, and the hand-over three
// seconds later (to the menu, as the menu's tests see); and a missing picture.
#include <gtest/gtest.h>

#include <filesystem>

#include "frontend/start_up.h"
#include "support/case_names.h"
#include "support/fakes.h"
#include "support/harness.h"
#include "support/scratch.h"

using namespace kv;
namespace fs = std::filesystem;

namespace {
struct StartUpRun {
    kvtest::FakeMachine m;
    kvtest::RecordingFlow flow;
    Game game{*m.rt, flow};
    int status = 0;
    StartUpRun(std::function<void(kvtest::HeadlessClockDisplay&)> setup, const std::string& script,
               std::optional<std::uint64_t> until = std::nullopt)
        : m(until) {
        setup(m.display);
        m.rt->scripts().setScript(ScriptSource::fromText(script));
        try {
            frontend::openStartUp(game);
            status = m.run();
        } catch (const RunEnded& e) {
            status = e.status;
        }
    }
    ~StartUpRun() { m.rt->forms().closeAll(); }   // the screens refer to the game
    bool handedOver() const { return flow.asked == std::vector<std::string>{"startUpDone"}; }
    bool startUpLoaded() const { return m.rt->find<frontend::StartUp>() != nullptr; }
};
}  // namespace

TEST(StartUp, ProbesColoursSetsAppDirAndHandsOverAfterThreeSeconds) {
    StartUpRun at2999([](auto&) {}, "", 2999);
    EXPECT_EQ(at2999.game.state.ColourProbe, 250);
    EXPECT_EQ(at2999.game.state.AppDir, "/nowhere/");
    EXPECT_TRUE(at2999.flow.asked.empty());
    EXPECT_TRUE(at2999.startUpLoaded());
    StartUpRun after([](auto&) {}, "", 3100);
    EXPECT_TRUE(after.handedOver());
}

TEST(StartUp, TooFewColoursStopsWithTheColourDepthMessage) {
    StartUpRun run([](auto& d) { d.probe = Color(255, 0, 0); }, "100 press OK\n");
    ASSERT_EQ(run.m.rt->boxes().messages().size(), 1u);
    EXPECT_EQ(run.m.rt->boxes().messages()[0].text, "Please adjust your COLOUR DEPTH to 64k colours or more.");
    EXPECT_EQ(run.m.rt->boxes().messages()[0].title, "Korvane Information");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.m.display.modeRequests.empty());   // before any size check
    EXPECT_TRUE(run.flow.asked.empty());
}

struct ScreenCase {
    int width, height;
    bool switched;
};
class ScreenSize : public testing::TestWithParam<ScreenCase> {};
TEST_P(ScreenSize, OnlyAScreenDifferingInBothDimensionsIsSwitched) {
    auto c = GetParam();
    StartUpRun run([&](auto& d) { d.width = c.width, d.height = c.height; }, "", 100);
    EXPECT_EQ(run.m.display.modeRequests.size(), c.switched ? 1u : 0u);
    if (c.switched) {
        EXPECT_EQ(run.m.display.modeRequests[0], std::make_pair(800, 600));
    }
    EXPECT_EQ(run.game.state.StartScreenWidth, c.width);
    EXPECT_EQ(run.game.state.StartScreenHeight, c.height);
}
INSTANTIATE_TEST_SUITE_P(Screens, ScreenSize,
                         testing::Values(ScreenCase{1024, 768, true}, ScreenCase{800, 600, false},
                                         ScreenCase{1024, 600, false}, ScreenCase{800, 768, false},
                                         ScreenCase{1920, 1080, true}),
                         [](const testing::TestParamInfo<ScreenCase>& info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

TEST(StartUp, ARefusedSwitchStopsWithTheResolutionMessage) {
    StartUpRun run([](auto& d) { d.width = 1024, d.height = 768, d.modeResult = 1; }, "100 press OK\n");
    ASSERT_EQ(run.m.rt->boxes().messages().size(), 1u);
    EXPECT_EQ(run.m.rt->boxes().messages()[0].text, "Please adjust your SCREEN RESOLUTION to 800x600.");
    EXPECT_EQ(run.status, 1);
}

TEST(BadInput, AMissingPictureStopsWithAMessageNamingTheFile) {
    kvtest::AppCopy app;
    fs::remove(app.dir / "Pictures/PlayerRod.png");
    try {
        kvtest::GameRun run(kvtest::RunSetup{"", 1, 100, {}, app.path()});
        FAIL() << "the game started without its picture";
    } catch (const FatalError& e) {
        EXPECT_NE(std::string(e.what()).find("Pictures/PlayerRod.png"), std::string::npos) << e.what();
    }
}
