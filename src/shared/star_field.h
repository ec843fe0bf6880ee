#pragma once
// Static stars drawn once into a playfield at screen load.
#include <vector>

#include "runtime/controls.h"
#include "runtime/fields.h"
#include "runtime/random.h"

namespace kv {

struct StarField {
    // Index 0 is unused: stars are numbered from 1, as the screens number them.
    std::vector<int> StarX, StarY, StarDepth, StarSize;

    // Places `count` stars at random in width x height and paints them as
    // circles into the surface, coloured by depth.
    void draw(Random& rnd, Surface& into, int count, int width, int height);
    static Color colourFor(int depth);
};

// The dump shows the four arrays by their own names, from star 1.
void describeInto(nlohmann::json& vars, const StarField& stars);

}  // namespace kv
