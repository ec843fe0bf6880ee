#include "noise.h"

#include <cmath>

namespace assetgen {

std::uint64_t Rng::next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

float Rng::uniform() { return static_cast<float>(next() >> 40) / static_cast<float>(1ull << 24); }
float Rng::range(float lo, float hi) { return lo + (hi - lo) * uniform(); }
int Rng::below(int n) { return n <= 0 ? 0 : static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

namespace {

std::uint32_t hash(std::int32_t x, std::int32_t y, std::int32_t z, std::uint32_t seed) {
    std::uint32_t h = seed * 0x27d4eb2du;
    h ^= static_cast<std::uint32_t>(x) * 0x85ebca6bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xc2b2ae35u;
    h = (h << 11) | (h >> 21);
    h ^= static_cast<std::uint32_t>(z) * 0x165667b1u;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

float fade(float t) { return t * t * t * (t * (t * 6 - 15) + 10); }
float mixf(float a, float b, float t) { return a + (b - a) * t; }

// 256 evenly spread unit gradients, computed once.
struct Gradients {
    float x[256], y[256];
    Gradients() {
        for (int i = 0; i < 256; ++i) {
            const float angle = static_cast<float>(i) * (6.2831853f / 256.0f);
            x[i] = std::cos(angle);
            y[i] = std::sin(angle);
        }
    }
};
const Gradients kGradients;

float grad2(std::int32_t ix, std::int32_t iy, std::uint32_t seed, float dx, float dy) {
    const std::uint32_t i = hash(ix, iy, 0, seed) & 0xff;
    return kGradients.x[i] * dx + kGradients.y[i] * dy;
}

float grad3(std::int32_t ix, std::int32_t iy, std::int32_t iz, std::uint32_t seed, float dx, float dy, float dz) {
    // One of twelve cube-edge directions.
    switch (hash(ix, iy, iz, seed) % 12) {
        case 0: return dx + dy;
        case 1: return -dx + dy;
        case 2: return dx - dy;
        case 3: return -dx - dy;
        case 4: return dx + dz;
        case 5: return -dx + dz;
        case 6: return dx - dz;
        case 7: return -dx - dz;
        case 8: return dy + dz;
        case 9: return -dy + dz;
        case 10: return dy - dz;
        default: return -dy - dz;
    }
}

int wrap(int v, int period) {
    if (period <= 0) return v;
    v %= period;
    return v < 0 ? v + period : v;
}

}  // namespace

float noise(Vec2 p, std::uint32_t seed, int period) {
    const float fx = std::floor(p.x), fy = std::floor(p.y);
    const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
    const float dx = p.x - fx, dy = p.y - fy;
    const int xa = wrap(x0, period), xb = wrap(x0 + 1, period);
    const float n00 = grad2(xa, y0, seed, dx, dy);
    const float n10 = grad2(xb, y0, seed, dx - 1, dy);
    const float n01 = grad2(xa, y0 + 1, seed, dx, dy - 1);
    const float n11 = grad2(xb, y0 + 1, seed, dx - 1, dy - 1);
    const float u = fade(dx), v = fade(dy);
    return mixf(mixf(n00, n10, u), mixf(n01, n11, u), v) * 1.4f;
}

float noise3(float x, float y, float z, std::uint32_t seed) {
    const float fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy), z0 = static_cast<int>(fz);
    const float dx = x - fx, dy = y - fy, dz = z - fz;
    const float u = fade(dx), v = fade(dy), w = fade(dz);
    auto g = [&](int i, int j, int k) {
        return grad3(x0 + i, y0 + j, z0 + k, seed, dx - static_cast<float>(i), dy - static_cast<float>(j),
                     dz - static_cast<float>(k));
    };
    const float a = mixf(mixf(g(0, 0, 0), g(1, 0, 0), u), mixf(g(0, 1, 0), g(1, 1, 0), u), v);
    const float b = mixf(mixf(g(0, 0, 1), g(1, 0, 1), u), mixf(g(0, 1, 1), g(1, 1, 1), u), v);
    return mixf(a, b, w);
}

float fbm(Vec2 p, int octaves, std::uint32_t seed, int period) {
    float sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * noise(p, seed + static_cast<std::uint32_t>(i) * 101u, period);
        norm += amp;
        amp *= 0.5f;
        p = p * 2.0f;
        if (period > 0) period *= 2;
    }
    return sum / norm * 1.3f;
}

float fbm3(float x, float y, float z, int octaves, std::uint32_t seed) {
    float sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * noise3(x, y, z, seed + static_cast<std::uint32_t>(i) * 101u);
        norm += amp;
        amp *= 0.5f;
        x *= 2.0f;
        y *= 2.0f;
        z *= 2.0f;
    }
    return sum / norm * 1.3f;
}

}  // namespace assetgen
