// The bonus stage and the mother-ship fight at their edges: the player's keys,
// the formation's sweep and fire, hits, waves and the extra life, the ways the
// bonus stage ends; the mother ship's flight, fire, hits and break-up.
#include <gtest/gtest.h>

#include "stages/bonus_stage.h"
#include "stages/boss_stage.h"
#include "support/case_names.h"
#include "support/harness.h"

using kv::stages::BonusStage;
using kv::stages::BossStage;
using kvtest::GameRun;
using kvtest::RunSetup;
using kvtest::Ints;
using kvtest::lit;

namespace {
// A stage in play: its captions end at 3180 ms, a key at 3300 starts it. The
// mother ship is held still at (300, 40) and fires nothing of its own.
template <class Base>
struct BonusOn : Base {
    GameRun run{RunSetup{"3300 key 16\n", {}, 3310, {}, {}, true}};
    BonusStage& s = run.screen<BonusStage>();
};
template <class Base>
struct MotherShipOn : Base {
    GameRun run{RunSetup{"3300 key 16\n", 10, 3310}};
    BossStage& s = run.screen<BossStage>();
    MotherShipOn() {
        s.MoveShip->setEnabled(false);
        s.DropBullets->setEnabled(false);
        s.theboss->move(300, 40);
    }
};
struct Bonus : BonusOn<testing::Test> {};
struct MotherShip : MotherShipOn<testing::Test> {};


// How many pixels of the box are wholly this colour.
int ink(kv::PictureBox& box, kv::Color c) {
    int n = 0;
    for (int y = 0; y < box.height(); ++y)
        for (int x = 0; x < box.width(); ++x) n += box.canvas().pixel(x, y) == c;
    return n;
}

// A shot standing inside enemy i, as if it had just climbed there.
void shoot(BonusStage& s, int i, int slot = 1) {
    s.PlayBullet[slot]->move(s.EShip[i]->left() + 30, s.EShip[i]->top() + 10);
    s.Firebullets_Timer();
}

// Fireball i falling just above the player's ship, so that its next step hits.
template <class S>
void fireballOnPlayer(S& s, int i) {
    s.fireball[i]->move(s.Player->left() + 20, s.Player->top() - 60);
    s.fireball[i]->setVisible(true);
}
}  // namespace

// ---- The player's keys, the same on both stages ----

struct KeyCase { const char* name; int from, key, down, to, fired; };
struct StageKeys : BonusOn<testing::TestWithParam<KeyCase>> {};
TEST_P(StageKeys, StepThirteenInsideZeroTo720AndFireWhileTheShipLives) {
    const KeyCase& c = GetParam();
    s.Player->setLeft(c.from);
    s.PlayerDown = c.down;
    s.scapebox_KeyDown(c.key, 0);
    EXPECT_EQ((Ints{s.Player->left(), s.BulletOn[1], run.heard("1:Samples/Phaser.wav")}),
              (Ints{c.to, c.fired, c.fired}));
    if (c.down) return;
    s.Firebullets_Timer();  // a shot climbs 10 a tick
    EXPECT_EQ(s.PlayBullet[1]->top(), 461 - 10 * c.fired);
    // Idle shots travel with the ship, centred; the explosion point is where it stands.
    EXPECT_EQ((Ints{s.PlayBullet[2]->left(), s.PlayBullet[2]->top(), s.PlayerExplodeX, s.PlayerExplodeY}),
              (Ints{kv::roundHalfEven(c.to + 38 - 6.5), 461, c.to, 461}));
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Keys, StageKeys, testing::Values(
    KeyCase{"Left", 364, 37, 0, 351, 0}, KeyCase{"Right", 364, 39, 0, 377, 0}, KeyCase{"LeftClampsAtZero", 5, 37, 0, 0, 0},
    KeyCase{"RightClampsAt720", 715, 39, 0, 720, 0}, KeyCase{"EscIsNoPause", 364, 27, 0, 364, 0},
    KeyCase{"CtrlFires", 364, 17, 0, 364, 1}, KeyCase{"DownMovesNot", 364, 37, 1, 364, 0}), kvtest::CaseName());
