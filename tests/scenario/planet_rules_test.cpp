// The planet's rules at their edges, driven through the real planet screen:
// the per-planet table, drop ships, shots, hits and explosions, rods and
// radiation, bonus pick-ups, lives, game over, level clear and the level cheat.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "support/case_names.h"
#include "support/harness.h"

using kv::level::Form1;
using kvtest::GameRun;
using kvtest::PlanetInPlay;
using kvtest::RunSetup;
using kvtest::Ints;
using kvtest::lit;

namespace {

// The pick-up of the given kind falling at (x, y); the next drift roll given.
void pickupAt(Form1& f, int kind, int x, int y, double drift = 0.7) {
    f.BonusType = kind;
    f.bonusbox->setSize(18, 18);
    f.bonusbox->move(x, y);
    f.bonusbox->setVisible(true);
    f.BonusFalling = 1;
    f.rt().random().queue(drift);
}

// A planet in play; for a table, the case's planet.
struct Planet : testing::Test {
    PlanetInPlay run;
    Form1& f = run.f;
};
template <class Case>
struct PlanetTable : testing::TestWithParam<Case> {
    const Case& c = this->GetParam();
    PlanetInPlay run{c.planet};
    Form1& f = run.f;
};
}  // namespace

// ---- Each planet's row ----

struct PlanetCase { const char* name; int planet, pick, stay, rods, bad, delay, threshold; };
class Planets : public testing::TestWithParam<PlanetCase> {};
TEST_P(Planets, SetLevelTakesThePlanetsRow) {
    const PlanetCase& c = GetParam();
    GameRun run(RunSetup{"3300 key 16\n", c.planet, 3400});
    Form1& f = run.form1();
    for (int i = 1; i <= 7; ++i) EXPECT_EQ(f.Ships[i].StayTicks, c.stay) << i;
    // The first key started the picks: the first drop ship comes one interval later.
    EXPECT_EQ((Ints{f.RodsNeeded, f.BadRodsOn, f.BonusDelay, f.RodThreshold, f.PickShips->interval(),
                    f.PickShips->enabled(), lit(*f.Planet, 21, *f.LED[c.planet]),
                    lit(*f.RodsLeft, 21, *f.LED[c.rods % 10]) && lit(*f.Rods, 21, *f.LED[0])}),
              (Ints{c.rods, c.bad, c.delay, c.threshold, c.pick, 1, 1, 1}));
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Planets, testing::Values(
    PlanetCase{"P1", 1, 5000, 15, 3, 0, 400, 10}, PlanetCase{"P2", 2, 4000, 15, 5, 0, 400, 10},
    PlanetCase{"P3", 3, 3000, 15, 7, 0, 300, 10}, PlanetCase{"P4", 4, 2500, 10, 9, 0, 250, 10},
    PlanetCase{"P5", 5, 2000, 10, 12, 0, 200, 15}, PlanetCase{"P6", 6, 1500, 8, 15, 1, 100, 15},
    PlanetCase{"P7", 7, 1500, 8, 17, 1, 50, 20}, PlanetCase{"P8", 8, 1000, 7, 20, 1, 25, 5},
    PlanetCase{"P9", 9, 750, 7, 20, 1, 20, 5}), kvtest::CaseName());
// clang-format on

TEST(DropShips, AVisitDescendsRollsOnceRestsItsStayAndClimbsOut) {
    PlanetInPlay run(4);  // a stay of 10
    Form1& f = run.f;
    run.rt().random().queue(0.4);  // Int(0.4 * 7) + 1 = 3
    f.PickShips_Timer();
    f.Ships[2].Active = f.Ships[2].Exploding = 1;  // an exploding ship waits
    run.rt().random().queue(0.01);                 // the one rod roll of the visit: none
    Ints tops, explode{0, 0};
    for (int tick = 0; f.Ships[3].Active == 1 && tick < 100; ++tick) {
        f.DropShips_Timer();
        tops.push_back(f.DropShip[3]->top());
        if (tick == 15) explode = Ints{f.Ships[3].ExplodeX, f.Ships[3].ExplodeY};
    }
    // Down 5 a tick and clamped at 5 on the 16th, ten ticks' rest, up until wholly out of sight.
    EXPECT_EQ((Ints{int(tops.size()), tops[0], tops[14], int(std::count(tops.begin(), tops.end(), 5)), tops.back()}),
              (Ints{15 + 10 + 16, -69, 1, 10, -74}));
    // On arrival its explosion's place is 158 + 5.5 and 5 + 6.5, halves to even.
    EXPECT_EQ((Ints{explode[0], explode[1], f.Ships[3].RodFalling, f.DropShip[2]->top()}), (Ints{164, 12, 0, -74}));
}

