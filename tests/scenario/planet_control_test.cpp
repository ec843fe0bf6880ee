// The planet screen from its opening to the player's first moves, played
// headless through scripts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "frontend/in_game_options.h"
#include "runtime/keys.h"
#include "support/case_names.h"
#include "support/harness.h"

using kvtest::GameRun;
using kvtest::PlanetInPlay;
using kvtest::RunSetup;
using json = nlohmann::json;

namespace {
// The two intro captions block for 77 + 82 frames of 20 ms.
constexpr int kIntroEnds = 3180;
}  // namespace

TEST(PlanetScreen, ANewGameStartsOnPlanetOneWithThreeLivesAndWaitsForAKey) {
    GameRun run(RunSetup{"", 1, 3300, {}});
    const json& sh = run.shared();
    EXPECT_EQ(sh["PlayerLives"], 3);
    EXPECT_EQ(sh["RadiationLevel"], 0);
    // No options chosen: the keyboard, sound on, no cheats.
    EXPECT_EQ(sh["ControlDevice"], 1);
    EXPECT_EQ(sh["SoundOn"], 1);
    EXPECT_EQ(sh["CheatMode"], 0);
    // Waiting for the first key: the caption shows and no ship is picked.
    EXPECT_EQ(run.control("textFX")["visible"], true);
    EXPECT_EQ(run.dump["form"]["Form1"]["timers"]["PickShips"]["enabled"], false);
    EXPECT_EQ(run.sounds(), std::vector<std::string>{"4:Samples/Start Level.wav@0"});
}

// Each planet plays at its own pace: how soon the first drop ship comes, how
// long it rests at the top, and how many rods end the planet.
struct PaceCase {
    const char* name;
    int planet, pick, stay, rods;
};
class PlanetPace : public testing::TestWithParam<PaceCase> {};
TEST_P(PlanetPace, ShipsComeRestAndTheRodsNeededEndThePlanet) {
    const PaceCase& c = GetParam();
    const std::uint64_t firstKey = 3300;
    GameRun run(RunSetup{"3300 key 16\n", c.planet, firstKey + c.pick - 1, {}});
    auto& f = run.form1();
    auto activeShip = [&] {
        for (int i = 1; i <= 7; ++i)
            if (f.Ships[i].Active == 1) return i;
        return 0;
    };
    EXPECT_EQ(activeShip(), 0);
    run.runUntil(firstKey + c.pick + 1);
    const int ship = activeShip();
    ASSERT_NE(ship, 0) << "no ship picked one interval after the first key";
    // One look per DropShips tick until the ship has climbed out again: down
    // 5 pixels a tick from -74, the step past 5 cut short, up again after its stay.
    int atTheTop = 0;
    for (int tick = 0; tick < 16 + c.stay + 20; ++tick) {
        run.runUntil(firstKey + c.pick + 1 + 80 * std::uint64_t(tick + 1));
        if (tick == 0) {
            EXPECT_EQ(f.DropShip[ship]->top(), -69);
        }
        atTheTop += f.DropShip[ship]->top() == 5;
    }
    EXPECT_EQ(atTheTop, c.stay);
    // Defusing at the dispenser: the planet ends with the last rod needed.
    run.rt().setUntil(std::nullopt);   // the keys below are handled at once
    f.Player->setLeft(561);
    for (int rod = 1; rod <= c.rods; ++rod) {
        EXPECT_FALSE(f.EndWait->enabled()) << "ended after " << rod - 1 << " rods";
        f.Player->setPicture(f.PlayerRod->picture());
        f.scapebox_KeyDown(kv::vk::Shift, 0);
    }
    EXPECT_TRUE(f.EndWait->enabled());
    EXPECT_EQ(run.game().state.ShipFrozen, 1);
}
INSTANTIATE_TEST_SUITE_P(Planets, PlanetPace,
                         testing::Values(PaceCase{"First", 1, 5000, 15, 3}, PaceCase{"Sixth", 6, 1500, 8, 15},
                                         PaceCase{"Ninth", 9, 750, 7, 20}),
                         kvtest::CaseName());

TEST(PlanetScreen, PlanetTenNeverShowsAnIntroAndHandsOverToTheMotherShip) {
    GameRun run(RunSetup{"", 10, 100, {}});
    EXPECT_FALSE(run.dump["form"].contains("Form1"));
    EXPECT_EQ(run.dump["forms"], json::array({"BossStage"}));
    // The planet's fanfare never plays: the only start sound is the stage's own.
    EXPECT_EQ(run.sounds(), (std::vector<std::string>{"5:Samples/Start Level.wav@0"}));
}

