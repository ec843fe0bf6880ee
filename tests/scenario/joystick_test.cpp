// The joystick through a script's virtual joystick: the dead bands, and on the
// special stages steering, fire and the start of play. (The planet's joystick,
// and the fall-back to the keyboard when there is no device, are in its tests.)
#include <gtest/gtest.h>

#include "shared/player_ship.h"
#include "stages/bonus_stage.h"
#include "stages/boss_stage.h"
#include "support/harness.h"

using kvtest::GameRun;
using kvtest::RunSetup;
using kvtest::Ints;

TEST(Joystick, OnlyTheLastThousandUnitsAtEachEndSteerAndAnyButtonFires) {
    kv::SharedState g;
    g.JoyCapsA = {0, 0, 0, 4};
    g.JoyCapsB = {65535, 65535, 65535, 4};
    // clang-format off
    for (auto [x, buttons, dir, fire] : {std::tuple{999, 0, 1, 0}, {1000, 0, 0, 0}, {32767, 0, 0, 0}, {64535, 0, 0, 0},
         {65535, 0, 2, 0}, {65536, 0, 0, 0}, {32767, 8, 0, 1}, {0, 2, 1, 1}}) {
        // clang-format on
        g.JoyPos = {x, 32767, 0, buttons};
        kv::Int16 JoyDir = -1, JoyFire = -1;
        kv::joystickDirection(g, JoyDir, JoyFire);
        EXPECT_EQ((Ints{JoyDir, JoyFire}), (Ints{dir, fire})) << x << " " << buttons;
    }
}

TEST(JoystickStages, TheStickStartsAndSteersTheBonusStageAButtonTheMotherShipFightAndKeysDoNothing) {
    GameRun bonus(RunSetup{.script = "0 joy 32767 32767 0\n3300 key 37\n3310 key 17\n3400 joy 0 32767 0\n"
                                     "3500 joy 32767 32767 0\n",
                           .until = 3600,
                           .before = kvtest::chosen(2),
                           .warpBonus = true});
    auto& s = bonus.screen<kv::stages::BonusStage>();
    // The keys moved and fired nothing; then 10 pixels every 25 ms while held, from 364.
    EXPECT_EQ((Ints{s.textFX->visible(), s.MoveShips->enabled(), s.CountDown->enabled(), s.Player->left(), s.JoyDir,
                    s.BulletOn[1]}),
              (Ints{0, 1, 1, 364 - 10 * 4, 0, 0}));
    GameRun boss(
        RunSetup{"0 joy 32767 32767 0\n3300 joy 32767 32767 1\n3310 joy 32767 32767 0\n", 10, 3320, kvtest::chosen(2)});
    auto& b = boss.screen<kv::stages::BossStage>();
    EXPECT_EQ((Ints{b.textFX->visible(), b.MoveShip->enabled(), b.BulletOn[1], b.NextBullet}), (Ints{0, 1, 1, 2}));
}
