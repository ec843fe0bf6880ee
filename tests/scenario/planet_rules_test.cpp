// The planet's rules played through: shots and hits, drop ships, rods and
// radiation, bonus pick-ups, explosions, lives, game over and level clear.
#include <gtest/gtest.h>

#include "support/case_names.h"
#include "support/harness.h"

using kvtest::GameRun;
using kvtest::PlanetInPlay;
using kvtest::RunSetup;
using json = nlohmann::json;
using kv::level::Form1;

namespace {

// A planet whose intro is over and whose first drop ship has been picked (ship 4,
// from a queued 0.5; no bonus box at the first roll, 7170); the player stands so
// that both a shot and the ship's rod line up with it (player left 236: bullets
// at 268, rod 4 at 258).
const std::string kShipFour = "3300 key 37\n3310 key 37\n3320 key 37\n7000 rnd 0.01\n8299 rnd 0.5\n";

// Puts the pick-up right over the player's ship, about to be caught.
void pickupOverPlayer(Form1& f, int kind) {
    f.BonusType = static_cast<std::int16_t>(kind);
    f.bonusbox->setPicture(f.goddbonuspic->picture());
    f.bonusbox->setSize(18, 18);
    f.bonusbox->move(f.Player->left() + 25, f.Player->top() - 16);
    f.bonusbox->setVisible(true);
    f.BonusFalling = 1;
    f.rt().random().queue(0.7);   // drift right
}

// The bonus box in flight at (x, y).
void boxFlying(Form1& f, int kind, int x, int y) {
    f.BonusType = static_cast<std::int16_t>(kind);
    f.bonusbox->setPicture(f.bonuspic->picture());
    f.bonusbox->setSize(41, 16);
    f.bonusbox->move(x, y);
    f.bonusbox->setVisible(true);
    f.BonusFlying = 1;
}

}  // namespace

TEST(DropShips, APickThatLandsOnAShipAlreadyOutIsLost) {
    PlanetInPlay run;
    run.f.Ships[3].Active = 1;
    run.f.Ships[3].TopTicks = 9;
    run.rt().random().queue(0.4);   // Int(0.4 * 7) + 1 = 3
    run.f.PickShips_Timer();
    EXPECT_EQ(run.f.Ships[3].TopTicks, 9);
    int active = 0;
    for (int i = 1; i <= 7; ++i) active += run.f.Ships[std::size_t(i)].Active;
    EXPECT_EQ(active, 1);
}

TEST(FireAndHits, AShotAtTheTopStationDestroysTheShipForTwentyFivePoints) {
    GameRun run(RunSetup{kShipFour + "9500 rnd 0.5\n9700 key 17\n", 1, 10150});
    const json ship = run.vars()["Ships"][3];
    EXPECT_EQ(ship["Active"], 0);
    EXPECT_EQ(ship["Exploding"], 1);
    EXPECT_EQ(ship["RodFalling"], 1);   // its rod keeps falling
    EXPECT_EQ(run.control("DropShip(4)")["top"], -74);
    EXPECT_EQ(run.shared()["PlayerScore"], 25);
    EXPECT_EQ(run.heard("2:Samples/ShipExplode.wav"), 1);
    run.runUntil(11000);
    EXPECT_EQ(run.vars()["Ships"][3]["Exploding"], 0);
}

TEST(FireAndHits, ABulletMustLieStrictlyInsideTheShip) {
    PlanetInPlay run;
    auto& f = run.f;
    f.DropShip[2]->setTop(5);   // left 82, width 73
    f.Ships[2].Active = 1;
    for (int left : {82, 82 + 73 - 13}) {   // on either edge: no hit
        f.PlayBullet[1]->move(left, 60);
        f.Firebullets_Timer();
        EXPECT_EQ(f.Ships[2].Active, 1) << left;
    }
    f.PlayBullet[1]->move(83, 60);
    f.Firebullets_Timer();
    EXPECT_EQ(f.Ships[2].Active, 0);
}

TEST(FireAndHits, ThreeSlotsCycleAsBulletsLeaveTheTop) {
    PlanetInPlay run;
    auto& f = run.f;
    f.BulletsAllowed = 3;
    for (int i = 0; i < 4; ++i) f.scapebox_KeyDown(17, 0);   // the fourth finds no free slot
    EXPECT_EQ(f.BulletOn[4], 0);
    EXPECT_EQ(f.NextBullet, 3);
    f.PlayBullet[1]->setTop(-30);   // slot 1 about to leave
    f.Firebullets_Timer();
    EXPECT_EQ(f.BulletOn[1], 0);
    EXPECT_EQ(f.NextBullet, 1);
    f.scapebox_KeyDown(17, 0);   // slot 1 again
    EXPECT_EQ(f.BulletOn[1], 1);
    const auto sounds = run.game().soundLog.size();
    f.scapebox_KeyDown(17, 0);   // slot 2 still flying: silent
    EXPECT_EQ(run.game().soundLog.size(), sounds);
    EXPECT_EQ(f.NextBullet, 3);
}

