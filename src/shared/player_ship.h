#pragma once
// The player's ship as every playing screen has it: the sideways steps under
// keys and joystick, the five shot slots with their allocator, the shots'
// climb, and the point where the ship's explosion will be drawn. The screen
// keeps the variables under its own names (its dump shows them); this piece
// works on them. What differs between screens is a rule of ShipRules; what a
// screen does beyond that (docking with a rod, hit tests) stays in the screen.
#include <cstdint>
#include <span>

#include "runtime/array.h"
#include "runtime/controls.h"
#include "runtime/int16.h"
#include "shared/game_state.h"

namespace kv {

struct ShipRules {
    int stepLimit;                   // a step right is taken only while the ship's left is below this
    int dockFrom;                    // a ship whose left is at or beyond this...
    int dockAt;                      // ...stands here
    double explodeDX, explodeDY;     // the explosion's place from the ship's top-left
};

// The screen's own controls and variables the ship works on.
struct ShipParts {
    PictureBox*& ship;
    Array<Image*, 1, 5>& shots;
    std::span<Int16, 5> BulletOn;          // slots 1 to 5
    Int16& NextBullet;
    Int16& BulletsAllowed;
    Int16& BulletSpeed;
    Int16& PlayerExplodeX;
    Int16& PlayerExplodeY;
};

class PlayerShip {
public:
    PlayerShip(ShipParts parts, ShipRules rules) : p_(parts), rules_(rules) {}

    // The allocator: slot NextBullet is in flight and NextBullet moves on, but
    // never past BulletsAllowed. True when the slot was idle, so a new shot
    // leaves (and the phaser sounds); a slot already flying stays flying.
    bool fire();
    // One sideways step, taken only inside the screen's limits.
    void stepLeft(int pixels);
    void stepRight(int pixels);
    // Back inside the playfield after a move; true when the ship stands at
    // its docking place.
    bool clamp();
    // An idle shot sits at the ship's centre, at the ship's top.
    void centreShot(int k);
    // Centres slot k if it is idle (idle shots travel with the ship).
    void followShip(int k);
    void followShipAll();
    // Where the ship's explosion will be drawn: the ship's place, offset by the
    // screen's rule, rounded half to even.
    void recordExplosionPoint();
    // The shots' climb: each slot in flight within BulletsAllowed shows and
    // rises BulletSpeed; above the top it is free again. A slot beyond
    // BulletsAllowed that is still in flight stays where it is.
    void moveShots();
    // Slot k idle again, back at the ship; NextBullet drops two, not below 1.
    void freeShot(int k);

    // Slot k, 1 to 5; any other index stops the program as the game's arrays do.
    Int16& BulletOn(int k) {
        if (k < 1 || k > 5) arrayIndexOutOfRange(k, 1, 5);
        return p_.BulletOn[std::size_t(k - 1)];
    }
    PictureBox& ship() { return *p_.ship; }

private:
    ShipParts p_;
    ShipRules rules_;
};

// A joystick reading as a direction and a fire flag: left within 1000 units of
// the X minimum, right within 1000 of the X maximum, fire on any button.
void joystickDirection(const SharedState& g, Int16& JoyDir, Int16& JoyFire);

}  // namespace kv