// ---- Shots, hits and explosions: all comparisons strict ----

// A shot at drop ship 7 at the top station (462..535, 5..79) or at the bonus
// box (300..341, 200..216); a box of kind 10 shows the bad pick-up, 11 the good.
struct HitCase { const char* name; bool box; int left, top; bool hits; int planet = 1; };
struct Shots : PlanetTable<HitCase> {};
TEST_P(Shots, StrikeAShipForTwentyFivePointsOrTheBoxWhereItStandsThenExplode) {
    f.DropShip[7]->setTop(5);
    f.Ships[7].Active = c.top != 41 ? 1 : 0;  // top 41: a parked ship, never hit
    f.BonusType = c.left == 310 ? 10 : 11;
    f.bonusbox->setPicture(f.bonuspic->picture());
    f.bonusbox->setSize(41, 16);
    f.bonusbox->move(300, c.box ? 200 : 300);
    f.BonusFlying = 1;
    f.Ships[7].ExplodeX = f.BonusExplodeX = 200;  // where their explosions will be drawn
    f.Ships[7].ExplodeY = 100, f.BonusExplodeY = 200;
    f.PlayBullet[3]->move(c.left, c.top);
    f.Firebullets_Timer();
    EXPECT_EQ((Ints{f.Ships[7].Exploding, f.BonusExploding}), (Ints{c.hits && !c.box, c.hits && c.box}));
    if (!c.hits) return;
    if (c.box) {
        EXPECT_EQ((Ints{f.bonusbox->width(), f.bonusbox->visible(), f.bonusbox->left(), f.BonusFlying,
                        f.BonusExplodeFrame, run.heard("5:Samples/HitBonus.wav"),
                        f.bonusbox->picture().name == (c.left == 310 ? "badbonuspic" : "goddbonuspic")}),
                  (Ints{c.left == 310 ? 19 : 18, 0, 300, 0, 1, 1, 1}));
    } else {
        EXPECT_EQ((Ints{f.Ships[7].Active, f.ShipExplodeFrame[7], f.DropShip[7]->top(), int(run.g.PlayerScore),
                        f.PlayBullet[3]->top(), run.heard("2:Samples/ShipExplode.wav"), lit(*f.Score, 61, *f.LED[2])}),
                  (Ints{0, 1, -74, 25, 476, 1, 1}));
    }
    // Its first frame where it was placed; seven frames for a ship, eight and a black square for the box.
    const int y = c.box ? 228 : 128;
    const kv::Image& first = c.box ? *f.BonExplode[1] : *f.ShipExplode[1];
    f.explosions_Timer();
    EXPECT_EQ(f.scapebox->shown().pixel(230, y), first.picture().image->pixel(30, 28));
    for (int tick = 2; tick < (c.box ? 8 : 7); ++tick) f.explosions_Timer();
    EXPECT_EQ(c.box ? f.BonusExploding : f.Ships[7].Exploding, 1);
    f.explosions_Timer();
    EXPECT_EQ((Ints{f.Ships[7].Exploding, f.BonusExploding, f.BonusFalling, f.bonusbox->visible()}),
              (Ints{0, 0, c.box, c.box}));
    EXPECT_EQ(f.scapebox->shown().pixel(230, y), kv::Color(0, 0, 0));  // the black square last
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Edges, Shots, testing::Values(
    HitCase{"Ship", false, 480, 40, true}, HitCase{"ShipsLeftEdge", false, 462, 40, false},
    HitCase{"ShipsRightEdge", false, 522, 40, false}, HitCase{"ShipsBottom", false, 480, 79, false},
    HitCase{"AboveShipsBottom", false, 480, 78, true}, HitCase{"GoneAboveTheTop", false, 480, -36, false},
    HitCase{"JustBelowTheTop", false, 480, -35, true}, HitCase{"ParkedShip", false, 480, 41, false},
    HitCase{"Box", true, 310, 190, true}, HitCase{"BoxsBottom", true, 305, 216, false},
    HitCase{"AboveBoxsBottom", true, 305, 215, true}, HitCase{"WhollyAboveTheBox", true, 305, 164, false},
    HitCase{"TipInsideTheBox", true, 305, 165, true}, HitCase{"BoxsLeftEdge", true, 300, 190, false},
    HitCase{"BoxsRightEdge", true, 328, 190, false}, HitCase{"InsideBoxsRightEdge", true, 327, 190, true}),
    kvtest::CaseName());
