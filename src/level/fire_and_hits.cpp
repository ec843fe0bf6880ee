// The player's bullets: moving the five slots, freeing them, and the strict hit
// tests against the drop ships and the bonus box.
#include "level/bonus_kinds.h"
#include "level/form1.h"

namespace kv::level {

void Form1::Firebullets_Timer() {
    playerShip.moveShots();
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
                playerShip.freeShot(b);
                if (g.SoundOn == 1) PlaySample(2, ShipExplodeWav, false);
            }
        }
        // The box counts where it stands, flying, hidden or not.
        PictureBox& box = *bonusbox;
        if (bullet.top() < box.top() + box.height() && box.top() < bullet.top() + bullet.height() &&
            box.left() < bullet.left() && bullet.left() + bullet.width() < box.left() + box.width()) {
            playerShip.freeShot(b);
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
