#pragma once
// The planet screen: the playfield, the player's ship, the drop ships and their
// rods, bonus boxes, the status panel and the radiation gauge. Its rules live in
// one file per rule area; this header holds the screen's controls and variables
// under the game's own names.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "runtime/runtime.h"
#include "shared/game.h"
#include "shared/led_readout.h"
#include "shared/star_field.h"

namespace kv {
class CEffects;
}

namespace kv::level {

// One drop ship and its rod.
struct DropShipRec {
    std::int16_t Active = 0;       // 1 while the ship is out
    std::int16_t TopTicks = 0;     // ticks spent at the top station this visit
    std::int16_t ExplodeX = 0, ExplodeY = 0;
    std::int16_t Exploding = 0;
    std::int16_t StayTicks = 0;    // ticks to wait at the top before climbing
    std::int16_t RodFalling = 0;
    std::int16_t RodKind = 0;      // 1 good, 2 bad
};

// One row of the per-planet table.
struct PlanetRow {
    std::int16_t ShipPickInterval, StayTicks, RodsNeeded, BadRodsOn, BonusDelay, RodThreshold;
};
const PlanetRow& planetRow(int planet);   // planet 1..9

class Form1 : public Form {
public:
    Form1(Runtime& rt, Game& game);
    ~Form1() override;

    // ---- Events and routines (set-up) ----
    void onLoad() override;          // Form_Load
    void onUnload() override;
    void SetLevel();
    void ResetForm();
    void PlaySample(int channel, const std::string& file, bool looping);
    void StopSample(int channel);

    // ---- Player control ----
    void keyDown(int key) override;   // the playfield holds the focus
    void scapebox_KeyDown(int keyCode, int shift);
    void JoystickCont_Timer();

    // ---- Fire and hits, drop ships, rods, bonus pick-ups, explosions ----
    void Firebullets_Timer();
    void PickShips_Timer();
    void DropShips_Timer();
    void drop_rod(std::int16_t& i);
    void droprods_Timer();
    void print_radiation();
    void paintGaugeBackground();
    void print_bonustype();
    void do_bonus();
    void explosions_Timer();

    // ---- Status panel ----
    void print_score();
    void print_level();
    void print_lives();
    void print_rods();

    // ---- Life loss, game over, level clear ----
    void LoseLife();
    void GameOverSub();
    void LevelClear();
    void EndWait_Timer();
    void EndWait2_Timer();
    void doLevelChange();
    void doLivesChange();

    void describeVars(nlohmann::json& out) const override;

    Game& game;
    SharedState& g;   // the shared game state, as every screen reads it

    // ---- Controls ----
    PictureBox* scapebox;
    PictureBox* Player;
    std::array<PictureBox*, 8> DropShip{};   // 1..7
    std::array<Image*, 8> RadRod{};          // 1..7
    std::array<Image*, 6> PlayBullet{};      // 1..5
    PictureBox* bonusbox;
    Label* bonuslabel;
    PictureBox* textFX;
    Image* Dispenser;
    std::array<Image*, 2> Scape1{};
    Image* SidePanel;
    PictureBox* Score;
    PictureBox* Planet;
    PictureBox* LivesLeft;
    PictureBox* Rods;
    PictureBox* RodsLeft;
    Image* Image1;
    PictureBox* Picture1;
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
    std::array<Image*, 10> LED{};
    std::array<Image*, 8> ShipExplode{};     // 1..7
    std::array<Image*, 9> BonExplode{};      // 1..8
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
    std::string BonusWav, PhaserWav, ShipExplodeWav, StartLevelWav, BoomWav, CaughtRodWav, DiffuseWav, DropRodWav,
        GameOverWav, HitBonusWav, GetBonusWav;
    std::int16_t RodsDefused = 0;
    std::int16_t RodsNeeded = 0;
    std::int16_t BadRodsOn = 0;
    std::int16_t ShipPickInterval = 0;
    std::int16_t RodThreshold = 0;
    std::int16_t BonusDelay = 0;
    std::int32_t BonusTicks = 0;
    std::int16_t BonusType = 0;
    std::int16_t BonusFlying = 0;
    std::int16_t BonusExploding = 0, BonusExplodeFrame = 0;
    std::int16_t BonusFalling = 0, BonusExplodeX = 0, BonusExplodeY = 0;
    std::int16_t LabelFading = 0, LabelRed = 0, LabelGreen = 0, LabelBlue = 0;
    std::array<DropShipRec, 8> Ships{};          // 1..7; slot 0 unused
    std::array<std::int16_t, 8> ShipExplodeFrame{};
    std::array<std::int16_t, 6> BulletOn{};      // slots 1..5; slot 0 unused
    std::int16_t NextBullet = 0;
    std::int16_t BulletsAllowed = 0;
    std::int16_t BulletSpeed = 0;
    std::int16_t PlayerSpeed = 0;
    std::int16_t CanFire = 0;
    std::int16_t PlayerExplodeX = 0, PlayerExplodeY = 0;
    std::int16_t PlayerExploding = 0, PlayerExplodeFrame = 0;
    std::int16_t JoyDir = 0, JoyFire = 0, JoyStatus = 0;
    std::int16_t GaugeRed = 0, GaugeGreen = 0;
    StarField stars;
    std::unique_ptr<CEffects> Transitions;   // created on first use

private:
    void createControls();
    void fire();
    // Stops PickShips, DropShips, FireBullets and droprods: play halts.
    void stopPlayTimers();
    void dismissIntro();
    void pause();
    void afterMove();
    void freeBullet(int b);
    void centreIdleBullet(int b);
    bool carriesRod() const;
    void launchBonusBox();
    void fadeOutAndEnd();
    void droprodsBonus();
    void applyBonusEffect();
    void fadeBonusLabel();
    void clearPickup();
    CEffects& transitions();
    LedPictures ledPictures() const;
    LedPictures leds_;   // the digit pictures, gathered once
};

}  // namespace kv::level