// clang-format on

TEST_F(Planet, ThreeBulletSlotsCycleAndASlotPastTheAllowanceStopsInMidAir) {
    f.BulletsAllowed = 3;
    for (int i = 0; i < 4; ++i) f.scapebox_KeyDown(17, 0);  // the fourth finds slot 3 flying: silent
    f.PlayBullet[1]->setTop(-26);
    f.Firebullets_Timer();  // -36: not yet gone
    EXPECT_EQ((Ints{run.heard("1:Samples/Phaser.wav"), f.NextBullet, f.BulletOn[1], f.PlayBullet[1]->visible()}),
              (Ints{3, 3, 1, 1}));
    f.Firebullets_Timer();  // -46: gone, and the next shot takes two slots back
    f.scapebox_KeyDown(17, 0);
    f.scapebox_KeyDown(17, 0);  // slot 2 still flying: silent
    f.BulletsAllowed = 2;
    f.Firebullets_Timer();
    EXPECT_EQ((Ints{run.heard("1:Samples/Phaser.wav"), f.PlayBullet[1]->top(), f.PlayBullet[2]->top(),
                    f.PlayBullet[3]->top()}),
              (Ints{4, 466, 446, 456}));
}

// ---- Rods and radiation ----

TEST(Rods, TheRollDecidesNoRodAGoodRodOrABadOneLevelWithTheShipsBottom) {
    // r = Int(roll * 100) + 1 against the planet's threshold; bad rods only from planet 6.
    // clang-format off
    for (auto [planet, roll, kind, sound] : {std::tuple{1, 0.08, 0, 0}, {1, 0.09, 1, 1}, {1, 0.79, 1, 1},
         {1, 0.80, 1, 0}, {6, 0.84, 1, 1}, {6, 0.85, 2, 1}, {9, 0.03, 0, 0}, {9, 0.75, 2, 1}}) {
        // clang-format on
        PlanetInPlay run(planet);
        Form1& f = run.f;
        f.DropShip[7]->setTop(5);
        run.rt().random().queue(roll);
        f.drop_rod(7);
        EXPECT_EQ((Ints{f.Ships[7].RodFalling, f.Ships[7].RodKind, run.heard("2:Samples/DropRod.wav")}),
                  (Ints{kind != 0, kind, sound}))
            << planet << " " << roll;
        EXPECT_EQ(std::pair(kind ? f.RadRod[7]->picture().name : "", f.RadRod[7]->top()),
                  std::pair(std::string(kind == 2 ? "badrod"
                                        : kind    ? "goodrod"
                                                  : ""),
                            kind ? 41 : -38));
    }
}