struct MoveCase {
    const char* name;
    int from, key, to;
};
class Moves : public testing::TestWithParam<MoveCase> {};
TEST_P(Moves, KeysStepThirteenPixelsAndTheEdgesClamp) {
    PlanetInPlay run;
    auto& f = run.f;
    f.Player->setLeft(GetParam().from);
    f.scapebox_KeyDown(GetParam().key, 0);
    EXPECT_EQ(f.Player->left(), GetParam().to);
}
INSTANTIATE_TEST_SUITE_P(Keyboard, Moves,
                         testing::Values(MoveCase{"Left", 275, 37, 262}, MoveCase{"Right", 275, 39, 288},
                                         MoveCase{"LeftClampsAtZero", 5, 37, 0}, MoveCase{"LeftAtZero", 0, 37, 0},
                                         MoveCase{"RightDocks", 550, 39, 561}, MoveCase{"RightWhenDocked", 561, 39, 561},
                                         MoveCase{"AnyKeyDocksAt555", 555, 16, 561},
                                         MoveCase{"OtherKeysStayPut", 300, 65, 300}),
                         kvtest::CaseName());

TEST(PlanetScreen, AHeldKeyMovesOncePerRepeat) {
    GameRun run(RunSetup{"3300 keys 37 40 30\n", 1, 5000, {}});
    EXPECT_EQ(run.control("Player")["left"], 0);
    EXPECT_EQ(run.control("PlayBullet(1)")["left"], 0 + 38 - 6);   // idle bullets travel with the ship
    EXPECT_EQ(run.vars()["PlayerExplodeX"], 7);
    EXPECT_EQ(run.vars()["PlayerExplodeY"], 478);
}

TEST(PlanetScreen, TheFirstKeyEndsTheIntroAndActsButEscOnlyEndsIt) {
    // The last: a key during the intro waits until it has played.
    for (auto [script, left] : {std::pair{"3300 key 37\n", 262}, {"3300 key 27\n", 275}, {"1000 key 39\n", 288}}) {
        GameRun run(RunSetup{script, 1, 3400, {}});
        EXPECT_EQ(run.control("textFX")["visible"], false) << script;
        EXPECT_EQ(run.control("Player")["left"], left) << script;
        EXPECT_EQ(run.dump["forms"], json::array({"Form1"}));
    }
}

TEST(PlanetScreen, EscPausesIntoTheDialogAndResumeRestartsPlay) {
    GameRun paused(RunSetup{"3300 key 37\n3400 key 27\n3500 key 39\n", 1, 3600, {}});
    EXPECT_EQ(paused.dump["forms"], json::array({"Form1", "InGameOptions"}));
    EXPECT_EQ(paused.dump["active"], "InGameOptions");
    EXPECT_EQ(paused.shared()["ShipFrozen"], 1);
    const json& t = paused.dump["form"]["Form1"]["timers"];
    EXPECT_FALSE(t["PickShips"]["enabled"]);
    EXPECT_FALSE(t["DropShips"]["enabled"]);
    EXPECT_FALSE(t["FireBullets"]["enabled"]);
    EXPECT_FALSE(t["droprods"]["enabled"]);
    EXPECT_TRUE(t["explosions"]["enabled"]);
    EXPECT_TRUE(t["JoystickCont"]["enabled"]);
    EXPECT_EQ(paused.control("Player")["left"], 262);   // the key went to the dialog

    GameRun resumed(RunSetup{"3300 key 37\n3400 key 27\n3500 press Command1\n3600 key 39\n", 1, 3700, {}});
    EXPECT_EQ(resumed.dump["forms"], json::array({"Form1"}));
    EXPECT_EQ(resumed.shared()["ShipFrozen"], 0);
    EXPECT_TRUE(resumed.dump["form"]["Form1"]["timers"]["PickShips"]["enabled"]);
    EXPECT_EQ(resumed.control("Player")["left"], 275);
}

TEST(PlanetScreen, TheJoystickSteersTenPixelsPerTickAndAHeldButtonFires) {
    GameRun run(RunSetup{"0 joy 32767 32767 0\n3300 joy 0 32767 0\n3400 joy 32767 32767 0\n3500 joy 32767 32767 1\n"
                         "3505 joy 32767 32767 0\n",
                         1, 3600, kvtest::chosen(2)});
    EXPECT_EQ(run.control("textFX")["visible"], false);
    EXPECT_EQ(run.control("Player")["left"], 175);
    EXPECT_EQ(run.vars()["JoyDir"], 0);
    EXPECT_EQ(run.vars()["BulletOn"][1], 1);
}

