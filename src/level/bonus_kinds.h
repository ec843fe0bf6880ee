#pragma once
// The eighteen kinds of bonus box, in one table: the name shown when the
// pick-up is caught, its colour, whether the pick-up looks good or bad, and what
// catching it does. Kind 0 means no box.
#include "runtime/geometry.h"

namespace kv::level {

enum class BonusEffect {
    None,
    DecreaseRadiation,   // radiation -40, only while above 0
    ExtraLife,           // lives +1
    FasterMovement,      // speed +5, no limit
    BonusStage,          // the bonus stage once the name has faded
    HundredPoints,       // score +100
    ExtraBullet,         // one more bullet slot, up to 5
    CompleteLevel,       // no rods needed once the name has faded
    IncreaseRadiation,   // radiation +40
    SlowerMovement,      // speed -5 while above 6
    OneBullet,           // back to one bullet slot
};

struct BonusKind {
    const char* name;   // shown exactly so; null for kind 0
    Color colour;       // of the name: green good, red bad, yellow the bonus stage
    bool good;          // the pick-up shows the good picture, else the bad one
    BonusEffect effect;
};

// The row of a BonusType; any value outside 1 to 18 is kind 0.
const BonusKind& bonusKind(int type);

}  // namespace kv::level