// clang-format on

// ---- The bonus stage ----

TEST(BonusStage, OpensWithSixtySecondsAndAtZeroTheShipGoesAndTwoSecondsAfterItsExplosionTheNextPlanetBegins) {
    GameRun run(RunSetup{"3300 key 39\n", {}, 3250, {}, {}, true});
    BonusStage& s = run.screen<BonusStage>();
    EXPECT_EQ((Ints{s.textFX->visible(), s.MoveShips->enabled(), s.CountDown->enabled(), s.DropBullets->enabled(),
                    s.BulletsAllowed, s.FleetSpeed, run.heard("5:Samples/Start Level.wav"), !s.PlayBullet[1]->visible(),
                    lit(*s.TimeLeft, 1, *s.LED[6]) && lit(*s.TimeLeft, 21, *s.LED[0]) && lit(*s.Score, 81, *s.LED[0])}),
              (Ints{1, 0, 0, 0, 3, 5, 1, 1, 1}));
    // The title in yellow over a line in white; the extra life's notice waits in yellow.
    EXPECT_EQ((Ints{ink(*s.textFX, {255, 255, 0}) > 1000, ink(*s.textFX, {255, 255, 255}) > 20,
                    s.exLife->foreColor() == kv::Color(255, 255, 0)}),
              (Ints{1, 1, 1}));
    run.runUntil(3310);                // the key starts the stage
    s.DropBullets->setEnabled(false);  // no fireballs while the clock runs out
    run.runUntil(3300 + 60010);
    // The clock shows a dark place and 0.
    EXPECT_EQ((Ints{s.SecondsLeft, s.PlayerDown, s.Player->visible(), s.CountDown->enabled(), s.MoveShips->enabled(),
                    s.FireBullets->enabled(), run.heard("2:Samples/ShipExplode.wav"),
                    lit(*s.TimeLeft, 1, *s.LEDOff) && lit(*s.TimeLeft, 21, *s.LED[0])}),
              (Ints{0, 1, 0, 0, 0, 0, 1, 1}));
    run.runUntil(3300 + 60000 + 800 + 1900);  // eight frames, then two seconds
    EXPECT_EQ((Ints{s.DoWait->enabled(), s.PlayerExploding}), (Ints{1, 0}));
    run.runUntil(3300 + 60000 + 800 + 2100);
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"Form1"}));
    EXPECT_EQ((Ints{run.shared()["PlanetLevel"], run.form1().LabelFading}), (Ints{2, 0}));
    EXPECT_EQ(run.sounds().back().rfind("4:Samples/Start Level.wav", 0), 0u);  // planet 2 begins
}

TEST_F(Bonus, TheFormationSweepsFivePixelsATickAndTurnsAtTheEdges) {
    s.EShip[12]->setVisible(false);  // hidden ships move with the rest
    // Ship 1's left, ship 5's left, the direction; after the tick ship 1's, ship 2's (100 right of 1's) and the
    // direction. At a left turn ship 1 moves left and straight back while the rest move right; the right turn
    // takes effect on the next tick.
    // clang-format off
    for (auto [ship1, ship5, dir, ship1After, ship2After, dirAfter] : {std::tuple{153, 550, 1, 148, 248, 1},
         {5, 402, 1, 5, 110, 2}, {4, 401, 1, 4, 109, 2}, {100, 500, 2, 105, 205, 2}, {100, 707, 2, 105, 205, 1},
         {100, 706, 2, 105, 205, 2}}) {
        // clang-format on
        s.EShip[1]->setLeft(ship1);
        s.EShip[2]->setLeft(ship1 + 100);
        s.EShip[5]->setLeft(ship5);
        s.FleetDir = dir;
        const int twelve = s.EShip[12]->left();
        s.MoveShips_Timer();
        EXPECT_EQ((Ints{s.EShip[1]->left(), s.EShip[2]->left(), s.FleetDir, s.EShip[12]->left() - twelve}),
                  (Ints{ship1After, ship2After, dirAfter, ship2After - ship1 - 100}))
            << ship1 << " " << ship5 << " " << dir;
    }
}

