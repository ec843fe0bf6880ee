#pragma once
// One drop ship and its rod, as the planet screen keeps them in Ships(1 to 7).
#include <cstdint>

#include "runtime/fields.h"
#include "runtime/int16.h"

namespace kv::level {

struct DropShipRec {
    Int16 Active = 0;              // 1 while the ship is out
    Int16 TopTicks = 0;            // ticks spent at the top station this visit
    Int16 ExplodeX = 0, ExplodeY = 0;
    Int16 Exploding = 0;
    Int16 StayTicks = 0;           // ticks to wait at the top before climbing
    Int16 RodFalling = 0;
    Int16 RodKind = 0;             // 1 good, 2 bad
};

// In the dump each record is an object of its fields.
void toJson(nlohmann::json& j, const DropShipRec& s);

}  // namespace kv::level
