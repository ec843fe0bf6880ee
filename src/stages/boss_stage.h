#pragma once
// The mother-ship fight after the ninth planet. The mother ship crosses the
// top of the playfield again and again, each time from a random side at a
// random height, and rains fireballs. Twenty-five counted hits break it up in a
// chain of fifteen explosions, and the end sequence follows. A fireball costs
// a life; when none are left the game is over. No points are scored here and
// there is no time limit.
#include <memory>

#include "media/transitions.h"
#include "stages/stage.h"

namespace kv::stages {

class BossStage : public Stage {
public:
    BossStage(Runtime& rt, Game& game);

    // ---- Loading and set-up (boss_stage_setup.cpp) ----
    void onLoad() override;   // Form_Load
    void setBLevel();
    void print_lives();

    // ---- The mother ship's flight and fire (boss_flight.cpp) ----
    void MoveShip_Timer();
    void DropBullets_Timer();

    // ---- Shots, hits and fireballs (boss_fire_and_hits.cpp) ----
    void Firebullets_Timer();

    // ---- Counted hits, the break-up, explosions, game over (boss_hits_and_end.cpp) ----
    void bosshit_Timer();
    void explosions_Timer();
    void GameOverSub();
    void EndWait_Timer();

    // ---- The play timers ----
    void startPlayTimers() override;
    void stopPlayTimers() override;
    void stopAllTimers() override;

    // ---- Controls ----
    Image* StatusBar;        // the strip above the playfield
    Image* LivesCaption;     // "Lives:"
    PictureBox* LivesLeft;
    PictureBox* theboss;
    Array<Image*, 1, 20> fireball{};
    Image* bosspic;
    Image* boss_hitpic;
    PictureBox* textFX;
    PictureBox* GOver;        // the game-over picture
    PictureBox* GameOverPic;  // receives it for the transition

    // ---- Timers ----
    Timer* FireBullets;
    Timer* explosions;
    Timer* MoveShip;
    Timer* bosshit;
    Timer* DropBullets;
    Timer* EndWait;

    // ---- Stage state ----
    KV_VAR(HitBonusWav, std::string);
    KV_VAR(GameOverWav, std::string);
    KV_VAR(BossDir, Int16);                   // 1 right, 2 left
    KV_VAR(BossSpeed, Int16);
    KV_VAR(BossDamage, Int16);                // counted hits; 25 destroy it
    KV_VAR(Fireballs, Array<Int16, 1, 20>);          // 1 while that fireball falls
    KV_VAR(BossExploding, Int16);
    KV_VAR(BossExplodeFrame, Int16);
    KV_VAR(BossExplodeCount, Int16);          // break-up explosions done
    KV_VAR(BossExplodeX, Int16);
    KV_VAR(BossExplodeY, Int16);
    KV_VAR(Transitions, std::unique_ptr<CEffects>);   // created on first use

protected:
    void startMotion() override;
    PictureBox& captions() override { return *textFX; }

private:
    void createControls();
    // The mother ship comes back in from a random side at a random height.
    void reEnter(int highestTop);
    // Where the next break-up explosion is drawn inside the mother ship.
    void placeBreakUpExplosion();
    void hideFireballs();
    CEffects& transitions();
};

}  // namespace kv::stages
