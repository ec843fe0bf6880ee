// Antialiased 2D shapes described by signed distance: negative inside, positive
// outside, measured in design units. Every shape also carries a bounding box so
// painting only visits the pixels it can touch.
#pragma once

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace assetgen {

struct Vec2 {
    float x = 0;
    float y = 0;
};

constexpr Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
constexpr Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
constexpr Vec2 operator*(Vec2 a, float k) { return {a.x * k, a.y * k}; }
constexpr Vec2 operator*(float k, Vec2 a) { return {a.x * k, a.y * k}; }
constexpr float dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
inline float length(Vec2 a) { return std::sqrt(dot(a, a)); }
inline Vec2 normalised(Vec2 a) {
    const float l = length(a);
    return l > 0 ? a * (1.0f / l) : Vec2{};
}
inline Vec2 perpendicular(Vec2 a) { return {-a.y, a.x}; }
inline Vec2 rotate(Vec2 v, float radians) {
    const float c = std::cos(radians), s = std::sin(radians);
    return {v.x * c - v.y * s, v.x * s + v.y * c};
}

struct Box {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;

    Box grown(float r) const { return {x0 - r, y0 - r, x1 + r, y1 + r}; }
    Box united(const Box& o) const {
        return {std::min(x0, o.x0), std::min(y0, o.y0), std::max(x1, o.x1), std::max(y1, o.y1)};
    }
    Box intersected(const Box& o) const {
        return {std::max(x0, o.x0), std::max(y0, o.y0), std::min(x1, o.x1), std::min(y1, o.y1)};
    }
};

class Shape {
public:
    using Distance = std::function<float(Vec2)>;

    Shape(Distance distance, Box bounds) : distance_(std::move(distance)), bounds_(bounds) {}

    float operator()(Vec2 p) const { return distance_(p); }
    const Box& bounds() const { return bounds_; }

private:
    Distance distance_;
    Box bounds_;
};

Shape circle(Vec2 centre, float radius);
Shape ellipse(Vec2 centre, float rx, float ry);
Shape rect(float x0, float y0, float x1, float y1, float cornerRadius = 0);
Shape capsule(Vec2 a, Vec2 b, float radius);
Shape taperedCapsule(Vec2 a, float ra, Vec2 b, float rb);
Shape polygon(std::vector<Vec2> points);
Shape ring(Vec2 centre, float radius, float thickness);
// A band of the given half-width centred on the segment a-b, with square ends.
Shape bar(Vec2 a, Vec2 b, float halfWidth);

Shape operator|(const Shape& a, const Shape& b);  // union
Shape operator&(const Shape& a, const Shape& b);  // intersection
Shape operator-(const Shape& a, const Shape& b);  // a with b cut away
Shape grown(const Shape& s, float r);             // negative r shrinks
Shape translated(const Shape& s, Vec2 offset);
Shape rotated(const Shape& s, Vec2 centre, float radians);
Shape mirrored(const Shape& s, float axisX);
// The shape together with its reflection across the vertical line x = axisX.
Shape withMirror(const Shape& s, float axisX);

}  // namespace assetgen