TEST(FireAndHits, AfterShootOneBulletAFlyingSlotStopsInMidAir) {
    PlanetInPlay run;
    auto& f = run.f;
    f.BulletsAllowed = 2;
    f.scapebox_KeyDown(17, 0);
    f.scapebox_KeyDown(17, 0);
    f.Firebullets_Timer();
    const int top = f.PlayBullet[2]->top();
    f.BulletsAllowed = 1;
    f.Firebullets_Timer();
    EXPECT_EQ(f.PlayBullet[2]->top(), top);
    EXPECT_EQ(f.BulletOn[2], 1);
}

TEST(FireAndHits, TheBonusBoxIsHitWhereItStandsEvenHidden) {
    PlanetInPlay run;
    auto& f = run.f;
    boxFlying(f, 9, 300, 200);
    f.PlayBullet[1]->move(310, 205);
    f.Firebullets_Timer();
    EXPECT_EQ(f.bonusbox->picture().name, "badbonuspic");
    EXPECT_FALSE(f.bonusbox->visible());
    EXPECT_EQ(f.BonusExploding, 1);
    // A second bullet at the same place hits the hidden box again.
    f.BonusExplodeFrame = 4;
    f.PlayBullet[2]->move(303, 204);
    f.Firebullets_Timer();
    EXPECT_EQ(f.BonusExplodeFrame, 1);
    EXPECT_EQ(run.heard("5:Samples/HitBonus.wav"), 2);
}

struct RodCase {
    const char* name;
    int planet;
    double roll;   // r = Int(roll * 100) + 1
    int falling, kind;
    bool sound;
};
class RodOdds : public testing::TestWithParam<RodCase> {};
TEST_P(RodOdds, TheRollDecidesNoRodAGoodRodOrABadOne) {
    const RodCase& c = GetParam();
    PlanetInPlay run(c.planet);
    auto& f = run.f;
    f.DropShip[2]->setTop(5);
    const auto sounds = run.game().soundLog.size();
    run.rt().random().queue(c.roll);
    std::int16_t i = 2;
    f.drop_rod(i);
    EXPECT_EQ(f.Ships[2].RodFalling, c.falling);
    EXPECT_EQ(f.Ships[2].RodKind, c.kind);
    EXPECT_EQ(run.game().soundLog.size() > sounds, c.sound);
    if (c.falling) {
        EXPECT_EQ(f.RadRod[2]->picture().name, c.kind == 2 ? "badrod" : "goodrod");
    }
}
INSTANTIATE_TEST_SUITE_P(Planets, RodOdds,
                         testing::Values(RodCase{"First_9_NoRod", 1, 0.08, 0, 0, false},
                                         RodCase{"First_10_Good", 1, 0.09, 1, 1, true},
                                         RodCase{"First_80_Good", 1, 0.79, 1, 1, true},   // threshold + 70
                                         // bad rods off: a silent good rod
                                         RodCase{"First_96_SilentGood", 1, 0.95, 1, 1, false},
                                         RodCase{"Sixth_86_Bad", 6, 0.85, 1, 2, true},
                                         RodCase{"Sixth_85_Good", 6, 0.84, 1, 1, true},
                                         RodCase{"Ninth_4_NoRod", 9, 0.03, 0, 0, false},
                                         RodCase{"Ninth_76_Bad", 9, 0.75, 1, 2, true}),
                         kvtest::CaseName());

TEST(Rods, ACaughtRodIsCarriedToTheDispenserAndDefused) {
    GameRun run(RunSetup{kShipFour + "9500 rnd 0.5\n", 1, 13000});
    EXPECT_EQ(run.control("Player")["picture"], "PlayerRod");
    EXPECT_EQ(run.vars()["CanFire"], 0);
    EXPECT_EQ(run.heard("5:Samples/CaughtRod.wav"), 1);
    run.rt().scripts().setScript(kv::ScriptSource::fromText("13100 keys 39 30 20\n"));
    run.runUntil(14000);
    EXPECT_EQ(run.control("Player")["left"], 561);
    EXPECT_EQ(run.control("Player")["picture"], "PlayerNorm");
    EXPECT_EQ(run.vars()["RodsNeeded"], 2);
    EXPECT_EQ(run.shared()["PlayerScore"], 10);
    EXPECT_EQ(run.heard("5:Samples/Diffuse.wav"), 1);
}