TEST(PlanetScreen, WithTheJoystickEscPausesEvenDuringTheIntro) {
    GameRun run(RunSetup{"0 joy 32767 32767 0\n3300 key 27\n", 1, 3400, kvtest::chosen(2)});
    EXPECT_EQ(run.dump["active"], "InGameOptions");
    EXPECT_EQ(run.control("textFX")["visible"], true);
}

TEST(PlanetScreen, AMissingJoystickFallsBackToTheKeyboardWithOneMessage) {
    GameRun run(RunSetup{"10 press OK\n3300 key 39\n", 1, 3400, kvtest::chosen(2)});
    ASSERT_EQ(run.dump["messages"].size(), 1u);
    const json& m = run.dump["messages"][0];
    EXPECT_EQ(m["title"], "Control Device Error");
    EXPECT_EQ(m["text"], "There was an error detecting your JOYSTICK control device.\r\rThe game will now switch to keyboard control");
    EXPECT_EQ(run.shared()["ControlDevice"], 1);
    EXPECT_EQ(run.control("Player")["left"], 288);
}

TEST(PlanetScreen, ABonusRollOfZeroRestartsTheWait) {
    // Planet 9 rolls after 20 ticks of 10 ms; the roll comes right after the intro.
    GameRun none(RunSetup{"0 rnd 0.01\n", 9, 3400, {}});
    EXPECT_EQ(none.vars()["BonusType"], 0);
    EXPECT_EQ(none.control("bonusbox")["visible"], false);
    GameRun box(RunSetup{"0 rnd 0.5\n0 rnd 0.5\n", 9, 3380, {}});
    EXPECT_EQ(box.vars()["BonusType"], 9);
    EXPECT_EQ(box.vars()["BonusFlying"], 1);
    EXPECT_EQ(box.control("bonusbox")["top"], 112 + 138);
    EXPECT_EQ(box.control("bonusbox")["picture"], "bonuspic");
}

TEST(PlanetScreen, ABonusBoxsKindDoesNotFollowFromItsHeight) {
    // Natural rolls only. The kind and then the height are each rolled right
    // after a re-seed from the clock, in the same millisecond.
    GameRun run(RunSetup{"", 1, kIntroEnds, {}});
    auto& f = run.form1();
    std::vector<std::pair<int, int>> launches;   // kind, top
    for (std::uint64_t t = kIntroEnds; launches.size() < 400 && t < kIntroEnds + 20000; t += 10) {
        // The bonus clock is run out, so every tick of the launcher rolls.
        if (f.BonusFlying == 0 && f.BonusType == 0) f.BonusTicks = f.BonusDelay;
        run.runUntil(t + 10);
        if (f.BonusFlying == 1) {
            launches.push_back({f.BonusType, f.bonusbox->top()});
            // Gone at once: the next box may come.
            f.BonusFlying = f.BonusType = 0;
            f.bonusbox->setVisible(false);
        }
    }
    ASSERT_EQ(launches.size(), 400u);
    double n = double(launches.size()), sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    for (auto [kind, top] : launches) {
        sx += kind, sy += top, sxx += kind * kind, syy += top * top, sxy += double(kind) * top;
    }
    const double corr = (sxy / n - sx / n * sy / n) /
                        std::sqrt((sxx / n - sx / n * sx / n) * (syy / n - sy / n * sy / n));
    EXPECT_LT(std::fabs(corr), 0.2);
    // Bad boxes fly at every height, not only in a band.
    int lowestBad = 1000, highestBad = 0;
    for (auto [kind, top] : launches)
        if (kind >= 8 && kind <= 10) lowestBad = std::min(lowestBad, top), highestBad = std::max(highestBad, top);
    EXPECT_LT(lowestBad, 180);
    EXPECT_GT(highestBad, 320);
}

TEST(PlanetScreen, AJoystickMoveAfterTheLastLifeWasLostEndsTheProgram) {
    GameRun run(RunSetup{"0 joy 32767 32767 0\n", 1, 3300, kvtest::chosen(2)});
    run.game().state.PlayerLives = -1;
    run.rt().scripts().setScript(kv::ScriptSource::fromText("3400 joy 0 32767 0\n"));
    run.runUntil(9000);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.rt().now(), 3400u);   // the fade takes no virtual time
    EXPECT_EQ(run.control("Player")["left"], 275);
}
