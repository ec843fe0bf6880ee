// The bonus stage and the mother-ship fight played through: the formation's
// sweep, waves, the extra life, the ways each stage ends, and where they lead.
#include <gtest/gtest.h>

#include "stages/bonus_stage.h"
#include "stages/boss_stage.h"
#include "support/case_names.h"
#include "support/harness.h"

using kvtest::GameRun;
using kvtest::PlanetInPlay;
using kvtest::RunSetup;
using json = nlohmann::json;
using kv::stages::BonusStage;
using kv::stages::BossStage;

namespace {
// The two opening captions end at 3180 ms; a key at 3300 starts the stage.
struct BonusInPlay : GameRun {
    BonusInPlay() : GameRun(RunSetup{"3300 key 16\n", {}, 3310, {}, {}, true}), s(screen<BonusStage>()) {}
    BonusStage& s;
};
struct MotherShipInPlay : GameRun {
    MotherShipInPlay() : GameRun(RunSetup{"3300 key 16\n", 10, 3310}), s(screen<BossStage>()) {}
    BossStage& s;
};

// A shot standing inside enemy i, as if it had just climbed there.
void shoot(BonusStage& s, int i) {
    kv::PictureBox& ship = *s.EShip[i];
    s.PlayBullet[1]->move(ship.left() + 30, ship.top() + 10);
    s.Firebullets_Timer();
}

// Fireball i just above the player's ship, so that its next fall hits.
template <class S>
void fireballOnPlayer(S& s, int i) {
    s.fireball[i]->move(s.Player->left() + 20, s.Player->top() - 60);
    s.fireball[i]->setVisible(true);
}
}  // namespace

// ---- The formation's sweep ----

struct SweepCase {
    const char* name;
    int ship1, ship5, dir;             // before the tick; ship 2 stands 100 right of ship 1
    int ship1After, ship2After, dirAfter;
};
class FormationSweep : public testing::TestWithParam<SweepCase> {};
TEST_P(FormationSweep, MovesFivePixelsATickAndTurnsAtTheEdges) {
    const SweepCase& c = GetParam();
    BonusInPlay run;
    auto& s = run.s;
    s.EShip[1]->setLeft(c.ship1);
    s.EShip[2]->setLeft(c.ship1 + 100);
    s.EShip[5]->setLeft(c.ship5);
    s.FleetDir = static_cast<std::int16_t>(c.dir);
    s.MoveShips_Timer();
    EXPECT_EQ(s.EShip[1]->left(), c.ship1After);
    EXPECT_EQ(s.EShip[2]->left(), c.ship2After);
    EXPECT_EQ(s.FleetDir, c.dirAfter);
}
INSTANTIATE_TEST_SUITE_P(
    Ticks, FormationSweep,
    testing::Values(SweepCase{"MovingLeft", 153, 550, 1, 148, 248, 1},
                    // ship 1 reaches the edge, turns, and moves straight back; the rest move right
                    SweepCase{"LeftTurn", 5, 402, 1, 5, 110, 2}, SweepCase{"LeftTurnPastTheEdge", 4, 401, 1, 4, 109, 2},
                    SweepCase{"MovingRight", 100, 500, 2, 105, 205, 2},
                    // the right turn takes effect on the next tick
                    SweepCase{"RightTurn", 100, 707, 2, 105, 205, 1},
                    SweepCase{"RightEdgeExactly", 100, 706, 2, 105, 205, 2}),
    kvtest::CaseName());

TEST(BonusStage, EveryLeftTurnLeavesShipOneFivePixelsFurtherBehind) {
    BonusInPlay run;
    auto& s = run.s;
    int turns = 0;
    for (int tick = 0; tick < 400; ++tick) {
        const int before = s.FleetDir;
        s.MoveShips_Timer();
        turns += before == 1 && s.FleetDir == 2;
    }
    ASSERT_GE(turns, 2);
    EXPECT_EQ(s.EShip[2]->left() - s.EShip[1]->left(), 100 + 5 * turns);
    EXPECT_EQ(s.EShip[3]->left() - s.EShip[2]->left(), 99);   // the others keep their places
}

// ---- Waves and the extra life ----

