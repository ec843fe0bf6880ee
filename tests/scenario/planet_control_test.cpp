// The planet screen from its opening to the player's keys and joystick,
// played headless through scripts.
#include <gtest/gtest.h>

#include <set>

#include "support/case_names.h"
#include "support/harness.h"

using kvtest::GameRun;
using kvtest::PlanetInPlay;
using kvtest::RunSetup;
using json = nlohmann::json;
using kvtest::Ints;

TEST(PlanetScreen, ANewGameStartsOnPlanetOneWithThreeLivesAndWaitsForAKey) {
    GameRun run(RunSetup{"", 1, 3300, {}});
    const json& sh = run.shared();  // no options chosen: the keyboard, sound on, no cheats; the pointer hidden
    EXPECT_EQ((Ints{sh["PlayerLives"], sh["RadiationLevel"], sh["ControlDevice"], sh["SoundOn"], sh["CheatMode"],
                    run.rt().display().showCursor(true), run.control("textFX")["visible"],
                    run.dump["form"]["Form1"]["timers"]["PickShips"]["enabled"]}),
              (Ints{3, 0, 1, 1, 0, 0, 1, 0}));
    EXPECT_EQ(run.sounds(), std::vector<std::string>{"4:Samples/Start Level.wav@0"});
    // A hundred and fifty stars strewn over the playfield.
    const auto xs = run.vars()["StarX"].get<std::vector<int>>();
    EXPECT_GT(std::set<int>(xs.begin(), xs.end()).size(), 100u);
}

// Docking with a rod defuses it: 10 points, one rod fewer needed; a bad rod's
// -1 comes back to 0.
struct MoveCase { const char* name; int from, key, frozen, rod, to; };
class Moves : public testing::TestWithParam<MoveCase> {};
TEST_P(Moves, KeysStepThirteenPixelsTheEdgesClampAFrozenShipStaysAndTheDispenserDefuses) {
    const MoveCase& c = GetParam();
    PlanetInPlay run(6);
    auto& f = run.f;
    f.Player->setLeft(c.from);
    run.g.ShipFrozen = c.frozen;
    if (c.rod) f.Player->setPicture(f.PlayerRod->picture()), f.CanFire = 0, f.RodsDefused = -1;
    f.scapebox_KeyDown(c.key, 0);
    // Idle bullets travel with the ship; its explosion will be drawn at left + 7 and top + 2.5, to even.
    EXPECT_EQ((Ints{f.Player->left(), f.PlayBullet[5]->left(), f.PlayerExplodeX, f.PlayerExplodeY}),
              (c.frozen ? Ints{c.to, 306, 282, 478} : Ints{c.to, kv::roundHalfEven(c.to + 31.5), c.to + 7, 478}));
    if (!c.rod) return;
    const bool defused = c.to == 561;
    EXPECT_EQ((Ints{f.CanFire, f.RodsDefused, f.RodsNeeded, int(run.g.PlayerScore), run.heard("5:Samples/Diffuse.wav"),
                    f.Player->picture().name == "PlayerNorm"}),
              (defused ? Ints{1, 0, 14, 10, 1, 1} : Ints{0, -1, 15, 0, 0, 0}));
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Keyboard, Moves, testing::Values(
    MoveCase{"Left", 275, 37, 0, 0, 262}, MoveCase{"Right", 275, 39, 0, 0, 288}, MoveCase{"LeftClampsAtZero", 5, 37, 0, 0, 0},
    MoveCase{"RightDocks", 550, 39, 0, 0, 561}, MoveCase{"AnyKeyDocksAt555", 555, 16, 0, 0, 561},
    MoveCase{"FrozenLeft", 275, 37, 1, 0, 275}, MoveCase{"FrozenRight", 550, 39, 1, 0, 550},
    MoveCase{"DocksWithARod", 550, 39, 0, 1, 561}, MoveCase{"BelowTheDockWithARod", 541, 39, 0, 1, 554}), kvtest::CaseName());
// clang-format on

TEST(PlanetScreen, AShotSlotOutsideOneToFiveStopsTheGameAsItsArraysDo) {
    PlanetInPlay run(1);
    for (int k : {0, 6}) {
        try {
            run.f.playerShip.BulletOn(k);
            ADD_FAILURE() << "slot " << k << " was given";
        } catch (const kv::FatalError& e) {
            EXPECT_EQ(std::string(e.what()), "array index " + std::to_string(k) + " outside 1 to 5");
        }
    }
}