// The player stands at 275..351 with its top at 476; rod 7 (26 x 38) falls 7 pixels a tick.
// kind, left and top: before the tick
struct RodCase { const char* name; int kind, left, top; bool carrying, caught; int radiation; int planet = 6; };
struct RodTick : PlanetTable<RodCase> {};
TEST_P(RodTick, ACatchStraddlesTheShipStrictlyInsideItsWidthALandingPassesTheGround) {
    if (c.carrying) f.Player->setPicture(f.PlayerRod->picture());
    f.Ships[7].RodFalling = 1;
    f.Ships[7].RodKind = c.kind;
    f.RadRod[7]->move(c.left, c.top);
    f.droprods_Timer();
    EXPECT_EQ(
        (Ints{f.Ships[7].RodFalling, f.CanFire, run.g.RadiationLevel, run.heard("5:Samples/CaughtRod.wav"),
              run.heard("4:Samples/Boom.wav"), f.RadRod[7]->top() == -38}),
        (Ints{!c.caught && !c.radiation, !c.caught, c.radiation, c.caught, c.radiation != 0, c.caught || c.radiation}));
    if (!c.caught) return;
    EXPECT_EQ((Ints{f.Player->picture().name == "PlayerRod", f.RodsDefused, f.RodsNeeded, f.Ships[7].RodKind}),
              (c.kind == 2 ? Ints{1, -1, 16, 0} : Ints{1, 0, 15, 0}));  // a bad rod sets the tally back
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Edges, RodTick, testing::Values(
    RodCase{"Inside", 1, 300, 440, false, true, 0}, RodCase{"BadInside", 2, 300, 440, false, true, 0},
    RodCase{"OnTheLeftEdge", 1, 275, 440, false, false, 0}, RodCase{"OnTheRightEdge", 1, 325, 440, false, false, 0},
    RodCase{"BottomOnTheTop", 1, 300, 431, false, false, 0}, RodCase{"BottomPastTheTop", 1, 300, 432, false, true, 0},
    RodCase{"TopOnTheTop", 1, 300, 469, false, false, 0}, RodCase{"TopAboveTheTop", 1, 300, 468, false, true, 0},
    RodCase{"ShipAlreadyCarries", 1, 300, 440, true, false, 0}, RodCase{"AtTheGround", 1, 100, 538, false, false, 0},
    RodCase{"GoodLands", 1, 100, 539, false, false, 19}, RodCase{"BadLands", 2, 100, 539, false, false, 3}),
    kvtest::CaseName());
// clang-format on

TEST_F(Planet, TheRadiationGaugeRunsGreenYellowRedOverItsDimBackground) {
    // Level -1 leaves the background alone; the gauge is never cleared, so a shorter bar leaves the longer one's
    // columns.
    // clang-format off
    for (auto [level, x, red, green] : {std::tuple{-1, 0, 0, 50}, {-1, 2, 0, 50}, {-1, 6, 2, 50}, {-1, 100, 25, 50},
         {-1, 283, 50, 50}, {-1, 383, 50, 25}, {-1, 400, 50, 21}, {-1, 483, 50, 0}, {-1, 565, 50, 0},
         {565, 0, 0, 255}, {565, 254, 254, 255}, {565, 255, 255, 255}, {565, 284, 255, 255}, {565, 285, 255, 254},
         {565, 538, 255, 1}, {565, 539, 255, 0}, {565, 565, 255, 0}, {300, 400, 255, 139}}) {
        // clang-format on
        run.g.RadiationLevel = level;
        if (level < 0) f.paintGaugeBackground();
        f.print_radiation();
        EXPECT_EQ(f.RadProgress->shown().pixel(x, 9), kv::Color(red, green, 0)) << level << " at " << x;
    }
    EXPECT_EQ(run.g.PlayerLives, 3);  // 565 is below the limit
}

