#pragma once
// The bonus stage: a timed shooting gallery. Twelve enemy ships sweep left and
// right in formation and drop fireballs; every ship is worth 50 points, a
// cleared wave brings a fresh one, and every 1000 points earned here give an
// extra life. After 60 seconds, or at once when a fireball hits, the player's
// ship explodes, and two seconds later the planet screen goes on with the next
// planet. The player cannot lose a life here.
#include "stages/stage.h"

namespace kv::stages {

// Each ship shot down, for the score and towards the next extra life.
constexpr int kPointsPerShip = 50;
// The formation's fire interval (ms) with a whole wave up.
constexpr int kFirstFireInterval = 2000;

// One enemy ship of the formation.
struct EnemyRec {
    Int16 Exploding = 0;            // from the hit until its explosion ends
    Int16 FireballOut = 0;          // while its fireball falls
};
void toJson(nlohmann::json& j, const EnemyRec& e);

class BonusStage : public Stage {
public:
    BonusStage(Runtime& rt, Game& game);

    // ---- Loading and set-up (bonus_stage_setup.cpp) ----
    void onLoad() override;   // Form_Load
    void setBLevel();
    void print_score();
    void print_time();

    // ---- The formation and its fire (bonus_fleet.cpp) ----
    void MoveShips_Timer();
    void DropBullets_Timer();

    // ---- Shots, fireballs and hits (bonus_fire_and_hits.cpp) ----
    void Firebullets_Timer();

    // ---- Explosions, the extra life, the clock, the way back (bonus_explosions_and_clock.cpp) ----
    void explosions_Timer();
    void CountDown_Timer();
    void DoWait_Timer();

    // ---- The play timers ----
    void startPlayTimers() override;
    void stopPlayTimers() override;
    void stopAllTimers() override;

    // ---- Controls ----
    Image* StatusBar;        // the strip above the playfield
    Image* ScoreCaption;     // "Score:"
    Image* TimeCaption;      // "Time:"
    PictureBox* Score;
    PictureBox* TimeLeft;
    Array<PictureBox*, 1, 12> EShip{};
    Array<Image*, 1, 12> fireball{};
    Image* enemypic;
    PictureBox* textFX;
    Label* exLife;

    // ---- Timers ----
    Timer* FireBullets;
    Timer* explosions;
    Timer* MoveShips;
    Timer* CountDown;
    Timer* DropBullets;
    Timer* DoWait;

    // ---- Stage state ----
    KV_VAR(DiffuseWav, std::string);
    KV_VAR(SecondsLeft, Int16);
    KV_VAR(FleetDir, Int16);                  // 1 left, 2 right
    KV_VAR(FleetSpeed, Int16);
    KV_VAR(ShipsDestroyed, Int16);            // of this wave, explosions over
    KV_VAR(ExtraLifePoints, Int16);           // earned here since the last extra life
    KV_VAR(Enemies, Array<EnemyRec, 1, 12>);
    KV_VAR(ShipExplodeFrame, Array<Int16, 1, 12>);
    KV_VAR(LabelFading, Int16);               // the extra-life notice
    KV_VAR(LabelRed, Int16);
    KV_VAR(LabelGreen, Int16);

protected:
    void startMotion() override;
    PictureBox& captions() override { return *textFX; }

private:
    void createControls();
    // The player's ship is destroyed: by time-out or by a fireball.
    void destroyPlayer(int channel);
};

}  // namespace kv::stages
