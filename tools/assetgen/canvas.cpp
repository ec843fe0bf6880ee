#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace assetgen {

Colour rgb(std::uint32_t hex, float alpha) {
    return {static_cast<float>((hex >> 16) & 0xff) / 255.0f, static_cast<float>((hex >> 8) & 0xff) / 255.0f,
            static_cast<float>(hex & 0xff) / 255.0f, alpha};
}

Colour lerp(Colour a, Colour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Colour withAlpha(Colour c, float alpha) { return {c.r, c.g, c.b, alpha}; }
Colour brightened(Colour c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }
float luminance(Colour c) { return 0.2126f * c.r + 0.7152f * c.g + 0.0722f * c.b; }

float smoothstep(float e0, float e1, float x) {
    const float t = std::clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

Gradient::Gradient(std::initializer_list<std::pair<float, Colour>> stops) : stops_(stops) {
    if (stops_.empty()) throw std::invalid_argument("gradient needs at least one stop");
}

Colour Gradient::at(float t) const {
    if (t <= stops_.front().first) return stops_.front().second;
    for (std::size_t i = 1; i < stops_.size(); ++i) {
        if (t <= stops_[i].first) {
            const auto& [t0, c0] = stops_[i - 1];
            const auto& [t1, c1] = stops_[i];
            return lerp(c0, c1, t1 > t0 ? (t - t0) / (t1 - t0) : 1.0f);
        }
    }
    return stops_.back().second;
}

Paint solid(Colour c) {
    return [c](Vec2) { return c; };
}

Paint linear(Vec2 from, Vec2 to, Gradient g) {
    const Vec2 d = to - from;
    const float dd = std::max(dot(d, d), 1e-6f);
    return [from, d, dd, g = std::move(g)](Vec2 p) { return g.at(dot(p - from, d) / dd); };
}

Paint radial(Vec2 centre, float radius, Gradient g) {
    return [centre, radius, g = std::move(g)](Vec2 p) { return g.at(length(p - centre) / radius); };
}

// ---------------------------------------------------------------------------
// Blurring: three passes of a running box filter approximate a gaussian at a
// cost that does not depend on the radius.

namespace {

std::vector<int> boxRadiiForGauss(float sigma) {
    constexpr int n = 3;
    const float ideal = std::sqrt(12.0f * sigma * sigma / n + 1.0f);
    int wl = static_cast<int>(std::floor(ideal));
    if (wl % 2 == 0) --wl;
    const int wu = wl + 2;
    const float mIdeal = (12.0f * sigma * sigma - n * wl * wl - 4.0f * n * wl - 3.0f * n) / (-4.0f * wl - 4.0f);
    const int m = static_cast<int>(std::lround(mIdeal));
    std::vector<int> radii;
    for (int i = 0; i < n; ++i) radii.push_back(((i < m ? wl : wu) - 1) / 2);
    return radii;
}

// Blurs `count` values spaced `stride` apart, using scratch space `tmp`.
void boxLine(float* data, int count, int stride, int r, std::vector<float>& tmp) {
    if (r <= 0) return;
    tmp.resize(static_cast<std::size_t>(count));
    const float norm = 1.0f / static_cast<float>(2 * r + 1);
    float sum = 0;
    for (int i = 0; i <= std::min(r, count - 1); ++i) sum += data[static_cast<std::ptrdiff_t>(i) * stride];
    for (int i = 0; i < count; ++i) {
        tmp[static_cast<std::size_t>(i)] = sum * norm;
        const int add = i + r + 1, drop = i - r;
        if (add < count) sum += data[static_cast<std::ptrdiff_t>(add) * stride];
        if (drop >= 0) sum -= data[static_cast<std::ptrdiff_t>(drop) * stride];
    }
    for (int i = 0; i < count; ++i) data[static_cast<std::ptrdiff_t>(i) * stride] = tmp[static_cast<std::size_t>(i)];
}

// Blurs one channel of an interleaved image in place. Only the rectangle
// [x0, x1) x [y0, y1) is touched; everything outside it must be zero and lie
// farther than the blur reaches.
void blurPlane(float* data, int w, int channels, float sigmaPx, int x0, int y0, int x1, int y1) {
    if (sigmaPx < 0.3f || x1 <= x0 || y1 <= y0) return;
    std::vector<float> tmp;
    for (int r : boxRadiiForGauss(sigmaPx)) {
        for (int y = y0; y < y1; ++y)
            boxLine(data + (static_cast<std::ptrdiff_t>(y) * w + x0) * channels, x1 - x0, channels, r, tmp);
        for (int x = x0; x < x1; ++x)
            boxLine(data + (static_cast<std::ptrdiff_t>(y0) * w + x) * channels, y1 - y0, w * channels, r, tmp);
    }
}

int blurReach(float sigmaPx) {
    int reach = 0;
    for (int r : boxRadiiForGauss(sigmaPx)) reach += r;
    return reach + 1;
}

struct PixelRange {
    int x0, y0, x1, y1;  // half-open
};

PixelRange pixelsOf(const Box& b, int unit, int w, int h) {
    const float u = static_cast<float>(unit);
    return {std::max(0, static_cast<int>(std::floor(b.x0 * u)) - 2),
            std::max(0, static_cast<int>(std::floor(b.y0 * u)) - 2),
            std::min(w, static_cast<int>(std::ceil(b.x1 * u)) + 2),
            std::min(h, static_cast<int>(std::ceil(b.y1 * u)) + 2)};
}

}  // namespace

// ---------------------------------------------------------------------------

Mask::Mask(int width, int height, int unit)
    : w_(width * unit), h_(height * unit), unit_(unit), v_(static_cast<std::size_t>(w_) * h_, 0.0f) {}

float Mask::sample(Vec2 p) const {
    const float fx = p.x * unit_ - 0.5f, fy = p.y * unit_ - 0.5f;
    const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
    const float tx = fx - x0, ty = fy - y0;
    auto get = [this](int x, int y) { return (x < 0 || y < 0 || x >= w_ || y >= h_) ? 0.0f : at(x, y); };
    const float top = get(x0, y0) * (1 - tx) + get(x0 + 1, y0) * tx;
    const float bottom = get(x0, y0 + 1) * (1 - tx) + get(x0 + 1, y0 + 1) * tx;
    return top * (1 - ty) + bottom * ty;
}

template <typename F>
void Mask::applyShape(const Shape& s, F&& combine) {
    const PixelRange r = pixelsOf(s.bounds(), unit_, w_, h_);
    const float inv = 1.0f / static_cast<float>(unit_);
    for (int y = r.y0; y < r.y1; ++y) {
        for (int x = r.x0; x < r.x1; ++x) {
            const Vec2 p{(static_cast<float>(x) + 0.5f) * inv, (static_cast<float>(y) + 0.5f) * inv};
            const float cov = std::clamp(0.5f - s(p) * static_cast<float>(unit_), 0.0f, 1.0f);
            combine(at(x, y), cov);
        }
    }
}

Mask& Mask::add(const Shape& s, float amount) {
    applyShape(s, [amount](float& v, float cov) { v = std::max(v, cov * amount); });
    return *this;
}

Mask& Mask::cut(const Shape& s) {
    applyShape(s, [](float& v, float cov) { v *= 1.0f - cov; });
    return *this;
}

Mask& Mask::clip(const Shape& s) {
    Mask keep(w_ / unit_, h_ / unit_, unit_);
    keep.add(s);
    return multiply(keep);
}

Mask& Mask::unite(const Mask& o) {
    for (std::size_t i = 0; i < v_.size(); ++i) v_[i] = std::max(v_[i], o.v_[i]);
    return *this;
}

Mask& Mask::multiply(const Mask& o) {
    for (std::size_t i = 0; i < v_.size(); ++i) v_[i] *= o.v_[i];
    return *this;
}

Mask& Mask::subtract(const Mask& o) {
    for (std::size_t i = 0; i < v_.size(); ++i) v_[i] *= 1.0f - o.v_[i];
    return *this;
}

Mask& Mask::scale(float k) {
    for (float& v : v_) v = std::clamp(v * k, 0.0f, 1.0f);
    return *this;
}

Mask Mask::blurred(float sigma) const {
    Mask out = *this;
    // Blur only around the covered part; masks are often mostly empty.
    int x0 = w_, y0 = h_, x1 = 0, y1 = 0;
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x)
            if (at(x, y) > 0) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x + 1);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y + 1);
            }
    const float sigmaPx = sigma * static_cast<float>(unit_);
    const int reach = blurReach(sigmaPx);
    blurPlane(out.v_.data(), w_, 1, sigmaPx, std::max(0, x0 - reach), std::max(0, y0 - reach), std::min(w_, x1 + reach),
              std::min(h_, y1 + reach));
    return out;
}

