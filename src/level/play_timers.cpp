// The planet screen's play timers: what halts when play stops (pause, a lost
// life, the end of a planet) and what the pause dialog starts again.
#include "level/form1.h"

namespace kv::level {

void Form1::stopPlayTimers() {
    PickShips->setEnabled(false);
    DropShips->setEnabled(false);
    FireBullets->setEnabled(false);
    droprods->setEnabled(false);
}

void Form1::startPlayTimers() {
    PickShips->setEnabled(true);
    DropShips->setEnabled(true);
    FireBullets->setEnabled(true);
    droprods->setEnabled(true);
}

void Form1::stopAllTimers() {
    for (Timer* t : {droprods, DropShips, EndWait, EndWait2, explosions, FireBullets, JoystickCont, PickShips})
        t->setEnabled(false);
}

}  // namespace kv::level