TEST_F(Planet, TheRadiationLimitCostsALifeSevenFramesLaterTheNextBeginsAfterTheLastTheGameEnds) {
    run.g.RadiationLevel = 547;
    run.g.PlayerLives = 1;
    f.Ships[1].RodFalling = f.Ships[1].RodKind = 1;
    f.RadRod[1]->setTop(540);
    f.droprods_Timer();  // lands: 566
    EXPECT_EQ((Ints{run.g.PlayerLives, lit(*f.LivesLeft, 21, *f.LED[0]), run.g.RadiationLevel, run.g.ShipFrozen,
                    f.Player->visible(), f.PickShips->enabled(), f.DropShips->enabled(), f.FireBullets->enabled(),
                    f.droprods->enabled(), run.heard("2:Samples/ShipExplode.wav")}),
              (Ints{0, 1, 0, 1, 0, 0, 0, 0, 0, 1}));
    f.scapebox_KeyDown(37, 0);  // frozen: keys move nothing
    f.PlayerSpeed = 20, f.BulletsAllowed = 3;
    f.explosions_Timer();  // the first frame where the ship stood
    EXPECT_EQ(f.scapebox->shown().pixel(f.PlayerExplodeX + 30, f.PlayerExplodeY + 28),
              f.ShipExplode[1]->picture().image->pixel(30, 28));
    for (int tick = 2; tick <= 6; ++tick) f.explosions_Timer();
    EXPECT_EQ((Ints{f.PlayerExploding, f.Player->left()}), (Ints{1, 275}));
    f.explosions_Timer();
    EXPECT_EQ((Ints{f.PlayerExploding, f.Player->visible(), f.PlayerSpeed, f.BulletsAllowed, run.g.ShipFrozen,
                    f.PickShips->enabled(), f.DropShips->enabled(), f.FireBullets->enabled(), f.droprods->enabled()}),
              (Ints{0, 1, 10, 1, 0, 1, 1, 1, 1}));
    run.g.RadiationLevel = 566;  // the last life
    f.print_radiation();
    EXPECT_EQ((Ints{run.g.PlayerLives, lit(*f.LivesLeft, 21, *f.LED[0])}), (Ints{-1, 1}));  // -1 reads 0
    run.runUntil(run.rt().now() + 800);  // seven frames, then the game-over picture dissolves in
    int pictured = 0;
    for (int x = 0; x < 306; ++x) pictured += f.scapebox->shown().pixel(170 + x, 272) == f.GOver->image().pixel(x, 24);
    EXPECT_EQ((Ints{run.heard("1:Samples/GameOver.wav"), f.EndWait2->enabled(), f.Transitions->blockSize(), pictured}),
              (Ints{1, 1, 8, 306}));
    run.runUntil(run.rt().now() + 3100);  // the picture fades and the score table opens
    EXPECT_EQ((Ints{run.planetLoaded(), run.g.ScoresFromMenu, run.g.SoundDevice}), (Ints{0, 0, 0}));
}

// ---- Bonus boxes ----

TEST_F(Planet, TheBonusClockRollsAKindAfterItsDelayAndTheBoxCrossesFromTheRight) {
    for (auto [kind, top, type, boxTop] : {std::tuple{0.01, 0.0, 0, 0}, {0.5, 0.5, 9, 250}, {0.1, 0.999, 1, 387}}) {
        f.BonusType = f.BonusFlying = 0;
        f.BonusTicks = f.BonusDelay - 2;
        f.JoystickCont_Timer();  // one tick short: no roll
        EXPECT_EQ(f.BonusTicks, f.BonusDelay - 1);
        run.rt().random().queue(kind);
        if (type) run.rt().random().queue(top);
        f.JoystickCont_Timer();
        EXPECT_EQ((Ints{f.BonusType, f.BonusTicks, f.BonusFlying, f.bonusbox->left(), f.bonusbox->top()}),
                  (Ints{type, 0, type != 0, 645, type ? boxTop : f.bonusbox->top()}));
    }
    EXPECT_EQ((Ints{run.heard("3:Samples/Bonus.wav"), f.bonusbox->visible(), f.bonusbox->picture().name == "bonuspic"}),
              (Ints{2, 1, 1}));
    f.bonusbox->move(-35, 151);
    f.droprods_Timer();  // 5 pixels left; its explosion would be at -40 - 7.5 and 151 - 18.5, halves to even
    EXPECT_EQ((Ints{f.BonusFlying, f.BonusExplodeX, f.BonusExplodeY}), (Ints{1, -48, 132}));
    f.bonusbox->move(-36, 151);
    f.droprods_Timer();  // -41: not yet wholly past the edge
    EXPECT_EQ(f.BonusFlying, 1);
    f.BonusTicks = 5;  // the clock starts again when the box gets away
    f.droprods_Timer();
    EXPECT_EQ((Ints{f.BonusFlying, f.BonusType, f.bonusbox->visible(), f.BonusTicks}), (Ints{0, 0, 0, 0}));
}

