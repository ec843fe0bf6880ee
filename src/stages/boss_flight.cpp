// The mother ship's flight across the playfield and its fireballs.
#include "stages/boss_stage.h"

namespace kv::stages {

void BossStage::reEnter(int highestTop) {
    Random& rnd = rt().random();
    rnd.randomize(rt().now());
    BossDir = static_cast<int>(rnd.rnd() * 2) + 1;
    theboss->setLeft(BossDir == 1 ? -theboss->width() : scapebox->width());
    rnd.randomize(rt().now());
    theboss->setTop(static_cast<int>(rnd.rnd() * highestTop));
    if (g.SoundOn == 1) PlaySample(5, GetBonusWav, false);
}

void BossStage::MoveShip_Timer() {
    if (BossDir == 1) {
        theboss->setLeft(theboss->left() + BossSpeed);
    } else if (BossDir == 2) {
        theboss->setLeft(theboss->left() - BossSpeed);
        // Wholly off the left edge: back in, at a top from 0 to 179.
        if (theboss->left() + theboss->width() < 0) reEnter(180);
    }
    // Wholly off the right edge: back in, at a top from 0 to 199.
    if (theboss->left() > scapebox->width()) reEnter(200);
}

void BossStage::DropBullets_Timer() {
    rt().random().randomize(rt().now());
    const int i = static_cast<int>(rt().random().rnd() * 20) + 1;
    if (Fireballs[i] == 1) return;
    // Even from off the screen: the mother ship's place is not looked at.
    if (g.SoundOn == 1) PlaySample(3, BoomWav, false);
    Fireballs[i] = 1;
    Image& ball = *fireball[i];
    ball.move(roundHalfEven(theboss->left() + theboss->width() / 2.0 - ball.width() / 2.0),
              theboss->top() + theboss->height() - ball.height());
    ball.setVisible(true);
}

}  // namespace kv::stages
