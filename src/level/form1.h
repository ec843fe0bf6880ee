#pragma once
// The planet screen: the playfield, the player's ship, the drop ships and their
// rods, bonus boxes, the status panel and the radiation gauge. Its rules live in
// one file per rule area; this header holds the screen's controls and variables
// under the game's own names.
#include <cstdint>
#include <memory>
#include <string>

#include "level/drop_ship_rec.h"
#include "media/transitions.h"
#include "runtime/runtime.h"
#include "shared/game.h"
#include "shared/led_readout.h"
#include "shared/play_screen.h"
#include "shared/player_ship.h"
#include "shared/star_field.h"

namespace kv::level {

// One row of the per-planet table.
struct PlanetRow {
    Int16 ShipPickInterval, StayTicks, RodsNeeded, BadRodsOn, BonusDelay, RodThreshold;
};
const PlanetRow& planetRow(int planet);   // planet 1..9
// A new game's values: planet 1, no score, three lives, no radiation.
void startNewGame(SharedState& g);

// A full gauge: one unit per pixel column of the gauge.
constexpr int RadiationMax = 566;
// The gauge's midpoint, where its colour starts turning from yellow to red.
constexpr int GaugeMidpoint = 283;

class Form1 : public Form, public PlayScreen {
public:
    // Opened for play, or set aside at once (a game that starts in the bonus stage).
    enum class Opening { Play, SetAside };
    Form1(Runtime& rt, Game& game, Opening opening = Opening::Play);

    // ---- Opening the screen, beginning a planet (level_setup.cpp) ----
    void onLoad() override;          // Form_Load
    void SetLevel();
    void ResetForm();
    void PlaySample(int channel, const std::string& file, bool looping);
    void StopSample(int channel);

    // ---- The play timers (play_timers.cpp) ----
    Form& screen() override { return *this; }
    void startPlayTimers() override;
    void stopPlayTimers() override;
    void stopAllTimers() override;

    // ---- Player control (player_control.cpp) ----
    void keyDown(int key) override;   // the playfield holds the focus
    bool pausesOnFocusLoss() const override;
    bool padNavigates() const override { return false; }
    void scapebox_KeyDown(int keyCode, int shift);
    void JoystickCont_Timer();

    // ---- Fire and hits, drop ships, rods, bonus pick-ups, explosions ----
    void Firebullets_Timer();
    void PickShips_Timer();
    void DropShips_Timer();
    void drop_rod(int i);
    void droprods_Timer();
    void print_radiation();
    void paintGaugeBackground();
    void print_bonustype();
    void do_bonus();
    // Stops everything, still loaded, while a stage runs.
    void setAside();
    void explosions_Timer();

    // ---- Status panel ----
    void print_score();
    void print_level();
    void print_lives();
    void print_rods();

    // ---- Life loss, game over, level clear; the cheat keys ----
    void LoseLife();
    void GameOverSub();
    void LevelClear();
    void EndWait_Timer();
    void EndWait2_Timer();
    void doLevelChange();
    void doLivesChange();

    Game& game;
    SharedState& g;   // the shared game state, as every screen reads it

    // ---- Controls ----
    PictureBox* scapebox;
    PictureBox* Player;
    Array<PictureBox*, 1, 7> DropShip{};
    Array<Image*, 1, 7> RadRod{};
    Array<Image*, 1, 5> PlayBullet{};
    PictureBox* bonusbox;
    Label* bonuslabel;
    PictureBox* textFX;
    Image* Dispenser;
    Array<Image*, 0, 1> Scape1{};
    Image* SidePanel;
    PictureBox* Score;
    PictureBox* Planet;
    PictureBox* LivesLeft;
    PictureBox* Rods;
    PictureBox* RodsLeft;
    Image* Image1;         // the gauge's caption, left of the gauge
    PictureBox* Picture1;  // the gauge's frame
    PictureBox* RadProgress;
    Image* PlayerNorm;
    Image* PlayerRod;
    Image* DropShipPic;
    Image* goodrod;
    Image* badrod;
    Image* bonuspic;
    Image* goddbonuspic;
    Image* badbonuspic;
    Image* LEDOff;
    Array<Image*, 0, 9> LED{};
    Array<Image*, 1, 7> ShipExplode{};
    Array<Image*, 1, 8> BonExplode{};
    PictureBox* GOver;
    PictureBox* GameOverPic;
    PictureBox* ClearSrc;
    PictureBox* ClearPic;

