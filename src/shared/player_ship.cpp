#include "shared/player_ship.h"

namespace kv {

bool PlayerShip::fire() {
    const bool idle = BulletOn(p_.NextBullet) == 0;
    BulletOn(p_.NextBullet) = 1;
    ++p_.NextBullet;
    if (p_.NextBullet > p_.BulletsAllowed) p_.NextBullet = p_.BulletsAllowed;
    return idle;
}

void PlayerShip::stepLeft(int pixels) {
    if (ship().left() > 0) ship().setLeft(ship().left() - pixels);
}

void PlayerShip::stepRight(int pixels) {
    if (ship().left() < rules_.stepLimit) ship().setLeft(ship().left() + pixels);
}

bool PlayerShip::clamp() {
    if (ship().left() < 0) ship().setLeft(0);
    if (ship().left() < rules_.dockFrom) return false;
    ship().setLeft(rules_.dockAt);
    return true;
}

void PlayerShip::centreShot(int k) {
    Image& shot = *p_.shots[k];
    shot.move(roundHalfEven(ship().left() + ship().width() / 2.0 - shot.width() / 2.0), ship().top());
}

void PlayerShip::followShip(int k) {
    if (BulletOn(k) == 0) centreShot(k);
}

void PlayerShip::followShipAll() {
    for (int k = 1; k <= 5; ++k) followShip(k);
}

void PlayerShip::recordExplosionPoint() {
    p_.PlayerExplodeX = roundHalfEven(ship().left() + rules_.explodeDX);
    p_.PlayerExplodeY = roundHalfEven(ship().top() + rules_.explodeDY);
}

void PlayerShip::moveShots() {
    for (int k = 1; k <= 5; ++k) {
        if (BulletOn(k) != 1 || k > p_.BulletsAllowed) continue;
        Image& shot = *p_.shots[k];
        shot.setVisible(true);
        shot.setTop(shot.top() - p_.BulletSpeed);
        if (shot.top() < -shot.height()) freeShot(k);
    }
}

void PlayerShip::freeShot(int k) {
    BulletOn(k) = 0;
    p_.shots[k]->setVisible(false);
    centreShot(k);
    p_.NextBullet -= 2;
    if (p_.NextBullet < 1) p_.NextBullet = 1;
}

void joystickDirection(const SharedState& g, Int16& JoyDir, Int16& JoyFire) {
    const std::int32_t x = g.JoyPos[0];
    if (x < g.JoyCapsA[0] + 1000) JoyDir = 1;
    else if (g.JoyCapsB[0] - 1000 < x && x <= g.JoyCapsB[0]) JoyDir = 2;
    else JoyDir = 0;
    JoyFire = g.JoyPos[3] != 0 ? 1 : 0;
}

}  // namespace kv
