#pragma once
// Small value types shared by every layer: colours, rectangles, rounding.
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kv {

// 0xAARRGGBB, the layout every surface uses.
struct Color {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
    constexpr Color() = default;
    constexpr Color(int red, int green, int blue, int alpha = 255)
        : r(static_cast<std::uint8_t>(red)), g(static_cast<std::uint8_t>(green)),
          b(static_cast<std::uint8_t>(blue)), a(static_cast<std::uint8_t>(alpha)) {}
    constexpr std::uint32_t argb() const {
        return (std::uint32_t(a) << 24) | (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | b;
    }
    static constexpr Color fromArgb(std::uint32_t v) {
        return Color(int((v >> 16) & 0xFF), int((v >> 8) & 0xFF), int(v & 0xFF), int(v >> 24));
    }
    constexpr bool operator==(const Color&) const = default;
};

inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kClear{0, 0, 0, 0};

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    constexpr int right() const { return x + w; }
    constexpr int bottom() const { return y + h; }
    constexpr bool empty() const { return w <= 0 || h <= 0; }
    constexpr bool contains(int px, int py) const {
        return px >= x && py >= y && px < x + w && py < y + h;
    }
    constexpr Rect intersect(const Rect& o) const {
        int nx = std::max(x, o.x), ny = std::max(y, o.y);
        int nr = std::min(right(), o.right()), nb = std::min(bottom(), o.bottom());
        return Rect{nx, ny, std::max(0, nr - nx), std::max(0, nb - ny)};
    }
    constexpr bool operator==(const Rect&) const = default;
};

// The game rounds fractional values to the nearest whole number with halves going
// to the even neighbour (2.5 -> 2, 3.5 -> 4).
inline int roundHalfEven(double v) {
    double f = std::floor(v);
    double diff = v - f;
    if (diff > 0.5) return static_cast<int>(f + 1);
    if (diff < 0.5) return static_cast<int>(f);
    long long fi = static_cast<long long>(f);
    return static_cast<int>((fi % 2 == 0) ? fi : fi + 1);
}

}  // namespace kv
