// Seeded randomness and smooth noise. Everything here is computed from integer
// hashes so the pictures come out identical on every run and every compiler.
#pragma once

#include <cstdint>

#include "shapes.h"

namespace assetgen {

class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    float uniform();                  // [0, 1)
    float range(float lo, float hi);  // [lo, hi)
    int below(int n);                 // [0, n)
    bool chance(float p) { return uniform() < p; }

private:
    std::uint64_t state_;
};

// Gradient noise in roughly [-1, 1]. A positive period makes the noise repeat
// every `period` units along x (used for tiling strips).
float noise(Vec2 p, std::uint32_t seed, int period = 0);
float noise3(float x, float y, float z, std::uint32_t seed);

// Fractal sums of the above, scaled back into roughly [-1, 1].
float fbm(Vec2 p, int octaves, std::uint32_t seed, int period = 0);
float fbm3(float x, float y, float z, int octaves, std::uint32_t seed);

}  // namespace assetgen