TEST(Rods, ABadRodCaughtAtNoneDefusedNeverBringsTheEndCloser) {
    PlanetInPlay run(6);
    auto& f = run.f;
    f.Ships[5].RodFalling = 1;
    f.Ships[5].RodKind = 2;
    f.RadRod[5]->move(f.Player->left() + 20, f.Player->top() - 40);
    f.droprods_Timer();
    EXPECT_EQ(f.RodsDefused, -1);
    EXPECT_EQ(f.RodsNeeded, 16);
    f.Player->setLeft(550);
    f.scapebox_KeyDown(39, 0);
    EXPECT_EQ(f.RodsDefused, 0);
    EXPECT_EQ(f.RodsNeeded, 15);
}

TEST(Rods, ARodFallingPastAShipThatCarriesOneLands) {
    PlanetInPlay run;
    auto& f = run.f;
    f.Player->setPicture(f.PlayerRod->picture());
    f.Ships[1].RodFalling = 1;
    f.Ships[1].RodKind = 1;
    f.RadRod[1]->move(f.Player->left() + 20, f.Player->top() - 40);
    for (int i = 0; i < 20; ++i) f.droprods_Timer();
    EXPECT_EQ(f.Ships[1].RodFalling, 0);
    EXPECT_EQ(run.g.RadiationLevel, 19);
    EXPECT_EQ(run.heard("4:Samples/Boom.wav"), 1);
}

TEST(Radiation, TheLimitCostsALifeAndTheNextLifeResetsThePlayfield) {
    PlanetInPlay run;
    auto& f = run.f;
    run.g.RadiationLevel = 550;
    f.Ships[2].RodFalling = 1;
    f.Ships[2].RodKind = 1;
    f.RadRod[2]->setTop(540);
    f.droprods_Timer();
    EXPECT_EQ(run.g.PlayerLives, 2);
    EXPECT_EQ(run.g.RadiationLevel, 0);
    EXPECT_EQ(run.g.ShipFrozen, 1);
    EXPECT_FALSE(f.Player->visible());
    EXPECT_FALSE(f.PickShips->enabled());
    run.runUntil(run.rt().now() + 750);
    EXPECT_TRUE(f.Player->visible());
    EXPECT_EQ(run.g.ShipFrozen, 0);
    EXPECT_TRUE(f.PickShips->enabled());
    EXPECT_TRUE(f.droprods->enabled());
}

TEST(Radiation, FiveHundredSixtyFiveIsSafeFiveHundredSixtySixIsNot) {
    PlanetInPlay run;
    for (auto [level, lives] : {std::pair{565, 3}, {566, 2}}) {
        run.g.RadiationLevel = static_cast<std::int16_t>(level);
        run.f.print_radiation();
        EXPECT_EQ(run.g.PlayerLives, lives) << level;
    }
}

TEST(Lives, TheLastLifeEndsTheGameAfterTheExplosion) {
    PlanetInPlay run;
    auto& f = run.f;
    run.g.PlayerLives = 0;
    run.g.RadiationLevel = 566;
    f.print_radiation();
    EXPECT_EQ(run.g.PlayerLives, -1);
    EXPECT_EQ(f.LivesLeft->shown().pixel(30, 12), f.LED[0]->picture().image->pixel(9, 12));   // -1 reads 0
    run.runUntil(run.rt().now() + 800);   // seven frames, then the game-over picture dissolves in
    ASSERT_TRUE(run.planetLoaded());
    EXPECT_EQ(run.heard("1:Samples/GameOver.wav"), 1);
    EXPECT_TRUE(f.EndWait2->enabled());
    // Three seconds later the picture fades and the game is over.
    run.runUntil(run.rt().now() + 3100);
    EXPECT_FALSE(run.planetLoaded());
    EXPECT_EQ(run.g.ScoresFromMenu, 0);
    EXPECT_EQ(run.g.SoundDevice, 0);
}