    // ---- Timers ----
    Timer* droprods;
    Timer* DropShips;
    Timer* FireBullets;
    Timer* explosions;
    Timer* JoystickCont;
    Timer* PickShips;
    Timer* EndWait;
    Timer* EndWait2;

    // ---- Level state ----
    KV_VAR(BonusWav, std::string);
    KV_VAR(PhaserWav, std::string);
    KV_VAR(ShipExplodeWav, std::string);
    KV_VAR(StartLevelWav, std::string);
    KV_VAR(BoomWav, std::string);
    KV_VAR(CaughtRodWav, std::string);
    KV_VAR(DiffuseWav, std::string);
    KV_VAR(DropRodWav, std::string);
    KV_VAR(GameOverWav, std::string);
    KV_VAR(HitBonusWav, std::string);
    KV_VAR(GetBonusWav, std::string);
    KV_VAR(RodsDefused, Int16);               // the Rods read-out
    KV_VAR(RodsNeeded, Int16);                // the RodsLeft read-out
    KV_VAR(BadRodsOn, Int16);
    KV_VAR(ShipPickInterval, Int16);          // ms
    KV_VAR(RodThreshold, Int16);              // a rod drops on a 1..100 roll at least this
    KV_VAR(BonusDelay, Int16);                // JoystickCont ticks between bonus rolls
    KV_VAR(BonusTicks, std::int32_t);
    KV_VAR(BonusType, Int16);                 // 0 none, 1 to 18
    KV_VAR(BonusFlying, Int16);
    KV_VAR(BonusExploding, Int16);
    KV_VAR(BonusExplodeFrame, Int16);
    KV_VAR(BonusFalling, Int16);
    KV_VAR(BonusExplodeX, Int16);
    KV_VAR(BonusExplodeY, Int16);
    KV_VAR(LabelFading, Int16);
    KV_VAR(LabelRed, Int16);
    KV_VAR(LabelGreen, Int16);
    KV_VAR(LabelBlue, Int16);
    KV_VAR(Ships, Array<DropShipRec, 1, 7>);
    KV_VAR(ShipExplodeFrame, Array<Int16, 1, 7>);
    KV_VAR(BulletOn, Array<Int16, 0, 5>);          // the bullets are slots 1 to 5
    KV_VAR(NextBullet, Int16);
    KV_VAR(BulletsAllowed, Int16);
    KV_VAR(BulletSpeed, Int16);
    KV_VAR(PlayerSpeed, Int16);
    KV_VAR(CanFire, Int16);                   // 0 while a caught rod is carried
    KV_VAR(PlayerExplodeX, Int16);
    KV_VAR(PlayerExplodeY, Int16);
    KV_VAR(PlayerExploding, Int16);
    KV_VAR(PlayerExplodeFrame, Int16);
    KV_VAR(JoyDir, Int16);                    // 0 none, 1 left, 2 right
    KV_VAR(JoyFire, Int16);
    KV_VAR(JoyStatus, Int16);
    KV_VAR(GaugeRed, Int16);
    KV_VAR(GaugeGreen, Int16);
    KV_VAR_GROUP(stars, StarField);            // StarX, StarY, StarDepth, StarSize
    KV_VAR(Transitions, std::unique_ptr<CEffects>);   // created on first use

    // The ship steps 13 pixels a key and 10 a joystick tick, up to 555, where it
    // docks at 561; its explosion is drawn 7 pixels right and 2.5 down of it.
    PlayerShip playerShip{ShipParts{Player, PlayBullet, BulletOn.slots<1, 5>(), NextBullet, BulletsAllowed, BulletSpeed,
                                    PlayerExplodeX, PlayerExplodeY},
                          ShipRules{555, 555, 561, 7.0, 2.5}};

private:
    void createControls();
    void createPlayfield();
    void createGroundAndGauge();
    void createStatusPanel();
    void createSourcePictures();
    void fire();
    void dismissIntro();
    void pause();
    void afterMove();
    bool carriesRod() const;
    void launchBonusBox();
    void fadeOutAndEnd();
    void droprodsBonus();
    void applyBonusEffect();
    void fadeBonusLabel();
    void clearPickup();
    int askCheatNumber(const std::string& prompt, int current, int lowest, int highest);
    CEffects& transitions();
    LedPictures ledPictures() const;
    LedPictures leds_;   // the digit pictures, gathered once
    Opening opening_;
};

}  // namespace kv::level