TEST(BonusStage, EachShipDownBringsFireballsSoonerAndAClearedWaveAFreshOne) {
    BonusInPlay run;
    auto& s = run.s;
    for (int i = 1; i <= 11; ++i) shoot(s, i);
    run.runUntil(run.rt().now() + 850);
    EXPECT_EQ(s.DropBullets->interval(), 2000 - 11 * 166);   // 174 with one ship left
    EXPECT_FALSE(s.EShip[3]->visible());
    shoot(s, 12);
    run.runUntil(run.rt().now() + 850);   // eight frames of 100 ms
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(s.EShip[i]->picture().name, "enemypic") << i;
    EXPECT_EQ(s.ShipsDestroyed, 0);
    EXPECT_EQ(s.DropBullets->interval(), 2000);
    EXPECT_EQ(run.game().state.PlayerScore, 600);
    EXPECT_EQ(run.heard("5:Samples/GetBonus.wav"), 1);
    // Where the formation had swept to, not back at its first place.
    EXPECT_NE(s.EShip[2]->left(), 253);
    EXPECT_EQ(s.EShip[3]->left() - s.EShip[2]->left(), 99);
    EXPECT_EQ(s.EShip[11]->top(), 155);
}

TEST(BonusStage, TwentyShipsGiveTheExtraLifeOnceTheNoticeHasFaded) {
    BonusInPlay run;
    auto& s = run.s;
    auto& g = run.game().state;
    for (int i = 1; i <= 12; ++i) shoot(s, i);
    run.runUntil(run.rt().now() + 850);
    for (int i = 1; i <= 7; ++i) shoot(s, i);
    EXPECT_FALSE(s.exLife->visible());
    shoot(s, 8);   // the twentieth: 1000 points
    const std::uint64_t noticed = run.rt().now();
    EXPECT_TRUE(s.exLife->visible());
    EXPECT_EQ(run.heard("4:Samples/Diffuse.wav"), 1);
    run.runUntil(noticed + 2550);
    EXPECT_EQ(g.PlayerLives, 3);
    EXPECT_TRUE(s.exLife->visible());
    run.runUntil(noticed + 2800);
    EXPECT_EQ(g.PlayerLives, 4);
    EXPECT_FALSE(s.exLife->visible());
    EXPECT_EQ(s.LabelFading, 0);
}

// ---- How the bonus stage ends ----

struct EndingCase {
    const char* name;
    bool timeOut;
    int channel;   // of the explosion sound
};
class BonusEnding : public testing::TestWithParam<EndingCase> {};
TEST_P(BonusEnding, HandsBackToTheNextPlanetTwoSecondsAfterTheExplosion) {
    const EndingCase& c = GetParam();
    BonusInPlay run;
    auto& s = run.s;
    s.DropBullets->setEnabled(false);   // no stray fireballs while the clock runs out
    if (c.timeOut) {
        run.runUntil(3300 + 60000 + 10);
        EXPECT_EQ(s.SecondsLeft, 0);
    } else {
        s.Enemies[3].FireballOut = 1;
        fireballOnPlayer(s, 3);
        s.Firebullets_Timer();
    }
    EXPECT_EQ(s.PlayerDown, 1);
    EXPECT_FALSE(s.Player->visible());
    EXPECT_FALSE(s.CountDown->enabled());
    EXPECT_EQ(run.heard(std::to_string(c.channel) + ":Samples/ShipExplode.wav"), 1);
    const std::uint64_t down = run.rt().now();
    run.runUntil(down + 800 + 1900);
    EXPECT_TRUE(run.screen<BonusStage>().DoWait->enabled());   // two seconds after the explosion
    run.runUntil(down + 800 + 2100);
    EXPECT_EQ(run.dump["forms"], json::array({"Form1"}));
    EXPECT_FALSE(run.dump["form"].contains("BonusStage"));
    EXPECT_EQ(run.shared()["PlanetLevel"], 2);
    EXPECT_EQ(run.sounds().back().rfind("4:Samples/Start Level.wav", 0), 0u);   // planet 2 begins
}
INSTANTIATE_TEST_SUITE_P(Endings, BonusEnding,
                         testing::Values(EndingCase{"TimeOut", true, 2}, EndingCase{"Fireball", false, 3}),
                         kvtest::CaseName());

TEST(BonusStage, ABonusStageFromPlanetNineLeadsToTheMotherShip) {
    PlanetInPlay run(9);
    run.f.do_bonus();
    EXPECT_FALSE(run.form1().shown());   // set aside, still loaded
    EXPECT_EQ(run.g.ShipFrozen, 1);
    auto& s = run.screen<BonusStage>();
    s.Enemies[1].FireballOut = 1;
    fireballOnPlayer(s, 1);
    s.Firebullets_Timer();
    run.runUntil(run.rt().now() + 3000);
    EXPECT_EQ(run.dump["forms"], json::array({"BossStage"}));
    EXPECT_FALSE(run.planetLoaded());
    EXPECT_EQ(run.g.PlanetLevel, 10);
}