struct EffectCase {
    const char* name;
    int kind;
    int radiation, speed, bullets;            // before
    int radiationAfter, speedAfter, bulletsAfter, livesAfter, scoreAfter;
};
class BonusEffects : public testing::TestWithParam<EffectCase> {};
TEST_P(BonusEffects, EachKindDoesWhatItsNameSays) {
    const EffectCase& c = GetParam();
    PlanetInPlay run;
    auto& f = run.f;
    run.g.RadiationLevel = static_cast<std::int16_t>(c.radiation);
    f.PlayerSpeed = static_cast<std::int16_t>(c.speed);
    f.BulletsAllowed = static_cast<std::int16_t>(c.bullets);
    pickupOverPlayer(f, c.kind);
    f.droprods_Timer();
    EXPECT_EQ(run.g.RadiationLevel, c.radiationAfter);
    EXPECT_EQ(f.PlayerSpeed, c.speedAfter);
    EXPECT_EQ(f.BulletsAllowed, c.bulletsAfter);
    EXPECT_EQ(run.g.PlayerLives, c.livesAfter);
    EXPECT_EQ(run.g.PlayerScore, c.scoreAfter);
}
INSTANTIATE_TEST_SUITE_P(Table, BonusEffects,
                         testing::Values(EffectCase{"LessRadiationBelowZero", 1, 30, 10, 1, -10, 10, 1, 3, 0},
                                         EffectCase{"LessRadiationAtZero", 11, 0, 10, 1, 0, 10, 1, 3, 0},
                                         EffectCase{"ExtraLife", 2, 0, 10, 1, 0, 10, 1, 4, 0},
                                         EffectCase{"FasterWithoutCap", 3, 0, 25, 1, 0, 30, 1, 3, 0},
                                         EffectCase{"BonusStageWaitsForTheFade", 14, 0, 10, 1, 0, 10, 1, 3, 0},
                                         EffectCase{"HundredPoints", 5, 0, 10, 1, 0, 10, 1, 3, 100},
                                         EffectCase{"ExtraBullet", 6, 0, 10, 4, 0, 10, 5, 3, 0},
                                         EffectCase{"ExtraBulletAtFive", 6, 0, 10, 5, 0, 10, 5, 3, 0},
                                         EffectCase{"MoreRadiation", 8, 100, 10, 1, 140, 10, 1, 3, 0},
                                         EffectCase{"Slower", 9, 0, 10, 1, 0, 5, 1, 3, 0},
                                         EffectCase{"SlowerNotBelowFive", 9, 0, 5, 1, 0, 5, 1, 3, 0},
                                         EffectCase{"OneBullet", 10, 0, 10, 4, 0, 10, 1, 3, 0}),
                         kvtest::CaseName());

TEST(Bonus, TheBoxFliesExplodesAndItsPickUpFalls) {
    PlanetInPlay run;
    auto& f = run.f;
    boxFlying(f, 5, 400, 151);
    f.droprods_Timer();
    EXPECT_EQ(f.bonusbox->left(), 395);
    EXPECT_EQ(f.BonusExplodeX, 388);   // 387.5 to even
    EXPECT_EQ(f.BonusExplodeY, 132);   // 132.5 to even
    f.PlayBullet[1]->move(405, 160);
    f.Firebullets_Timer();
    for (int frame = 1; frame <= 8; ++frame) {
        EXPECT_EQ(f.BonusExploding, 1) << frame;
        f.explosions_Timer();
    }
    EXPECT_EQ(f.BonusExploding, 0);
    EXPECT_EQ(f.BonusFalling, 1);
    EXPECT_EQ(f.bonusbox->picture().name, "goddbonuspic");
    // Lost at the bottom: everything back to the bonus clock.
    f.bonusbox->setTop(540);
    run.rt().random().queue(0.2);
    f.droprods_Timer();
    EXPECT_EQ(f.BonusFalling, 0);
    EXPECT_EQ(f.BonusType, 0);
    EXPECT_FALSE(f.bonusbox->visible());
}

TEST(Bonus, ABoxThatGetsAwayRestartsTheBonusClock) {
    PlanetInPlay run;
    boxFlying(run.f, 3, -38, 200);
    run.f.BonusTicks = 7;
    run.f.droprods_Timer();
    EXPECT_EQ(run.f.BonusFlying, 0);
    EXPECT_EQ(run.f.BonusType, 0);
    EXPECT_EQ(run.f.BonusTicks, 0);
}

