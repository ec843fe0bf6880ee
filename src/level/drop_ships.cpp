// The seven drop ships: picked at random, down to the top station, a rod, a
// wait, and back up out of sight.
#include "level/form1.h"

namespace kv::level {

namespace {
constexpr int kTopStation = 5;
}

void Form1::PickShips_Timer() {
    rt().random().randomize(rt().now());
    int n = static_cast<int>(rt().random().rnd() * 7) + 1;
    DropShipRec& rec = Ships[n];
    // A pick that lands on a ship already out is lost.
    if (rec.Active != 1) {
        rec.TopTicks = 0;
        rec.Active = 1;
    }
}

void Form1::DropShips_Timer() {
    for (int i = 1; i <= 7; ++i) {
        DropShipRec& rec = Ships[i];
        if (rec.Active != 1 || rec.Exploding != 0) continue;
        PictureBox& ship = *DropShip[i];
        // Descend.
        if (ship.top() < kTopStation && rec.TopTicks == 0) ship.setTop(ship.top() + 5);
        // Arrive: the ship steps past the station once per visit.
        if (ship.top() > kTopStation) {
            ship.setTop(kTopStation);
            drop_rod(i);
        }
        // Wait.
        if (ship.top() == kTopStation) ++rec.TopTicks;
        // Climb, and park once out of sight.
        if (rec.TopTicks > rec.StayTicks) {
            ship.setTop(ship.top() - 5);
            if (ship.top() < -ship.height()) {
                rec.Active = 0;
                ship.setTop(-ship.height());
            }
        }
        // Where its explosion would be drawn.
        rec.ExplodeX = roundHalfEven(ship.left() + 5.5);
        rec.ExplodeY = roundHalfEven(ship.top() + 6.5);
    }
}

}  // namespace kv::level
