// The player's bullets: moving the five slots, freeing them, and the strict hit
// tests against the drop ships and the bonus box.
#include "level/bonus_kinds.h"
#include "level/form1.h"

namespace kv::level {

namespace {
// Slot 1 always moves; slot k (2 to 4) while more than k - 1 slots are allowed;
// slot 5 only with all five allowed.
bool slotMoves(int k, int allowed) {
    if (k == 1) return true;
    if (k <= 4) return allowed > k - 1;
    return allowed == 5;
}
}  // namespace

void Form1::freeBullet(int b) {
    BulletOn[b] = 0;
    PlayBullet[b]->setVisible(false);
    centreIdleBullet(b);
    NextBullet = static_cast<std::int16_t>(NextBullet - 2);
    if (NextBullet < 1) NextBullet = 1;
}

void Form1::Firebullets_Timer() {
    // Move the bullets.
    for (int k = 1; k <= 5; ++k) {
        if (!slotMoves(k, BulletsAllowed) || BulletOn[k] != 1) continue;
        Image& bullet = *PlayBullet[k];
        bullet.setVisible(true);
        bullet.setTop(bullet.top() - BulletSpeed);
        if (bullet.top() < -bullet.height()) freeBullet(k);
    }
    // Hit tests, for every slot whether in flight or not.
    for (int b = 1; b <= 5; ++b) {
        Image& bullet = *PlayBullet[b];
        for (int s = 1; s <= 7; ++s) {
            PictureBox& ship = *DropShip[s];
            DropShipRec& rec = Ships[s];
            if (rec.Active == 1 && bullet.top() < ship.top() + ship.height() && bullet.top() > -bullet.height() &&
                bullet.left() > ship.left() && bullet.left() < ship.left() + ship.width() - bullet.width()) {
                rec.Exploding = 1;
                ShipExplodeFrame[s] = 1;
                ship.setTop(-ship.height());
                rec.Active = 0;
                g.PlayerScore += 25;
                print_score();
                freeBullet(b);
                if (g.SoundOn == 1) PlaySample(2, ShipExplodeWav, false);
            }
        }
        // The box counts where it stands, flying, hidden or not.
        PictureBox& box = *bonusbox;
        if (bullet.top() < box.top() + box.height() && box.top() < bullet.top() + bullet.height() &&
            box.left() < bullet.left() && bullet.left() + bullet.width() < box.left() + box.width()) {
            freeBullet(b);
            const Image& pick = bonusKind(BonusType).good ? *goddbonuspic : *badbonuspic;
            box.setPicture(pick.picture());
            box.setSize(pick.width(), pick.height());
            box.setVisible(false);
            BonusFlying = 0;
            BonusExplodeFrame = 1;
            BonusExploding = 1;
            if (g.SoundOn == 1) PlaySample(5, HitBonusWav, false);
        }
    }
}

}  // namespace kv::level