// The pick-up (18 x 18) drifts 5 pixels, falls 8, and is caught inside the ship (275..351, top 476).
constexpr int kCaught = 999, kLost = 645;
// leftAfter: kCaught when caught, kLost when lost past the ground
struct FallCase { const char* name; int left, top; double drift; int leftAfter; int planet = 1; };
struct PickUpFall : PlanetTable<FallCase> {};
TEST_P(PickUpFall, DriftsInsideTheFieldAndIsCaughtInsideTheShipOrLostPastTheGround) {
    pickupAt(f, 5, c.left, c.top, c.drift);
    f.BonusTicks = 7;
    f.droprods_Timer();
    const bool caught = c.leftAfter == kCaught, lost = c.leftAfter == kLost, falling = !caught && !lost;
    EXPECT_EQ(
        (Ints{int(run.g.PlayerScore), f.BonusFalling, f.BonusType, f.BonusTicks, f.bonusbox->left(),
              f.bonusbox->visible(), run.heard("3:Samples/GetBonus.wav")}),
        (Ints{caught ? 100 : 0, falling, lost ? 0 : 5, lost ? 0 : 7, caught ? 645 : c.leftAfter, falling, caught}));
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Edges, PickUpFall, testing::Values(
    FallCase{"Inside", 295, 460, 0.7, kCaught}, FallCase{"OnTheLeftEdge", 280, 460, 0.2, 275},
    FallCase{"OnTheRightEdge", 328, 460, 0.7, 333}, FallCase{"BottomOnTheTop", 295, 450, 0.7, 300},
    FallCase{"BottomPastTheTop", 295, 451, 0.7, kCaught}, FallCase{"TopOnTheTop", 295, 468, 0.7, 300},
    FallCase{"TopAboveTheTop", 295, 467, 0.7, kCaught}, FallCase{"Roll49GoesLeft", 100, 100, 0.489, 95},
    FallCase{"Roll50GoesRight", 100, 100, 0.495, 105}, FallCase{"LeftAtTheEdge", 0, 100, 0.2, 0},
    FallCase{"LeftPastTheEdge", 1, 100, 0.2, -4}, FallCase{"RightAtTheEdge", 631, 100, 0.7, 631},
    FallCase{"RightBeforeTheEdge", 630, 100, 0.7, 635}, FallCase{"AtTheGround", 100, 537, 0.7, 105},
    FallCase{"PastTheGround", 100, 538, 0.7, kLost}), kvtest::CaseName());
// clang-format on

// kind, radiation, speed and bullets before; after: radiation, speed, bullets, lives and score;
// fadeTicks: 20 for a green name, 26 for yellow or red
struct EffectCase { const char* name; int kind, radiation, speed, bullets; Ints after; const char* label;
    int fadeTicks; kv::Color colour; int planet = 1; };
struct BonusEffects : PlanetTable<EffectCase> {};
TEST_P(BonusEffects, EachKindDoesWhatItsNameSaysAndTheNameFades) {
    run.g.RadiationLevel = c.radiation;
    f.PlayerSpeed = c.speed;
    f.BulletsAllowed = c.bullets;
    f.BonusTicks = 5;
    pickupAt(f, c.kind, 300, 455);
    f.droprods_Timer();
    EXPECT_EQ((Ints{run.g.RadiationLevel, f.PlayerSpeed, f.BulletsAllowed, run.g.PlayerLives, int(run.g.PlayerScore)}),
              c.after);
    EXPECT_EQ(f.bonuslabel->caption(), c.label);
    // Centred on the playfield: its top by the label's height before the name (37), its left by the name's width.
    EXPECT_EQ((Ints{lit(*f.LivesLeft, 21, *f.LED[c.after[3]]), f.bonuslabel->foreColor() == c.colour,
                    f.bonuslabel->top(), std::abs(2 * f.bonuslabel->left() + f.bonuslabel->width() - 645) <= 1}),
              (Ints{1, 1, 254, 1}));
    int ticks = 0;
    for (; f.LabelFading == 1 && f.bonuslabel->visible() && ticks < 100; ++ticks) f.explosions_Timer();
    EXPECT_EQ((Ints{ticks, f.BonusTicks}), (Ints{c.fadeTicks, c.kind == 15 ? 5 : 0}));
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, BonusEffects, testing::Values(
    EffectCase{"LessRadiation", 1, 30, 10, 1, {-10, 10, 1, 3, 0}, "Decrease Radiation Level", 20, {0, 200, 0}},
    EffectCase{"LessRadiationAtZero", 11, 0, 10, 1, {0, 10, 1, 3, 0}, "Decrease Radiation Level", 20, {0, 200, 0}},
    EffectCase{"ExtraLife", 12, 0, 10, 1, {0, 10, 1, 4, 0}, "EXTRA LIFE!", 20, {0, 200, 0}},
    EffectCase{"FasterWithoutCap", 13, 0, 25, 1, {0, 30, 1, 3, 0}, "Faster Movement", 20, {0, 200, 0}},
    EffectCase{"BonusStage", 15, 0, 10, 1, {0, 10, 1, 3, 0}, "BONUS STAGE!", 26, {255, 255, 0}},
    EffectCase{"HundredPoints", 16, 0, 10, 1, {0, 10, 1, 3, 100}, "100 Points", 20, {0, 200, 0}},
    EffectCase{"ExtraBullet", 17, 0, 10, 4, {0, 10, 5, 3, 0}, "Shoot 1 extra bullet", 20, {0, 200, 0}},
    EffectCase{"ExtraBulletAtFive", 6, 0, 10, 5, {0, 10, 5, 3, 0}, "Shoot 1 extra bullet", 20, {0, 200, 0}},
    EffectCase{"MoreRadiation", 8, 100, 10, 1, {140, 10, 1, 3, 0}, "Increase Radiation Level", 26, {255, 0, 0}},
    EffectCase{"Slower", 9, 0, 11, 1, {0, 6, 1, 3, 0}, "Slower Movement", 26, {255, 0, 0}},
    EffectCase{"SlowerNotBelowSix", 9, 0, 6, 1, {0, 6, 1, 3, 0}, "Slower Movement", 26, {255, 0, 0}},
    EffectCase{"OneBullet", 10, 0, 10, 4, {0, 10, 1, 3, 0}, "Shoot 1 Bullet", 26, {255, 0, 0}}),
    kvtest::CaseName());