TEST_F(Bonus, AShipFiresOnlyWhenShownAndItsLastFireballIsGoneAndAFireballInsideTheShipDestroysIt) {
    for (auto [hidden, falling, fires] : {std::tuple{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}) {
        s.EShip[12]->setVisible(!hidden);
        s.Enemies[12].FireballOut = falling;
        s.fireball[12]->setVisible(false);
        run.rt().random().queue(0.95);  // Int(0.95 * 12) + 1 = 12
        s.DropBullets_Timer();
        EXPECT_EQ((Ints{s.fireball[12]->visible(), run.heard("2:Samples/Boom.wav")}), (Ints{fires, fires}));
    }
    EXPECT_EQ((Ints{s.fireball[12]->left(), s.fireball[12]->top(), s.Enemies[12].FireballOut}),
              (Ints{458 + 30, 155, 1}));
    s.fireball[12]->setTop(520);
    s.Firebullets_Timer();  // 530: level with the ship but right of it, no hit; at the bottom, still there
    EXPECT_EQ((Ints{s.fireball[12]->visible(), s.Enemies[12].FireballOut, s.PlayerDown}), (Ints{1, 1, 0}));
    s.Firebullets_Timer();  // 540: past the bottom
    EXPECT_EQ((Ints{s.fireball[12]->visible(), s.Enemies[12].FireballOut}), (Ints{0, 0}));
    s.Enemies[12].FireballOut = 1;
    fireballOnPlayer(s, 12);
    s.Firebullets_Timer();
    EXPECT_EQ((Ints{s.PlayerDown, s.Player->visible(), s.CountDown->enabled(), s.MoveShips->enabled(),
                    s.FireBullets->enabled(), s.fireball[12]->visible(), run.heard("3:Samples/ShipExplode.wav")}),
              (Ints{1, 0, 0, 0, 0, 0, 1}));
}

TEST_F(Bonus, ShotShipsExplodeInEightFramesAClearedWaveComesBackAndTwentyShipsGiveALife) {
    auto& g = run.game().state;
    s.DropBullets->setEnabled(false);
    s.EShip[12]->setVisible(false);  // a hidden ship is not hit
    shoot(s, 12);
    s.EShip[12]->setVisible(true);
    for (int i = 1; i <= 11; ++i) {
        if (i == 3) s.PlayBullet[2]->move(s.EShip[3]->left() + 40, s.EShip[3]->top() + 10);  // two shots, one hit
        shoot(s, i);
    }
    s.PlayBullet[2]->move(0, 500);
    EXPECT_EQ((Ints{int(g.PlayerScore), s.ExtraLifePoints, s.Enemies[3].Exploding, s.Enemies[12].Exploding,
                    s.ShipExplodeFrame[3], run.heard("3:Samples/ShipExplode.wav"), s.NextBullet, s.PlayBullet[1]->top(),
                    s.PlayBullet[1]->visible(), s.EShip[3]->visible(), s.EShip[3]->picture().empty()}),
              (Ints{550, 550, 1, 0, 1, 11, 1, 461, 0, 1, 1}));
    for (int tick = 1; tick <= 7; ++tick) s.explosions_Timer();
    EXPECT_TRUE(s.EShip[3]->visible());
    s.explosions_Timer();  // the eighth frame: gone, and the formation fires sooner
    EXPECT_EQ((Ints{s.EShip[3]->visible(), s.Enemies[3].Exploding, s.ShipsDestroyed, s.DropBullets->interval()}),
              (Ints{0, 0, 11, 2000 - 11 * 166}));
    shoot(s, 12);
    for (int tick = 1; tick <= 8; ++tick) s.explosions_Timer();
    for (int i = 1; i <= 12; ++i) EXPECT_TRUE(s.EShip[i]->visible() && s.EShip[i]->picture().name == "enemypic") << i;
    EXPECT_EQ((Ints{s.ShipsDestroyed, s.DropBullets->interval(), run.heard("5:Samples/GetBonus.wav"),
                    s.MoveShips->enabled()}),
              (Ints{0, 2000, 1, 1}));
    for (int i = 1; i <= 8; ++i) shoot(s, i);  // the twentieth: 1000 points
    const std::uint64_t noticed = run.rt().now();
    EXPECT_EQ((Ints{s.exLife->visible(), run.heard("4:Samples/Diffuse.wav")}), (Ints{1, 1}));
    run.runUntil(noticed + 2550);
    EXPECT_EQ((Ints{g.PlayerLives, s.exLife->visible()}), (Ints{3, 1}));
    run.runUntil(noticed + 2800);  // black on the 27th tick: the life
    EXPECT_EQ((Ints{g.PlayerLives, s.exLife->visible(), s.LabelFading}), (Ints{4, 0, 0}));
}

// ---- The mother ship (194 x 216 over a field 797 wide) ----

// side and height: the re-entry's two rolls
struct FlightCase { const char* name; int dir, left; double side, height; int dirAfter, leftAfter, topAfter; };
struct MotherShipFlight : MotherShipOn<testing::TestWithParam<FlightCase>> {};
TEST_P(MotherShipFlight, CrossesAtFifteenAndReentersAtARandomSideAndHeight) {
    const FlightCase& c = GetParam();
    s.BossDir = c.dir;
    s.theboss->setLeft(c.left);
    run.rt().random().queue(c.side);
    run.rt().random().queue(c.height);
    s.MoveShip_Timer();
    EXPECT_EQ((Ints{s.BossDir, s.theboss->left(), s.theboss->top(), run.heard("5:Samples/GetBonus.wav")}),
              (Ints{c.dirAfter, c.leftAfter, c.topAfter, c.topAfter != 40}));
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Passes, MotherShipFlight, testing::Values(
    FlightCase{"Right", 1, 100, 0, 0, 1, 115, 40}, FlightCase{"Left", 2, 100, 0, 0, 2, 85, 40},
    FlightCase{"LeftEdgeTouching", 2, -179, 0, 0, 2, -194, 40}, FlightCase{"RightEdgeTouching", 1, 782, 0, 0, 1, 797, 40},
    FlightCase{"OffTheLeftBackFromTheLeft", 2, -180, 0.2, 0.999, 1, -194, 179},
    FlightCase{"OffTheLeftBackFromTheRight", 2, -180, 0.7, 0.5, 2, 797, 90},
    FlightCase{"OffTheRight", 1, 783, 0.7, 0.999, 2, 797, 199}), kvtest::CaseName());
// clang-format on

TEST(PlanetTen, OpensTheMotherShipFightOffTheLeftEdgeAndTheShipFiresFromItsBottomCentreEvenOffScreen) {
    GameRun run(RunSetup{"", 10, 3250});
    BossStage& s = run.screen<BossStage>();
    EXPECT_EQ(
        (Ints{s.theboss->left(), s.BossSpeed, s.BossDamage, s.textFX->visible(), lit(*s.LivesLeft, 21, *s.LED[3])}),
        (Ints{-194, 15, 0, 1, 1}));
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"BossStage"}));  // the planet gone, the fight shown
    EXPECT_EQ((Ints{ink(*s.textFX, {255, 0, 0}) > 1000, ink(*s.textFX, {255, 255, 255}) > 20}), (Ints{1, 1}));
    EXPECT_EQ(run.sounds(), std::vector<std::string>{"5:Samples/Start Level.wav@0"});  // and not the planet's
    for (int shot = 0; shot < 2; ++shot) {  // the second finds fireball 20 still falling
        run.rt().random().queue(0.99);      // Int(0.99 * 20) + 1 = 20
        s.DropBullets_Timer();
    }
    EXPECT_EQ((Ints{s.Fireballs[20], s.fireball[20]->visible(), s.fireball[20]->left(), s.fireball[20]->top(),
                    run.heard("3:Samples/Boom.wav")}),
              (Ints{1, 1, -112, 216 - 68, 1}));  // -194 + 97 - 14.5, halves to even
    s.fireball[20]->setTop(s.scapebox->height() - 9);  // past the bottom after this step: hidden and free again
    s.Firebullets_Timer();
    EXPECT_EQ((Ints{s.Fireballs[20], s.fireball[20]->visible()}), (Ints{0, 0}));
}

