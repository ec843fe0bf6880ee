// The LED read-outs of the side panel, and the end of a planet once no rods are
// needed any more.
#include "level/form1.h"

namespace kv::level {

void Form1::print_score() { paintReadout(*Score, 5, g.PlayerScore, leds_); }

void Form1::print_level() { paintReadout(*Planet, 2, g.PlanetLevel, leds_); }

void Form1::print_lives() { paintReadout(*LivesLeft, 2, g.PlayerLives, leds_); }

void Form1::print_rods() {
    paintReadout(*Rods, 2, RodsDefused, leds_);
    paintReadout(*RodsLeft, 2, RodsNeeded, leds_);
    // Nothing here remembers that the planet has already ended: every call at 0
    // or below ends it again.
    if (RodsNeeded <= 0) {
        stopPlayTimers();
        g.ShipFrozen = 1;
        LevelClear();
    }
}

}  // namespace kv::level