// clang-format on

// ---- The end of a planet ----

TEST_F(Planet, CompleteLevelEndsThePlanetOnceItsNameHasFadedAndTheNextBegins) {
    f.RodsNeeded = 1;  // one rod to go: the planet goes on
    f.print_rods();
    EXPECT_EQ((Ints{run.g.ShipFrozen, f.EndWait->enabled()}), (Ints{0, 0}));
    f.RodsNeeded = 3;
    f.Player->setPicture(f.PlayerRod->picture());  // the next planet begins without the rod
    pickupAt(f, 7, 300, 455);
    f.droprods_Timer();
    EXPECT_EQ(f.RodsNeeded, 3);
    run.runUntil(run.rt().now() + 2100);  // 20 fade ticks, then the level-clear wipe
    EXPECT_EQ((Ints{f.RodsNeeded, run.g.ShipFrozen, f.EndWait->enabled(), f.PickShips->enabled(),
                    f.scapebox->shown().pixel(322, 272) == f.ClearSrc->image().pixel(322 - 114, 272 - 228)}),
              (Ints{0, 1, 1, 0, 1}));
    run.runUntil(run.rt().now() + 2100 + 3300);
    EXPECT_EQ((Ints{run.g.PlanetLevel, f.RodsNeeded, f.ClearPic->image().pixel(200, 45) == kv::Color(0, 0, 0),
                    f.Player->picture().name == "PlayerNorm"}),
              (Ints{2, 5, 1, 1}));  // the picture faded out
}

TEST(Cheats, TheLevelCheatAsksUntilItGetsOneToNine) {
    GameRun run(
        RunSetup{"3300 key 16\n3400 key 108\n3500 type 10\n3510 press OK\n3600 press OK\n3700 type abc\n"
                 "3710 press OK\n3800 press Cancel\n3900 type 9\n3910 press OK\n",
                 1, 3920, kvtest::chosen(1, "", true)});
    const nlohmann::json& m = run.dump["messages"];
    ASSERT_GE(m.size(), 5u);
    EXPECT_EQ((std::vector<std::string>{m[0]["title"], m[1]["title"], m[0]["answer"], m[3]["answer"], m[4]["answer"]}),
              (std::vector<std::string>{"You bloody cheat!", "What an Idiot!", "10", "Cancel", "9"}));
    EXPECT_EQ((Ints{run.shared()["PlanetLevel"], run.vars()["RodsNeeded"]}), (Ints{9, 20}));
}