TEST_F(MotherShip, HitsWithinOneFlashCountOnceAndTheTwentyFifthBreaksItUp) {
    s.BossDamage = 23;
    s.Fireballs[7] = 1;
    s.fireball[7]->setVisible(true);
    for (int flash = 1; flash <= 2; ++flash) {
        s.PlayBullet[1]->move(350, 100);
        s.PlayBullet[2]->move(400, 120);
        s.Firebullets_Timer();
        EXPECT_EQ(s.theboss->picture().name, "boss_hitpic");
        run.runUntil(run.rt().now() + 100);
        s.PlayBullet[1]->move(350, 100);  // within the flash: the same hit
        s.Firebullets_Timer();
        if (flash == 2) s.DropBullets->setEnabled(true), s.MoveShip->setEnabled(true);  // until the break-up
        run.runUntil(run.rt().now() + (flash == 1 ? 400 : 110));
        EXPECT_EQ((Ints{s.BossDamage, run.heard("4:Samples/HitBonus.wav"), s.theboss->picture().name == "bosspic"}),
                  (Ints{23 + flash, flash, 1}));
    }
    EXPECT_EQ((Ints{s.BossDamage, s.BossExploding, s.FireBullets->enabled(), s.DropBullets->enabled(),
                    s.MoveShip->enabled(), s.fireball[7]->visible(), s.explosions->interval()}),
              (Ints{25, 1, 0, 0, 0, 0, 20}));
    run.runUntil(run.rt().now() + 2350);  // fifteen explosions of eight 20 ms frames: 2.4 s
    EXPECT_EQ(s.BossExplodeCount, 14);
    run.runUntil(run.rt().now() + 100);
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"EndSeq"}));
    EXPECT_EQ(run.heard("3:Samples/ShipExplode.wav"), 15);
}

