// The formation's sweep and its fire.
#include "stages/bonus_stage.h"

namespace kv::stages {

void BonusStage::MoveShips_Timer() {
    // Every ship moves, shown or not. The left turn is tested inside the loop,
    // right after ship 1 has moved: on that tick ship 1 moves left and straight
    // back while the others move right, so it falls 5 pixels further behind at
    // every left turn. The right turn waits for the next tick.
    for (int i = 1; i <= 12; ++i) {
        PictureBox& ship = *EShip[i];
        if (FleetDir == 1) {
            ship.setLeft(ship.left() - FleetSpeed);
            if (EShip[1]->left() <= 0) FleetDir = 2;
        }
        if (FleetDir == 2) ship.setLeft(ship.left() + FleetSpeed);
    }
    if (EShip[5]->left() + EShip[5]->width() > scapebox->width()) FleetDir = 1;
}

void BonusStage::DropBullets_Timer() {
    rt().random().randomize(rt().now());
    const int i = static_cast<int>(rt().random().rnd() * 12) + 1;
    // A ship that is gone, or whose fireball still falls, fires nothing.
    if (Enemies[i].FireballOut == 1 || !EShip[i]->visible()) return;
    Enemies[i].FireballOut = 1;
    Image& ball = *fireball[i];
    PictureBox& ship = *EShip[i];
    ball.move(roundHalfEven(ship.left() + ship.width() / 2.0 - ball.width() / 2.0), ship.top());
    ball.setVisible(true);
    if (g.SoundOn == 1) PlaySample(2, BoomWav, false);
}

}  // namespace kv::stages
