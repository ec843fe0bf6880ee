// The mother-ship fight's controls and timers, as laid out on the 800 x 600 frame.
#include "stages/boss_stage.h"

namespace kv::stages {


BossStage::BossStage(Runtime& rt, Game& gm)
    : Stage(rt, gm, "BossStage", StageLayout{Rect{1, 40, 797, 536}, "BossBack", 365, 463}) {
    createControls();
    // The timers, in the order the screen creates them (ties tick in this order).
    FireBullets = &addTimer("FireBullets", 25, true, [this] { Firebullets_Timer(); });
    explosions = &addTimer("explosions", 100, true, [this] { explosions_Timer(); });
    MoveShip = &addTimer("MoveShip", 25, false, [this] { MoveShip_Timer(); });
    bosshit = &addTimer("bosshit", 200, false, [this] { bosshit_Timer(); });
    DropBullets = &addTimer("DropBullets", 75, false, [this] { DropBullets_Timer(); });
    EndWait = &addTimer("EndWait", 3000, false, [this] { EndWait_Timer(); });
}

void BossStage::createControls() {
    PictureStore& pics = rt().pictures();
    StatusBar = &add<Image>("StatusBar", nullptr, Rect{0, 0, 800, 40});
    StatusBar->setPicture(pics.get("StageBar"));
    LivesCaption = &add<Image>("LivesCaption", nullptr, Rect{3, 3, 95, 36});
    LivesCaption->setPicture(pics.get("LivesCaption"));
    LivesLeft = &add<PictureBox>("LivesLeft", nullptr, Rect{101, 12, 39, 24}, kBlack);

    // Inside the playfield: the fireballs, then the mother ship above them.
    for (int i = 1; i <= 20; ++i) {
        fireball[i] = &add<Image>(indexed("fireball", i), scapebox, Rect{0, 0, 29, 68});
        fireball[i]->setPicture(pics.get("fireball"));
        fireball[i]->setVisible(false);
    }
    theboss = &add<PictureBox>("theboss", scapebox, Rect{0, 0, 194, 216}, kClear);
    theboss->blendOnFrame = true;

    // The caption box's dark is clear: the captions float on the nebula and
    // the formation shows beneath them.
    textFX = &add<PictureBox>("textFX", nullptr, Rect{0, 189, 794, 91}, kClear);
    textFX->blendOnFrame = true;
    textFX->setVisible(false);

    bosspic = &add<Image>("bosspic", nullptr, Rect{0, 0, 0, 0});
    bosspic->setPicture(pics.get("bosspic"));
    bosspic->setVisible(false);
    boss_hitpic = &add<Image>("boss_hitpic", nullptr, Rect{0, 0, 0, 0});
    boss_hitpic->setPicture(pics.get("boss_hitpic"));
    boss_hitpic->setVisible(false);
    GOver = &add<PictureBox>("GOver", nullptr, Rect{0, 0, 306, 48}, kBlack);
    GOver->setPicture(pics.get("GOver"));
    GOver->setVisible(false);
    GameOverPic = &add<PictureBox>("GameOverPic", nullptr, Rect{0, 0, 306, 47}, kBlack);
    GameOverPic->setVisible(false);
}

void BossStage::startPlayTimers() {
    FireBullets->setEnabled(true);
    MoveShip->setEnabled(true);
    DropBullets->setEnabled(true);
}

void BossStage::stopPlayTimers() {
    FireBullets->setEnabled(false);
    MoveShip->setEnabled(false);
    DropBullets->setEnabled(false);
}

void BossStage::stopAllTimers() {
    for (Timer* t : {FireBullets, explosions, MoveShip, bosshit, DropBullets, EndWait}) t->setEnabled(false);
}

CEffects& BossStage::transitions() {
    if (!Transitions) Transitions = std::make_unique<CEffects>(rt());
    return *Transitions;
}

}  // namespace kv::stages
