// Rods: dropped by the ships at the top station, caught by the player's ship or
// landing and raising the radiation gauge.
#include "level/form1.h"

namespace kv::level {

void Form1::drop_rod(int i) {
    DropShipRec& rec = Ships[i];
    // Its earlier rod is still on its way.
    if (rec.RodFalling == 1) return;
    rt().random().randomize(rt().now());
    int r = static_cast<int>(rt().random().rnd() * 100) + 1;
    // Too low a roll: no rod this visit.
    if (r < RodThreshold) return;
    // The rod's bottom edge level with the ship's.
    Image& rod = *RadRod[i];
    PictureBox& ship = *DropShip[i];
    rod.setPicture(goodrod->picture());
    rod.setTop(ship.height() - rod.height() + ship.top());
    if (r <= RodThreshold + 70) {
        // A good rod.
        rec.RodFalling = 1;
        rec.RodKind = 1;
        if (g.SoundOn == 1) PlaySample(2, DropRodWav, false);
    } else {
        // The top of the roll: a bad rod where bad rods are on, else a silent good one.
        rec.RodFalling = 1;
        if (BadRodsOn == 0) {
            rec.RodKind = 1;
        } else {
            rec.RodKind = 2;
            if (g.SoundOn == 1) PlaySample(2, DropRodWav, false);
            rod.setPicture(badrod->picture());
        }
    }
}

void Form1::droprods_Timer() {
    // The rods first.
    for (int i = 1; i <= 7; ++i) {
        DropShipRec& rec = Ships[i];
        if (rec.RodFalling != 1) continue;
        Image& rod = *RadRod[i];
        rod.setTop(rod.top() + 7);
        // The catch: the rod must straddle the ship's top edge and lie strictly inside its width.
        if (rod.top() + rod.height() > Player->top() && rod.top() < Player->top() && rod.left() > Player->left() &&
            rod.left() + rod.width() < Player->left() + Player->width() && !carriesRod()) {
            // A bad rod puts the tally back by one.
            if (rec.RodKind == 2) {
                ++RodsNeeded;
                --RodsDefused;
            }
            rec.RodFalling = 0;
            rec.RodKind = 0;
            rod.clearPicture();
            rod.setTop(-rod.height());
            Player->setPicture(PlayerRod->picture());
            CanFire = 0;
            if (g.SoundOn == 1) PlaySample(5, CaughtRodWav, false);
        }
        // Landing.
        if (rec.RodFalling == 1 && rod.top() > scapebox->height()) {
            if (rec.RodKind == 2) g.RadiationLevel -= 16;
            rec.RodFalling = 0;
            rec.RodKind = 0;
            rod.clearPicture();
            rod.setTop(-rod.height());
            g.RadiationLevel += 19;
            print_radiation();
            if (g.SoundOn == 1) PlaySample(4, BoomWav, false);
            if (closed()) return;
        }
    }
    // Then the bonus box and its pick-up.
    droprodsBonus();
}

void Form1::print_radiation() {
    GaugeRed = 0;
    GaugeGreen = 255;
    // The gauge is not cleared first; columns past the gauge fall outside it.
    Surface& c = RadProgress->canvas();
    const int h = RadProgress->height();
    for (int x = 0; x <= g.RadiationLevel; ++x) {
        c.line(x, 0, x, h, Color(GaugeRed, GaugeGreen, 0));
        if (GaugeRed < 255) ++GaugeRed;
        if (x > GaugeMidpoint && GaugeGreen > 0) --GaugeGreen;
    }
    if (g.RadiationLevel >= RadiationMax) LoseLife();
}

}  // namespace kv::level
