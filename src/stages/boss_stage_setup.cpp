// Opening the mother-ship fight: the device check, the sound, the star field,
// the mother ship off the left edge, the lives read-out and the captions.
#include "media/sound.h"
#include "shared/mouse.h"
#include "stages/boss_stage.h"

namespace kv::stages {

void BossStage::onLoad() {
    show();
    rt().frames().showProgress();
    PlayerDown = 0;
    HideMouse(rt());
    checkControlDevice();
    openSound();
    HitBonusWav = g.AppDir + "Samples\\HitBonus.wav";
    GameOverWav = g.AppDir + "Samples\\GameOver.wav";
    drawStarField();
    setBLevel();
}

void BossStage::setBLevel() {
    Player->setPicture(PlayerNorm->picture());
    BossDir = 1;
    // Just off the left edge, at its first height.
    theboss->setLeft(-theboss->width());
    theboss->setPicture(bosspic->picture());
    BossDamage = 0;
    BossSpeed = 15;
    paintUnlit(*LivesLeft, 2, leds_);
    print_lives();
    resetShip();
    PlayerDown = 0;
    if (g.SoundOn == 1) PlaySample(5, StartLevelWav, false);
    textFX->setVisible(true);
    showCaption("THE MOTHER SHIP IS APPROACHING!", 55, 20, -2, Font{30, true}, Color(255, 0, 0));
    // The number keeps the space a positive number leaves for its sign, and
    // there is no singular: "You only have 1 lives to help you...".
    const std::string lives = g.PlayerLives >= 0 ? " " + std::to_string(g.PlayerLives) : std::to_string(g.PlayerLives);
    showCaption("You only have" + lives + " lives to help you...", 240, 70, 0, Font{16, false}, Color(255, 255, 255));
}

void BossStage::startMotion() {
    MoveShip->setEnabled(true);
    DropBullets->setEnabled(true);
}

void BossStage::print_lives() { paintReadout(*LivesLeft, 2, g.PlayerLives, leds_); }

}  // namespace kv::stages
