// The joystick on every playing screen, through a script's virtual joystick:
// the dead bands, steering, fire, the start of play, and the fall-back to the
// keyboard when there is no device.
#include <gtest/gtest.h>

#include "shared/player_ship.h"
#include "stages/bonus_stage.h"
#include "stages/boss_stage.h"
#include "support/case_names.h"
#include "support/harness.h"

using kvtest::GameRun;
using kvtest::RunSetup;
using json = nlohmann::json;

// ---- The dead bands ----

struct BandCase {
    const char* name;
    int x;
    unsigned buttons;
    int dir, fire;
};
class DeadBands : public testing::TestWithParam<BandCase> {};
TEST_P(DeadBands, OnlyTheLastThousandUnitsAtEachEndSteer) {
    kv::SharedState g;
    g.JoyCapsA = {0, 0, 0, 4};
    g.JoyCapsB = {65535, 65535, 65535, 4};
    g.JoyPos = {GetParam().x, 32767, 0, static_cast<std::int32_t>(GetParam().buttons)};
    kv::Int16 dir = -1, fire = -1;
    kv::joystickDirection(g, dir, fire);
    EXPECT_EQ(dir, GetParam().dir);
    EXPECT_EQ(fire, GetParam().fire);
}
INSTANTIATE_TEST_SUITE_P(Edges, DeadBands,
                         testing::Values(BandCase{"FarLeft", 0, 0, 1, 0}, BandCase{"JustInsideLeft", 999, 0, 1, 0},
                                         BandCase{"LeftBandEdge", 1000, 0, 0, 0}, BandCase{"Centre", 32767, 0, 0, 0},
                                         BandCase{"RightBandEdge", 64535, 0, 0, 0},
                                         BandCase{"JustInsideRight", 64536, 0, 2, 0}, BandCase{"FarRight", 65535, 0, 2, 0},
                                         BandCase{"PastTheMaximum", 65536, 0, 0, 0},
                                         BandCase{"FirstButton", 32767, 1, 0, 1}, BandCase{"FourthButton", 32767, 8, 0, 1},
                                         BandCase{"LeftAndFire", 0, 2, 1, 1}),
                         kvtest::CaseName());

// ---- Each playing screen ----

TEST(JoystickStages, TheBonusStageStartsAndSteersWithTheStick) {
    RunSetup setup{"0 joy 32767 32767 0\n3300 joy 0 32767 0\n3400 joy 32767 32767 0\n", {}, 3500, kvtest::chosen(2), {},
                   true};
    GameRun run(setup);
    auto& s = run.screen<kv::stages::BonusStage>();
    EXPECT_FALSE(s.textFX->visible());
    EXPECT_TRUE(s.MoveShips->enabled());
    EXPECT_TRUE(s.CountDown->enabled());
    // 10 pixels every 25 ms shots tick while held, from 364.
    EXPECT_EQ(s.Player->left(), 364 - 10 * 4);
    EXPECT_EQ(s.JoyDir, 0);
}

TEST(JoystickStages, TheMotherShipFightStartsAndFiresWithAButton) {
    RunSetup setup{"0 joy 32767 32767 0\n3300 joy 32767 32767 1\n3310 joy 32767 32767 0\n", 10, 3320, kvtest::chosen(2),
                   {}, false};
    GameRun run(setup);
    auto& s = run.screen<kv::stages::BossStage>();
    EXPECT_FALSE(s.textFX->visible());
    EXPECT_TRUE(s.MoveShip->enabled());
    EXPECT_EQ(s.BulletOn[1], 1);
    EXPECT_EQ(s.NextBullet, 2);
}

TEST(JoystickStages, KeysDoNothingOnAStageWithTheJoystick) {
    RunSetup setup{"0 joy 32767 32767 0\n3300 key 37\n3310 key 17\n", {}, 3320, kvtest::chosen(2), {}, true};
    GameRun run(setup);
    auto& s = run.screen<kv::stages::BonusStage>();
    EXPECT_TRUE(s.textFX->visible());   // not started
    EXPECT_EQ(s.Player->left(), 364);
    EXPECT_EQ(s.BulletOn[1], 0);
}

TEST(JoystickStages, AStageWithoutItsJoystickSaysSoAndPlaysByKeyboard) {
    // The planet was played by keyboard; the joystick is chosen just before the
    // bonus stage opens, and there is none.
    GameRun run(RunSetup{"3300 key 16\n", 1, {}, {}, {}, false});
    run.game().state.ControlDevice = 2;
    run.rt().scripts().setScript(kv::ScriptSource::fromText("3400 press OK\n"));
    run.form1().do_bonus();
    run.refresh();
    EXPECT_EQ(run.titles(), std::vector<std::string>{"Control Device Error"});
    EXPECT_EQ(run.game().state.ControlDevice, 1);
}