Mask Mask::grown(float radius) const {
    const float rpx = radius * static_cast<float>(unit_);
    const int r = static_cast<int>(std::ceil(rpx));
    struct Tap {
        int dx, dy;
        float weight;
    };
    std::vector<Tap> taps;
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
            const float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));
            // A covered pixel moved by up to the radius still covers fully.
            const float weight = std::clamp(rpx + 1.0f - d, 0.0f, 1.0f);
            if (weight > 0) taps.push_back({dx, dy, weight});
        }
    Mask out(w_ / unit_, h_ / unit_, unit_);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            float best = 0;
            for (const Tap& t : taps) {
                const int sx = x + t.dx, sy = y + t.dy;
                if (sx < 0 || sy < 0 || sx >= w_ || sy >= h_) continue;
                best = std::max(best, at(sx, sy) * t.weight);
            }
            out.at(x, y) = best;
        }
    return out;
}

Mask Mask::shifted(Vec2 offset) const {
    const int dx = static_cast<int>(std::lround(offset.x * unit_));
    const int dy = static_cast<int>(std::lround(offset.y * unit_));
    Mask out(w_ / unit_, h_ / unit_, unit_);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const int sx = x - dx, sy = y - dy;
            if (sx >= 0 && sy >= 0 && sx < w_ && sy < h_) out.at(x, y) = at(sx, sy);
        }
    return out;
}

