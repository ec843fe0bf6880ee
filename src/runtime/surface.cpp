#include "runtime/surface.h"

#include <cstdlib>
#include <cstring>
#include <algorithm>

namespace kv {

Surface::Surface(int w, int h, Color fill)
    : w_(std::max(0, w)), h_(std::max(0, h)), px_(std::size_t(w_) * std::size_t(h_), fill.argb()) {}

Color Surface::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return kBlack;
    return Color::fromArgb(px_[std::size_t(y) * std::size_t(w_) + std::size_t(x)]);
}

SurfaceView Surface::view() { return SurfaceView(*this); }
void Surface::setPixel(int x, int y, Color c) { view().setPixel(x, y, c); }
void Surface::fill(Color c) { view().fill(c); }
void Surface::fillRect(Rect r, Color c) { view().fillRect(r, c); }
void Surface::blit(const Surface& src, Rect srcRect, int dx, int dy, bool blend) {
    view().blit(src, srcRect, dx, dy, blend);
}
void Surface::line(int x0, int y0, int x1, int y1, Color c) { view().line(x0, y0, x1, y1, c); }
void Surface::circle(int cx, int cy, int radius, Color c) { view().circle(cx, cy, radius, c); }

// ---- Views -----------------------------------------------------------------

SurfaceView::SurfaceView(Surface& s)
    : px_(s.data()), pitch_(s.width()), w_(s.width()), h_(s.height()), clip_(s.bounds()) {}

SurfaceView SurfaceView::subregion(Rect r) const {
    SurfaceView v = *this;
    v.ox_ = ox_ + r.x;
    v.oy_ = oy_ + r.y;
    v.w_ = r.w;
    v.h_ = r.h;
    v.clip_ = onSurface(r);
    return v;
}

SurfaceView SurfaceView::clippedTo(Rect r) const {
    SurfaceView v = *this;
    v.clip_ = onSurface(r);
    return v;
}

Color SurfaceView::pixel(int x, int y) const {
    if (!clip_.contains(ox_ + x, oy_ + y)) return kBlack;
    return Color::fromArgb(*at(ox_ + x, oy_ + y));
}

void SurfaceView::setPixel(int x, int y, Color c) {
    if (clip_.contains(ox_ + x, oy_ + y)) *at(ox_ + x, oy_ + y) = c.argb();
}

bool Surface::isOpaque() const {
    return std::all_of(px_.begin(), px_.end(), [](std::uint32_t v) { return (v >> 24) == 0xFF; });
}

void SurfaceView::fillRect(Rect r, Color c) {
    Rect clipped = onSurface(r);
    if (clipped.empty()) return;
    // The first row by hand, the others copied from it: a copy runs several
    // times faster than a loop of stores.
    std::uint32_t* first = at(clipped.x, clipped.y);
    std::fill(first, first + clipped.w, c.argb());
    const std::size_t bytes = std::size_t(clipped.w) * sizeof(std::uint32_t);
    for (int y = clipped.y + 1; y < clipped.bottom(); ++y) std::memcpy(at(clipped.x, y), first, bytes);
}

