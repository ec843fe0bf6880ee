// Opening the bonus stage: the device check, the sound, the star field, the
// formation, the read-outs and the opening captions.
#include "media/sound.h"
#include "shared/mouse.h"
#include "stages/bonus_stage.h"

namespace kv::stages {

void BonusStage::onLoad() {
    show();
    rt().frames().showProgress();
    PlayerDown = 0;
    SecondsLeft = 60;
    HideMouse(rt());
    checkControlDevice();
    openSound();
    DiffuseWav = g.AppDir + "Samples\\Diffuse.wav";
    drawStarField();
    setBLevel();
}

void BonusStage::setBLevel() {
    Player->setPicture(PlayerNorm->picture());
    FleetDir = 1;
    for (PictureBox* ship : EShip) ship->setPicture(enemypic->picture());
    FleetSpeed = 5;
    ShipsDestroyed = 0;
    // The read-outs: every place unlit, then the score and the seconds.
    paintUnlit(*Score, 5, leds_);
    paintUnlit(*TimeLeft, 2, leds_);
    ExtraLifePoints = 0;
    print_score();
    print_time();
    resetShip();
    PlayerDown = 0;
    if (g.SoundOn == 1) PlaySample(5, StartLevelWav, false);
    // The captions block while they play; they stay up until the first input.
    textFX->setVisible(true);
    showCaption("BONUS STAGE", 60, 20, -2, Font{36, true}, Color(255, 255, 0));
    showCaption("50 points a ship!", 170, 70, 0, Font{12, false}, Color(255, 255, 255));
}

void BonusStage::startMotion() {
    MoveShips->setEnabled(true);
    CountDown->setEnabled(true);
    DropBullets->setEnabled(true);
}

void BonusStage::print_score() {
    paintReadout(*Score, 5, g.PlayerScore, leds_);
    // Every 1000 points earned here: the extra-life notice, which gives the
    // life when it has faded.
    if (ExtraLifePoints > 999) {
        ExtraLifePoints = 0;
        exLife->setForeColor(Color(255, 255, 0));
        LabelRed = 255;
        LabelGreen = 255;
        exLife->setVisible(true);
        LabelFading = 1;
        if (g.SoundOn == 1) PlaySample(4, DiffuseWav, false);
    }
}

void BonusStage::print_time() { paintReadout(*TimeLeft, 2, SecondsLeft, leds_); }

}  // namespace kv::stages