// ---------------------------------------------------------------------------

Canvas::Canvas(int width, int height, int unit, Colour background)
    : w_(width * unit), h_(height * unit), unit_(unit), px_(static_cast<std::size_t>(w_) * h_) {
    fill(background);
}

void Canvas::fill(Colour c) {
    const Px p{c.r * c.a, c.g * c.a, c.b * c.a, c.a};
    std::fill(px_.begin(), px_.end(), p);
}

void Canvas::blendPixel(Px& d, Colour c, float coverage, Blend blend) {
    const float a = std::clamp(c.a * coverage, 0.0f, 1.0f);
    if (a <= 0) return;
    if (blend == Blend::Over) {
        const float k = 1.0f - a;
        d.r = c.r * a + d.r * k;
        d.g = c.g * a + d.g * k;
        d.b = c.b * a + d.b * k;
        d.a = a + d.a * k;
    } else {
        d.r += c.r * a;
        d.g += c.g * a;
        d.b += c.b * a;
        // Light added over transparency becomes as opaque as it is bright.
        const float lit = std::min(1.0f, a * std::max({c.r, c.g, c.b}));
        d.a = d.a + lit * (1.0f - d.a);
    }
}

void Canvas::draw(const Shape& s, const Paint& p, Blend blend, float opacity) {
    const PixelRange r = pixelsOf(s.bounds(), unit_, w_, h_);
    const float inv = 1.0f / static_cast<float>(unit_);
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x) {
            const Vec2 pos{(static_cast<float>(x) + 0.5f) * inv, (static_cast<float>(y) + 0.5f) * inv};
            const float cov = std::clamp(0.5f - s(pos) * static_cast<float>(unit_), 0.0f, 1.0f);
            if (cov > 0) blendPixel(px_[static_cast<std::size_t>(y) * w_ + x], p(pos), cov * opacity, blend);
        }
}

void Canvas::draw(const Mask& m, const Paint& p, Blend blend, float opacity) {
    if (m.width() != w_ || m.height() != h_) throw std::invalid_argument("mask and canvas differ in size");
    const float inv = 1.0f / static_cast<float>(unit_);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const float cov = m.at(x, y);
            if (cov <= 0) continue;
            const Vec2 pos{(static_cast<float>(x) + 0.5f) * inv, (static_cast<float>(y) + 0.5f) * inv};
            blendPixel(px_[static_cast<std::size_t>(y) * w_ + x], p(pos), cov * opacity, blend);
        }
}

void Canvas::glow(const Mask& m, Colour c, float sigma, float strength) {
    draw(m.blurred(sigma), c, Blend::Add, strength);
}

void Canvas::shade(const Mask& m, float radius, float strength, Vec2 lightFrom, Colour highlight, Colour shadow) {
    const Mask soft = m.blurred(radius);
    const Vec2 l = normalised(lightFrom);
    const float scale = radius * static_cast<float>(unit_) * 2.5f;
    for (int y = 1; y + 1 < h_; ++y)
        for (int x = 1; x + 1 < w_; ++x) {
            const float cov = m.at(x, y);
            if (cov <= 0) continue;
            const float gx = (soft.at(x + 1, y) - soft.at(x - 1, y)) * 0.5f;
            const float gy = (soft.at(x, y + 1) - soft.at(x, y - 1)) * 0.5f;
            // The coverage rises into the shape, so a surface faces the light where
            // it rises away from the light.
            const float facing = std::clamp(-(gx * l.x + gy * l.y) * scale, -1.0f, 1.0f) * strength;
            Px& d = px_[static_cast<std::size_t>(y) * w_ + x];
            if (facing > 0) blendPixel(d, highlight, facing * cov, Blend::Over);
            else blendPixel(d, shadow, -facing * cov, Blend::Over);
        }
}

