#pragma once
// One drop ship and its rod, as the planet screen keeps them in Ships(1 to 7).
#include <cstdint>

#include "runtime/fields.h"

namespace kv::level {

struct DropShipRec {
    std::int16_t Active = 0;       // 1 while the ship is out
    std::int16_t TopTicks = 0;     // ticks spent at the top station this visit
    std::int16_t ExplodeX = 0, ExplodeY = 0;
    std::int16_t Exploding = 0;
    std::int16_t StayTicks = 0;    // ticks to wait at the top before climbing
    std::int16_t RodFalling = 0;
    std::int16_t RodKind = 0;      // 1 good, 2 bad
};

// In the dump each record is an object of its fields.
void toJson(nlohmann::json& j, const DropShipRec& s);

}  // namespace kv::level
