#pragma once
// 32-bit software surfaces: everything the game paints goes into one of these,
// and the frame the player sees is composed from them. A Surface owns its
// pixels; a SurfaceView is a non-owning window onto some of them, with an
// origin of its own, and clips everything drawn through it to its rectangle.
// Painting code takes views: a control paints into a view of its own area, and
// what lies outside it cannot be touched.
#include <cstdint>
#include <vector>

#include "runtime/geometry.h"

namespace kv {

class SurfaceView;

class Surface {
public:
    Surface() = default;
    Surface(int w, int h, Color fill = kBlack);

    int width() const { return w_; }
    int height() const { return h_; }
    Rect bounds() const { return Rect{0, 0, w_, h_}; }
    std::uint32_t* data() { return px_.data(); }
    const std::uint32_t* data() const { return px_.data(); }
    std::uint32_t* row(int y) { return px_.data() + std::size_t(y) * std::size_t(w_); }
    const std::uint32_t* row(int y) const { return px_.data() + std::size_t(y) * std::size_t(w_); }
    bool isOpaque() const;                      // every pixel has full alpha

    // The whole surface as a view, and the drawing it offers, on the whole surface.
    SurfaceView view();
    Color pixel(int x, int y) const;            // black outside the surface
    void setPixel(int x, int y, Color c);
    void fill(Color c);
    void fillRect(Rect r, Color c);
    void blit(const Surface& src, Rect srcRect, int dx, int dy, bool blend = false);
    void blit(const Surface& src, int dx, int dy, bool blend = false) { blit(src, src.bounds(), dx, dy, blend); }
    void line(int x0, int y0, int x1, int y1, Color c);
    void circle(int cx, int cy, int radius, Color c);

private:
    int w_ = 0, h_ = 0;
    std::vector<std::uint32_t> px_;
};

class SurfaceView {
public:
    SurfaceView(Surface& s);   // the whole surface (a surface is taken as its view)

    // The rectangle r of this view (in its coordinates) as a view of its own:
    // its origin at r's top-left, its drawing clipped to r and to this view.
    SurfaceView subregion(Rect r) const;
    // The same view, drawing only inside r (its coordinates): the origin stays.
    SurfaceView clippedTo(Rect r) const;
    int width() const { return w_; }
    int height() const { return h_; }
    Rect bounds() const { return Rect{0, 0, w_, h_}; }
    // Nothing of it can be drawn on (it lies outside what contains it).
    bool empty() const { return clip_.empty(); }

    // Coordinates are the view's own; whatever falls outside it is left alone.
    Color pixel(int x, int y) const;            // black outside the view
    void setPixel(int x, int y, Color c);
    void fill(Color c) { fillRect(bounds(), c); }
    void fillRect(Rect r, Color c);
    // Copies src's rectangle srcRect to (dx, dy). With blend, per-pixel alpha
    // is honoured (sprites); otherwise pixels are copied.
    void blit(const Surface& src, Rect srcRect, int dx, int dy, bool blend = false);
    void blit(const Surface& src, int dx, int dy, bool blend = false) { blit(src, src.bounds(), dx, dy, blend); }
    // Like the desktop's line call, the end point itself is not drawn.
    void line(int x0, int y0, int x1, int y1, Color c);
    // A filled circle of the given radius (radius 0 is a single pixel).
    void circle(int cx, int cy, int radius, Color c);
    // Colour through a coverage mask (0..255, row-major): text.
    void drawMask(const std::uint8_t* mask, int mw, int mh, int pitch, int dx, int dy, Color c);

private:
    // r in the view's coordinates, as the part of the surface it may touch.
    Rect onSurface(Rect r) const { return Rect{ox_ + r.x, oy_ + r.y, r.w, r.h}.intersect(clip_); }
    std::uint32_t* at(int sx, int sy) const { return px_ + std::size_t(sy) * std::size_t(pitch_) + std::size_t(sx); }
    std::uint32_t* px_;
    int pitch_;
    int ox_ = 0, oy_ = 0;   // the view's origin on the surface
    int w_ = 0, h_ = 0;     // the view's own size
    Rect clip_;             // what it may touch, on the surface
};

}  // namespace kv