TEST(Bonus, ACaughtPickUpsNameShowsGreenOrRedAndFadesInTwentyTicksOrTwentySix) {
    struct Case {
        int kind;
        const char* name;
        kv::Color colour;
        int ticks;
    };
    for (const Case& c : {Case{5, "100 Points", {0, 200, 0}, 20}, Case{8, "Increase Radiation Level", {255, 0, 0}, 26}}) {
        PlanetInPlay run;
        auto& f = run.f;
        pickupOverPlayer(f, c.kind);
        f.droprods_Timer();
        EXPECT_EQ(f.bonuslabel->caption(), c.name);
        EXPECT_EQ(f.bonuslabel->foreColor(), c.colour);
        EXPECT_EQ(run.heard("3:Samples/GetBonus.wav"), 1);
        int n = 0;
        for (; f.LabelFading == 1 && n < 100; ++n) f.explosions_Timer();
        EXPECT_EQ(n, c.ticks) << c.name;
        EXPECT_FALSE(f.bonuslabel->visible());
        EXPECT_EQ(f.BonusType, 0);
    }
}

TEST(LevelEnd, CompleteLevelEndsThePlanetOnceItsNameHasFaded) {
    PlanetInPlay run;
    auto& f = run.f;
    pickupOverPlayer(f, 7);
    f.droprods_Timer();
    EXPECT_EQ(f.RodsNeeded, 3);
    run.runUntil(run.rt().now() + 2100);   // 20 fade ticks, then the level-clear wipe (1.8 s, blocking)
    EXPECT_EQ(f.RodsNeeded, 0);
    EXPECT_EQ(run.g.ShipFrozen, 1);
    EXPECT_TRUE(f.EndWait->enabled());
    EXPECT_FALSE(f.PickShips->enabled());
    EXPECT_EQ(f.scapebox->shown().pixel(322, 272), f.ClearSrc->image().pixel(322 - 114, 272 - 228));
    run.runUntil(run.rt().now() + 2100 + 3300);   // 2 s later the next planet begins
    EXPECT_EQ(run.g.PlanetLevel, 2);
    EXPECT_EQ(f.RodsNeeded, 5);
    EXPECT_TRUE(f.textFX->visible());
    // The faded picture is black now, so it leaves nothing on the playfield.
    EXPECT_EQ(f.ClearPic->image().pixel(200, 45), kv::Color(0, 0, 0));
}

TEST(LevelEnd, ClearingPlanetNineLeavesThePlanetScreen) {
    PlanetInPlay run(9);
    auto& f = run.f;
    f.RodsNeeded = 1;
    f.Player->setPicture(f.PlayerRod->picture());
    f.Player->setLeft(560);
    f.scapebox_KeyDown(39, 0);
    EXPECT_EQ(f.RodsNeeded, 0);
    run.runUntil(run.rt().now() + 2500);
    EXPECT_EQ(run.g.PlanetLevel, 10);
    EXPECT_FALSE(run.planetLoaded());
}

TEST(LevelEnd, EveryCallOfPrintRodsAtZeroEndsThePlanetAgain) {
    PlanetInPlay run;
    auto& f = run.f;
    f.RodsNeeded = 0;
    f.print_rods();
    f.EndWait->setEnabled(false);
    f.PickShips->setEnabled(true);
    f.print_rods();
    EXPECT_FALSE(f.PickShips->enabled());
    EXPECT_TRUE(f.EndWait->enabled());
}

TEST(Cheats, TheLevelCheatAsksUntilItGetsOneToNine) {
    GameRun run(RunSetup{"3300 key 16\n3400 key 108\n3500 type 10\n3510 press OK\n3600 press OK\n"
                         "3700 type abc\n3710 press OK\n3800 press Cancel\n3900 type 9\n3910 press OK\n",
                         1, 3920, kvtest::chosen(1, "", true)});
    const json& m = run.dump["messages"];
    ASSERT_GE(m.size(), 5u);
    EXPECT_EQ(m[0]["title"], "You bloody cheat!");
    EXPECT_EQ(m[0]["answer"], "10");
    EXPECT_EQ(m[1]["title"], "What an Idiot!");
    EXPECT_EQ(m[3]["answer"], "Cancel");
    EXPECT_EQ(m[4]["answer"], "9");
    EXPECT_EQ(run.shared()["PlanetLevel"], 9);
    EXPECT_EQ(run.vars()["RodsNeeded"], 20);
}

TEST(Cheats, TheLivesCheatTakesZeroToNinetyNine) {
    GameRun run(RunSetup{"3300 key 118\n3400 type 100\n3410 press OK\n3420 press OK\n3430 type 99\n3440 press OK\n",
                         1, 3500, kvtest::chosen(1, "", true)});
    EXPECT_EQ(run.titles(), (std::vector<std::string>{"You bloody cheat!", "What an Idiot!", "You bloody cheat!"}));
    EXPECT_EQ(run.shared()["PlayerLives"], 99);
}
