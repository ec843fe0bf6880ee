// The shots tick: the player's shots climb, the fireballs fall, and both are
// tested against their targets; then the joystick.
#include "stages/bonus_stage.h"
#include "stages/hit_rules.h"

namespace kv::stages {

void BonusStage::destroyPlayer(int channel) {
    CountDown->setEnabled(false);
    MoveShips->setEnabled(false);
    FireBullets->setEnabled(false);
    Player->setVisible(false);
    PlayerDown = 1;
    PlayerExplodeFrame = 1;
    PlayerExploding = 1;
    if (g.SoundOn == 1) PlaySample(channel, ShipExplodeWav, false);
}

void BonusStage::Firebullets_Timer() {
    playerShip.moveShots();
    for (int i = 1; i <= 12; ++i) {
        PictureBox& ship = *EShip[i];
        // Ship i's fireball falls, and may strike the player's ship.
        if (Enemies[i].FireballOut == 1) {
            Image& ball = *fireball[i];
            ball.setTop(ball.top() + 10);
            if (ball.top() > scapebox->height()) {
                ball.setVisible(false);
                Enemies[i].FireballOut = 0;
            }
            if (fireballStrikesPlayer(ball.rect(), Player->rect())) {
                ball.setVisible(false);
                Enemies[i].FireballOut = 0;
                destroyPlayer(3);
            }
        }
        // Every shot, flying or not, against a ship still in the formation.
        for (int j = 1; j <= 5; ++j) {
            if (ship.visible() && Enemies[i].Exploding == 0 && shotStrikesEnemy(PlayBullet[j]->rect(), ship.rect())) {
                ship.setPicture(Picture{});   // the box stays, empty, for the explosion
                Enemies[i].Exploding = 1;
                ShipExplodeFrame[i] = 1;
                ExtraLifePoints += kPointsPerShip;
                g.PlayerScore += kPointsPerShip;
                print_score();
                if (g.SoundOn == 1) PlaySample(3, ShipExplodeWav, false);
                playerShip.freeShot(j);
            }
        }
    }
    if (g.ControlDevice == 2) joystickTick();
}

}  // namespace kv::stages
