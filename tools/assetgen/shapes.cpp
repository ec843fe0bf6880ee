#include "shapes.h"

#include <limits>
#include <utility>

namespace assetgen {

Shape circle(Vec2 c, float r) {
    return Shape([c, r](Vec2 p) { return length(p - c) - r; }, Box{c.x - r, c.y - r, c.x + r, c.y + r});
}

Shape ellipse(Vec2 c, float rx, float ry) {
    if (std::abs(rx - ry) < 1e-4f) return circle(c, rx);
    // A close approximation of the true distance that stays smooth at the centre.
    return Shape(
        [c, rx, ry](Vec2 p) {
            const Vec2 q = p - c;
            const float k0 = length(Vec2{q.x / rx, q.y / ry});
            const float k1 = length(Vec2{q.x / (rx * rx), q.y / (ry * ry)});
            if (k1 < 1e-6f) return -std::min(rx, ry);
            return k0 * (k0 - 1.0f) / k1;
        },
        Box{c.x - rx, c.y - ry, c.x + rx, c.y + ry});
}

Shape rect(float x0, float y0, float x1, float y1, float cornerRadius) {
    const Vec2 centre{(x0 + x1) * 0.5f, (y0 + y1) * 0.5f};
    const Vec2 half{(x1 - x0) * 0.5f - cornerRadius, (y1 - y0) * 0.5f - cornerRadius};
    return Shape(
        [centre, half, cornerRadius](Vec2 p) {
            const float dx = std::abs(p.x - centre.x) - half.x;
            const float dy = std::abs(p.y - centre.y) - half.y;
            const float outside = length(Vec2{std::max(dx, 0.0f), std::max(dy, 0.0f)});
            const float inside = std::min(std::max(dx, dy), 0.0f);
            return outside + inside - cornerRadius;
        },
        Box{x0, y0, x1, y1});
}

Shape capsule(Vec2 a, Vec2 b, float r) {
    return Shape(
        [a, b, r](Vec2 p) {
            const Vec2 pa = p - a, ba = b - a;
            const float bb = dot(ba, ba);
            const float h = bb > 0 ? std::clamp(dot(pa, ba) / bb, 0.0f, 1.0f) : 0.0f;
            return length(pa - ba * h) - r;
        },
        Box{std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::max(a.x, b.x) + r, std::max(a.y, b.y) + r});
}

Shape taperedCapsule(Vec2 a, float ra, Vec2 b, float rb) {
    const Box bounds{std::min(a.x - ra, b.x - rb), std::min(a.y - ra, b.y - rb), std::max(a.x + ra, b.x + rb),
                     std::max(a.y + ra, b.y + rb)};
    return Shape(
        [a, b, ra, rb](Vec2 p) {
            p = p - a;
            const Vec2 pb = b - a;
            const float h = dot(pb, pb);
            Vec2 q{dot(p, Vec2{pb.y, -pb.x}) / h, dot(p, pb) / h};
            q.x = std::abs(q.x);
            const float d = ra - rb;
            const Vec2 c{std::sqrt(std::max(h - d * d, 0.0f)), d};
            const float k = c.x * q.y - c.y * q.x;
            const float m = dot(c, q);
            const float n = dot(q, q);
            if (k < 0.0f) return std::sqrt(h * n) - ra;
            if (k > c.x) return std::sqrt(h * (n + 1.0f - 2.0f * q.y)) - rb;
            return m - ra;
        },
        bounds);
}

Shape polygon(std::vector<Vec2> v) {
    Box bounds{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
               std::numeric_limits<float>::lowest(), std::numeric_limits<float>::lowest()};
    for (const Vec2& p : v) bounds = bounds.united(Box{p.x, p.y, p.x, p.y});
    // Far outside the outline only the distance to the bounding box is returned.
    // It is a lower bound, which is all that painting (even with generous
    // growing) needs there, and it saves walking every edge.
    constexpr float kFar = 16.0f;
    return Shape(
        [v = std::move(v), bounds](Vec2 p) {
            const float bx = std::max({bounds.x0 - p.x, p.x - bounds.x1, 0.0f});
            const float by = std::max({bounds.y0 - p.y, p.y - bounds.y1, 0.0f});
            if (bx > kFar || by > kFar) return std::sqrt(bx * bx + by * by);
            float d = dot(p - v[0], p - v[0]);
            float s = 1.0f;
            const std::size_t n = v.size();
            for (std::size_t i = 0, j = n - 1; i < n; j = i, ++i) {
                const Vec2 e = v[j] - v[i];
                const Vec2 w = p - v[i];
                const float ee = dot(e, e);
                const float t = ee > 0 ? std::clamp(dot(w, e) / ee, 0.0f, 1.0f) : 0.0f;
                const Vec2 b = w - e * t;
                d = std::min(d, dot(b, b));
                const bool c1 = p.y >= v[i].y, c2 = p.y<v[j].y, c3 = e.x * w.y> e.y * w.x;
                if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
            }
            return s * std::sqrt(d);
        },
        bounds);
}

Shape ring(Vec2 c, float r, float thickness) {
    const float half = thickness * 0.5f;
    const float outer = r + half;
    return Shape([c, r, half](Vec2 p) { return std::abs(length(p - c) - r) - half; },
                 Box{c.x - outer, c.y - outer, c.x + outer, c.y + outer});
}

Shape bar(Vec2 a, Vec2 b, float halfWidth) {
    const Vec2 side = perpendicular(normalised(b - a)) * halfWidth;
    return polygon({a + side, b + side, b - side, a - side});
}

Shape operator|(const Shape& a, const Shape& b) {
    return Shape([a, b](Vec2 p) { return std::min(a(p), b(p)); }, a.bounds().united(b.bounds()));
}

Shape operator&(const Shape& a, const Shape& b) {
    return Shape([a, b](Vec2 p) { return std::max(a(p), b(p)); }, a.bounds().intersected(b.bounds()));
}

Shape operator-(const Shape& a, const Shape& b) {
    return Shape([a, b](Vec2 p) { return std::max(a(p), -b(p)); }, a.bounds());
}

Shape grown(const Shape& s, float r) {
    return Shape([s, r](Vec2 p) { return s(p) - r; }, s.bounds().grown(std::max(r, 0.0f)));
}

Shape translated(const Shape& s, Vec2 o) {
    const Box b = s.bounds();
    return Shape([s, o](Vec2 p) { return s(p - o); }, Box{b.x0 + o.x, b.y0 + o.y, b.x1 + o.x, b.y1 + o.y});
}

Shape rotated(const Shape& s, Vec2 centre, float radians) {
    const Box b = s.bounds();
    Box out{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest(),
            std::numeric_limits<float>::lowest()};
    for (const Vec2 corner : {Vec2{b.x0, b.y0}, Vec2{b.x1, b.y0}, Vec2{b.x0, b.y1}, Vec2{b.x1, b.y1}}) {
        const Vec2 r = centre + rotate(corner - centre, radians);
        out = out.united(Box{r.x, r.y, r.x, r.y});
    }
    return Shape([s, centre, radians](Vec2 p) { return s(centre + rotate(p - centre, -radians)); }, out);
}

Shape mirrored(const Shape& s, float axisX) {
    const Box b = s.bounds();
    return Shape(
        [s, axisX](Vec2 p) {
            return s(Vec2{2 * axisX - p.x, p.y});
        },
        Box{2 * axisX - b.x1, b.y0, 2 * axisX - b.x0, b.y1});
}

Shape withMirror(const Shape& s, float axisX) { return s | mirrored(s, axisX); }

}  // namespace assetgen
