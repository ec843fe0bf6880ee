#pragma once
// The static star fields of the score table and the end sequence: single
// pixels, coloured by depth as every star field of the game is.
#include <cstdint>

#include "runtime/array.h"
#include "runtime/int16.h"
#include "runtime/random.h"
#include "runtime/surface.h"
#include "shared/star_field.h"

namespace kv::frontend {

template <int Lo, int Hi>
struct PixelStars {
    Array<Int16, Lo, Hi>& x;
    Array<Int16, Lo, Hi>& y;
    Array<Int16, Lo, Hi>& depth;

    // Stars 1 to count, each at a random place with a depth from 2 to 30.
    void place(Random& rnd, int count, int width, int height) {
        for (int i = 1; i <= count; ++i) {
            x[i] = static_cast<int>(rnd.rnd() * width);
            y[i] = static_cast<int>(rnd.rnd() * height);
            depth[i] = 30 - static_cast<int>(rnd.rnd() * 29);
        }
    }
    // Stars 1 to count as single pixels.
    void draw(Surface& into, int count) const {
        for (int i = 1; i <= count; ++i) into.setPixel(x[i], y[i], StarField::colourFor(depth[i]));
    }
};

}  // namespace kv::frontend
