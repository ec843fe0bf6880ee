#include "level/drop_ship_rec.h"

#include <nlohmann/json.hpp>

namespace kv::level {

void toJson(nlohmann::json& j, const DropShipRec& s) {
    j = {{"Active", s.Active},       {"TopTicks", s.TopTicks},     {"ExplodeX", s.ExplodeX},
         {"ExplodeY", s.ExplodeY},   {"Exploding", s.Exploding},   {"StayTicks", s.StayTicks},
         {"RodFalling", s.RodFalling}, {"RodKind", s.RodKind}};
}

}  // namespace kv::level