// ---- The mother ship ----

TEST(MotherShip, HitsWithinOneFlashCountOnce) {
    MotherShipInPlay run;
    auto& s = run.s;
    s.MoveShip->setEnabled(false);
    s.theboss->move(300, 40);
    s.PlayBullet[1]->move(350, 100);
    s.PlayBullet[2]->move(400, 120);
    s.Firebullets_Timer();
    EXPECT_EQ(s.theboss->picture().name, "boss_hitpic");
    run.runUntil(run.rt().now() + 100);
    s.PlayBullet[1]->move(350, 100);
    s.Firebullets_Timer();
    run.runUntil(run.rt().now() + 150);
    EXPECT_EQ(s.BossDamage, 1);
    EXPECT_EQ(s.theboss->picture().name, "bosspic");
    EXPECT_EQ(run.heard("4:Samples/HitBonus.wav"), 1);
}

TEST(MotherShip, TheTwentyFifthCountedHitBreaksItUpAndTheEndFollows) {
    MotherShipInPlay run;
    auto& s = run.s;
    s.MoveShip->setEnabled(false);
    s.theboss->move(300, 40);
    s.BossDamage = 24;
    s.Fireballs[7] = 1;
    s.fireball[7]->setVisible(true);
    s.PlayBullet[1]->move(350, 100);
    s.Firebullets_Timer();
    run.runUntil(run.rt().now() + 210);
    EXPECT_EQ(s.BossDamage, 25);
    EXPECT_EQ(s.BossExploding, 1);
    EXPECT_FALSE(s.FireBullets->enabled());
    EXPECT_FALSE(s.fireball[7]->visible());   // falling fireballs vanish at once
    EXPECT_EQ(s.explosions->interval(), 20);
    // Fifteen explosions of eight 20 ms frames: 2.4 s.
    run.runUntil(run.rt().now() + 2350);
    EXPECT_EQ(s.BossExplodeCount, 14);
    EXPECT_TRUE(run.dump["form"].contains("BossStage"));
    run.runUntil(run.rt().now() + 100);
    EXPECT_FALSE(run.dump["form"].contains("BossStage"));
    EXPECT_EQ(run.heard("3:Samples/ShipExplode.wav"), 15);
}

TEST(MotherShip, AFireballCostsALifeAndTheShipComesBackWhereItWas) {
    MotherShipInPlay run;
    auto& s = run.s;
    s.DropBullets->setEnabled(false);
    s.Player->setLeft(200);
    s.Fireballs[4] = 1;
    fireballOnPlayer(s, 4);
    s.Firebullets_Timer();
    EXPECT_EQ(run.game().state.PlayerLives, 2);
    EXPECT_EQ(s.PlayerDown, 1);
    EXPECT_TRUE(s.MoveShip->enabled());   // the mother ship keeps flying
    // An exploding ship cannot be hit again.
    s.Fireballs[5] = 1;
    fireballOnPlayer(s, 5);
    s.Firebullets_Timer();
    EXPECT_EQ(run.game().state.PlayerLives, 2);
    run.runUntil(run.rt().now() + 850);
    EXPECT_TRUE(s.Player->visible());
    EXPECT_EQ(s.Player->left(), 200);
    EXPECT_EQ(s.PlayerDown, 0);
}

TEST(MotherShip, LosingTheLastLifeEndsTheGame) {
    MotherShipInPlay run;
    auto& s = run.s;
    auto& g = run.game().state;
    s.DropBullets->setEnabled(false);
    g.PlayerLives = 0;
    s.Fireballs[4] = 1;
    fireballOnPlayer(s, 4);
    s.Firebullets_Timer();
    EXPECT_EQ(g.PlayerLives, -1);
    run.runUntil(run.rt().now() + 850);
    EXPECT_TRUE(s.EndWait->enabled());
    EXPECT_FALSE(s.MoveShip->enabled());
    EXPECT_EQ(run.heard("5:Samples/GameOver.wav"), 1);
    // The game-over picture dissolves in, and three seconds later the table.
    run.runUntil(run.rt().now() + 3100);
    EXPECT_FALSE(run.dump["form"].contains("BossStage"));
    EXPECT_EQ(g.ScoresFromMenu, 0);
}
