// The shots tick: the player's shots climb and strike the mother ship, the
// fireballs fall on the player's ship; then the joystick.
#include "stages/boss_stage.h"
#include "stages/hit_rules.h"

namespace kv::stages {

void BossStage::Firebullets_Timer() {
    playerShip.moveShots();
    // A hit is counted when bosshit fires, so every hit within its 200 ms
    // counts once.
    for (int j = 1; j <= 5; ++j) {
        if (shotStrikesMotherShip(PlayBullet[j]->rect(), theboss->rect())) {
            playerShip.freeShot(j);
            theboss->setPicture(boss_hitpic->picture());
            bosshit->setEnabled(true);
        }
    }
    for (int i = 1; i <= 20; ++i) {
        if (Fireballs[i] != 1) continue;
        Image& ball = *fireball[i];
        ball.setTop(ball.top() + 10);
        if (ball.top() > scapebox->height()) {
            ball.setVisible(false);
            Fireballs[i] = 0;
        }
        // An exploding ship cannot be hit again.
        if (PlayerExploding == 0 && fireballStrikesPlayer(ball.rect(), Player->rect())) {
            ball.setVisible(false);
            Fireballs[i] = 0;
            Player->setVisible(false);
            --g.PlayerLives;
            PlayerDown = 1;
            PlayerExplodeFrame = 1;
            PlayerExploding = 1;
            print_lives();
            if (g.SoundOn == 1) PlaySample(2, ShipExplodeWav, false);
        }
    }
    if (g.ControlDevice == 2) joystickTick();
}

}  // namespace kv::stages