namespace {

// n / 255 rounded down, for n up to 65534, without a division.
inline std::uint32_t div255(std::uint32_t n) { return (n + 1 + (n >> 8)) >> 8; }

// Source over a destination that is not opaque (a sprite's clear background):
// the source keeps its own coverage, so a soft-edged picture drawn into a
// sprite stays soft-edged when the sprite is drawn.
std::uint32_t blendOverClear(std::uint32_t dst, std::uint32_t src, std::uint32_t a) {
    const std::uint32_t ia = 255 - a;
    const std::uint32_t da = dst >> 24;
    // Weights in 255ths: the source's a, the destination's da * (1 - a).
    const std::uint32_t dw = (da * ia + 127) / 255;
    const std::uint32_t oa = a + dw;
    auto mix = [&](int shift) {
        return ((((src >> shift) & 0xFF) * a + ((dst >> shift) & 0xFF) * dw) + oa / 2) / oa;
    };
    return (oa << 24) | (mix(16) << 16) | (mix(8) << 8) | mix(0);
}

// Source over destination. Over an opaque destination (the usual case) the
// result is opaque.
inline std::uint32_t blendPixel(std::uint32_t dst, std::uint32_t src) {
    const std::uint32_t a = src >> 24;
    if (a == 255) return src;
    if (a == 0) return dst;
    if ((dst >> 24) != 255) return blendOverClear(dst, src, a);
    // Red and blue side by side in 16-bit lanes: no lane overflows into the
    // next, so each comes out exactly as on its own.
    const std::uint32_t ia = 255 - a;
    std::uint32_t rb = (src & 0x00FF00FFu) * a + (dst & 0x00FF00FFu) * ia + 0x007F007Fu;
    rb = ((rb + 0x00010001u + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    std::uint32_t g = div255(((src >> 8) & 0xFF) * a + ((dst >> 8) & 0xFF) * ia + 127);
    return 0xFF000000u | rb | (g << 8);
}

}  // namespace

void SurfaceView::blit(const Surface& src, Rect srcRect, int dx, int dy, bool blend) {
    // Clip the source rectangle to the source surface, moving the destination along.
    Rect s = srcRect.intersect(src.bounds());
    dx += ox_ + s.x - srcRect.x;
    dy += oy_ + s.y - srcRect.y;
    Rect d = Rect{dx, dy, s.w, s.h}.intersect(clip_);
    if (d.empty()) return;
    int sx = s.x + (d.x - dx);
    int sy = s.y + (d.y - dy);
    for (int y = 0; y < d.h; ++y) {
        const std::uint32_t* sp = src.row(sy + y) + sx;
        std::uint32_t* dp = at(d.x, d.y + y);
        if (!blend) {
            std::memcpy(dp, sp, std::size_t(d.w) * sizeof(std::uint32_t));
            continue;
        }
        // Sprites are mostly clear background and solid body: skip the one,
        // copy the other in runs, and blend only the soft edge between.
        for (int x = 0; x < d.w;) {
            const std::uint32_t a = sp[x] >> 24;
            if (a == 0) {
                ++x;
                continue;
            }
            if (a == 255) {
                int end = x + 1;
                while (end < d.w && (sp[end] >> 24) == 255) ++end;
                std::memcpy(dp + x, sp + x, std::size_t(end - x) * sizeof(std::uint32_t));
                x = end;
                continue;
            }
            dp[x] = blendPixel(dp[x], sp[x]);
            ++x;
        }
    }
}

void SurfaceView::line(int x0, int y0, int x1, int y1, Color c) {
    // Bresenham; like the desktop line call, the end point itself is not drawn.
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int x = x0, y = y0;
    while (!(x == x1 && y == y1)) {
        setPixel(x, y, c);
        int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x += sx; }
        if (e2 <= dx) { err += dx; y += sy; }
    }
}

void SurfaceView::circle(int cx, int cy, int radius, Color c) {
    if (radius <= 0) { setPixel(cx, cy, c); return; }
    for (int y = -radius; y <= radius; ++y) {
        for (int x = -radius; x <= radius; ++x) {
            if (x * x + y * y <= radius * radius + radius / 2) setPixel(cx + x, cy + y, c);
        }
    }
}

void SurfaceView::drawMask(const std::uint8_t* mask, int mw, int mh, int pitch, int dx, int dy, Color c) {
    dx += ox_;
    dy += oy_;
    Rect d = Rect{dx, dy, mw, mh}.intersect(clip_);
    if (d.empty()) return;
    const std::uint32_t rgb = c.argb() & 0x00FFFFFFu;
    for (int y = d.y; y < d.bottom(); ++y) {
        const std::uint8_t* mp = mask + std::size_t(y - dy) * std::size_t(pitch);
        std::uint32_t* dp = at(0, y);
        for (int x = d.x; x < d.right(); ++x) {
            std::uint32_t a = mp[x - dx];
            if (a == 0) continue;
            dp[x] = blendPixel(dp[x], (a << 24) | rgb);
        }
    }
}

}  // namespace kv