// Leaving the window pauses where Esc would: with the stick always, with the keys in play only.
TEST(PlanetScreen, LosingTheFocusPausesWhereEscWould) {
    PlanetInPlay run(1);
    for (auto [device, intro, frozen, pauses] : {std::tuple{2, 1, 1, 1}, {1, 0, 0, 1}, {1, 1, 0, 0}, {1, 0, 1, 0}}) {
        run.g.ControlDevice = device;
        run.f.textFX->setVisible(intro);
        run.g.ShipFrozen = frozen;
        EXPECT_EQ(run.f.pausesOnFocusLoss(), pauses) << device << intro << frozen;
    }
}

TEST(PlanetScreen, WithTheJoystickEscPausesEvenDuringTheIntro) {
    GameRun run(RunSetup{"0 joy 32767 32767 0\n3300 key 27\n", 1, 3400, kvtest::chosen(2)});
    EXPECT_EQ((Ints{run.dump["active"] == "InGameOptions", run.control("textFX")["visible"]}), (Ints{1, 1}));
}

TEST(PlanetScreen, EscFirstOnlyEndsTheIntroThenPausesIntoTheDialogAndResumeRestartsPlay) {
    // The first key ends the intro and acts: Esc does nothing more, a Left moves.
    GameRun run(RunSetup{"3300 key 27\n3310 key 37\n3400 key 27\n3500 key 39\n", 1, 3600, {}});
    const json& t = run.dump["form"]["Form1"]["timers"];
    EXPECT_EQ((Ints{run.dump["active"] == "InGameOptions", run.shared()["ShipFrozen"], t["PickShips"]["enabled"],
                    t["DropShips"]["enabled"], t["FireBullets"]["enabled"], t["droprods"]["enabled"],
                    t["explosions"]["enabled"], t["JoystickCont"]["enabled"], run.control("Player")["left"]}),
              (Ints{1, 1, 0, 0, 0, 0, 1, 1, 262}));  // the last key went to the dialog
    run.rt().scripts().setScript(kv::ScriptSource::fromText("3700 press Command1\n3800 key 39\n"));
    run.runUntil(3900);
    const json& on = run.dump["form"]["Form1"]["timers"];
    EXPECT_EQ((Ints{run.dump["forms"] == json::array({"Form1"}), run.shared()["ShipFrozen"], on["PickShips"]["enabled"],
                    on["DropShips"]["enabled"], on["FireBullets"]["enabled"], on["droprods"]["enabled"],
                    run.control("Player")["left"]}),
              (Ints{1, 0, 1, 1, 1, 1, 275}));
}

TEST(PlanetScreen, TheJoystickSteersTenPixelsATickAHeldButtonFiresAndAfterTheLastLifeAMoveEndsTheProgram) {
    GameRun run(
        RunSetup{"0 joy 32767 32767 0\n3300 joy 0 32767 0\n3400 joy 65535 32767 0\n3450 joy 32767 32767 0\n"
                 "3500 joy 32767 32767 1\n3505 joy 32767 32767 0\n",
                 1, 3600, kvtest::chosen(2)});
    EXPECT_EQ((Ints{run.control("textFX")["visible"], run.control("Player")["left"], run.vars()["JoyDir"],
                    run.vars()["BulletOn"][1], run.heard("1:Samples/Phaser.wav@3500")}),
              (Ints{0, 275 - 100 + 50, 0, 1, 1}));
    run.game().state.ShipFrozen = 1;  // frozen with no life left to lose: the stick moves nothing
    run.game().state.PlayerLives = 0;
    run.rt().scripts().setScript(kv::ScriptSource::fromText("3700 joy 0 32767 0\n3800 joy 32767 32767 0\n"));
    run.runUntil(3900);
    EXPECT_EQ((Ints{run.control("Player")["left"], int(run.rt().now())}), (Ints{225, 3900}));
    run.game().state.PlayerLives = -1;  // between the last lost life and the score table a move ends the program
    run.rt().scripts().setScript(kv::ScriptSource::fromText("4000 joy 0 32767 0\n"));
    run.runUntil(9000);
    EXPECT_EQ((Ints{run.status, int(run.rt().now()), run.control("Player")["left"]}), (Ints{0, 4000, 225}));
}

TEST(PlanetScreen, AMissingJoystickFallsBackToTheKeyboardWithOneMessage) {
    GameRun run(RunSetup{"10 press OK\n3300 key 39\n", 1, 3400, kvtest::chosen(2)});
    ASSERT_EQ(run.titles(), std::vector<std::string>{"Control Device Error"});
    EXPECT_EQ(
        run.dump["messages"][0]["text"],
        "There was an error detecting your JOYSTICK control device.\r\rThe game will now switch to keyboard control");
    EXPECT_EQ((Ints{run.shared()["ControlDevice"], run.control("Player")["left"]}), (Ints{1, 288}));
}