void Canvas::composite(const Canvas& layer, int ox, int oy, Blend blend, float opacity) {
    for (int y = 0; y < layer.h_; ++y) {
        const int ty = y + oy;
        if (ty < 0 || ty >= h_) continue;
        for (int x = 0; x < layer.w_; ++x) {
            const int tx = x + ox;
            if (tx < 0 || tx >= w_) continue;
            const Px& s = layer.px_[static_cast<std::size_t>(y) * layer.w_ + x];
            Px& d = px_[static_cast<std::size_t>(ty) * w_ + tx];
            if (blend == Blend::Over) {
                const float k = 1.0f - s.a * opacity;
                d.r = s.r * opacity + d.r * k;
                d.g = s.g * opacity + d.g * k;
                d.b = s.b * opacity + d.b * k;
                d.a = s.a * opacity + d.a * k;
            } else {
                d.r += s.r * opacity;
                d.g += s.g * opacity;
                d.b += s.b * opacity;
                d.a = std::min(1.0f, d.a + s.a * opacity * (1.0f - d.a));
            }
        }
    }
}

void Canvas::apply(const std::function<Colour(Vec2, Colour)>& f) {
    const float inv = 1.0f / static_cast<float>(unit_);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            Px& d = px_[static_cast<std::size_t>(y) * w_ + x];
            const Colour in = pixel(x, y);
            const Colour out = f(Vec2{(static_cast<float>(x) + 0.5f) * inv, (static_cast<float>(y) + 0.5f) * inv}, in);
            const float a = std::clamp(out.a, 0.0f, 1.0f);
            d = Px{out.r * a, out.g * a, out.b * a, a};
        }
}

void Canvas::splat(Vec2 centre, float sigma, Colour c, float strength) {
    const float u = static_cast<float>(unit_);
    const float sp = sigma * u;
    const int reach = static_cast<int>(std::ceil(sp * 3.0f)) + 1;
    const float cx = centre.x * u, cy = centre.y * u;
    const int x0 = std::max(0, static_cast<int>(cx) - reach), x1 = std::min(w_, static_cast<int>(cx) + reach + 1);
    const int y0 = std::max(0, static_cast<int>(cy) - reach), y1 = std::min(h_, static_cast<int>(cy) + reach + 1);
    const float k = -0.5f / (sp * sp);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const float dx = static_cast<float>(x) + 0.5f - cx, dy = static_cast<float>(y) + 0.5f - cy;
            blendPixel(px_[static_cast<std::size_t>(y) * w_ + x], c, strength * std::exp((dx * dx + dy * dy) * k),
                       Blend::Add);
        }
}

Canvas Canvas::blurred(float sigma) const {
    Canvas out = *this;
    float* data = &out.px_[0].r;
    for (int c = 0; c < 4; ++c) blurPlane(data + c, w_, 4, sigma * static_cast<float>(unit_), 0, 0, w_, h_);
    return out;
}

Canvas Canvas::downsampled(int factor) const {
    if (factor < 1 || unit_ % factor != 0) throw std::invalid_argument("downsample factor must divide the unit");
    Canvas out(w_ / unit_, h_ / unit_, unit_ / factor);
    const float norm = 1.0f / static_cast<float>(factor * factor);
    for (int y = 0; y < out.h_; ++y)
        for (int x = 0; x < out.w_; ++x) {
            Px sum;
            for (int sy = 0; sy < factor; ++sy)
                for (int sx = 0; sx < factor; ++sx) {
                    const Px& p = px_[static_cast<std::size_t>(y * factor + sy) * w_ + (x * factor + sx)];
                    sum.r += p.r;
                    sum.g += p.g;
                    sum.b += p.b;
                    sum.a += p.a;
                }
            out.px_[static_cast<std::size_t>(y) * out.w_ + x] =
                Px{sum.r * norm, sum.g * norm, sum.b * norm, sum.a * norm};
        }
    return out;
}

Mask Canvas::alpha() const {
    Mask m = newMask();
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) m.at(x, y) = std::clamp(px_[static_cast<std::size_t>(y) * w_ + x].a, 0.0f, 1.0f);
    return m;
}

Colour Canvas::pixel(int x, int y) const {
    const Px& p = px_[static_cast<std::size_t>(y) * w_ + x];
    if (p.a <= 1e-6f) return kClear;
    return {p.r / p.a, p.g / p.a, p.b / p.a, std::min(p.a, 1.0f)};
}

std::vector<std::uint8_t> Canvas::toRgba8() const {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(w_) * h_ * 4);
    auto to8 = [](float v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const Colour c = pixel(x, y);
            std::uint8_t* o = &out[(static_cast<std::size_t>(y) * w_ + x) * 4];
            o[3] = to8(c.a);
            // Fully transparent pixels are stored black so that nothing odd shows if
            // the picture is ever drawn without blending.
            if (o[3] == 0) {
                o[0] = o[1] = o[2] = 0;
            } else {
                o[0] = to8(c.r);
                o[1] = to8(c.g);
                o[2] = to8(c.b);
            }
        }
    return out;
}

Canvas supersampled(int width, int height, const std::function<void(Canvas&)>& paint, int factor) {
    Canvas big(width, height, factor);
    paint(big);
    return big.downsampled(factor);
}

}  // namespace assetgen