TEST_F(MotherShip, AFireballCostsALifeTheShipComesBackWhereItWasAndTheLastLifeEndsTheGame) {
    auto& g = run.game().state;
    s.Player->setLeft(200);
    for (int life = 2; life >= -1; life -= 3) {
        g.PlayerLives = life + 1;
        s.Fireballs[20] = 1;
        fireballOnPlayer(s, 20);
        s.Firebullets_Timer();
        EXPECT_EQ((Ints{g.PlayerLives, s.PlayerDown, s.Player->visible(), s.FireBullets->enabled(), s.Fireballs[20]}),
                  (Ints{life, 1, 0, 1, 0}));
        s.Fireballs[5] = 1;  // an exploding ship cannot be hit again
        fireballOnPlayer(s, 5);
        s.Firebullets_Timer();
        EXPECT_EQ(g.PlayerLives, life);
        run.runUntil(run.rt().now() + 850);
        if (life < 0) break;
        EXPECT_EQ((Ints{s.Player->visible(), s.Player->left(), s.PlayerDown, run.heard("2:Samples/ShipExplode.wav")}),
                  (Ints{1, 200, 0, 1}));
    }
    EXPECT_EQ((Ints{s.EndWait->enabled(), run.heard("5:Samples/GameOver.wav"), s.Transitions->blockSize(),
                    lit(*s.LivesLeft, 21, *s.LED[0])}),
              (Ints{1, 1, 8, 1}));        // -1 reads 0
    run.runUntil(run.rt().now() + 3100);  // the game-over picture, and three seconds later the table
    EXPECT_EQ((Ints{run.dump["forms"] == nlohmann::json::array({"HighScores"}), g.ScoresFromMenu}), (Ints{1, 0}));
}
