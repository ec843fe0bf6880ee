#pragma once
// A 32-bit software surface: everything the game paints goes into one of these,
// and the frame the player sees is composed from them.
#include <cstdint>
#include <memory>
#include <vector>

#include "runtime/geometry.h"

namespace kv {

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

    Color pixel(int x, int y) const;            // black outside the surface
    void setPixel(int x, int y, Color c);       // ignored outside the surface

    bool isOpaque() const;                      // every pixel has full alpha
    void fill(Color c);
    void fillRect(Rect r, Color c);             // clipped
    // Copies src's rectangle srcRect to (dx, dy), clipped on both sides. With
    // blend, per-pixel alpha is honoured (sprites); otherwise pixels are copied.
    void blit(const Surface& src, Rect srcRect, int dx, int dy, bool blend = false);
    void blit(const Surface& src, int dx, int dy, bool blend = false) {
        blit(src, src.bounds(), dx, dy, blend);
    }
    // Same as blit, but clipped to clip (in this surface's coordinates) as well.
    void blitClipped(const Surface& src, Rect srcRect, int dx, int dy, Rect clip, bool blend);
    void line(int x0, int y0, int x1, int y1, Color c);
    // A filled circle of the given radius (radius 0 is a single pixel).
    void circle(int cx, int cy, int radius, Color c);
    // Alpha-mask draw: used for text. mask is coverage 0..255, row-major.
    void drawMask(const std::uint8_t* mask, int mw, int mh, int pitch, int dx, int dy, Color c, Rect clip);

private:
    int w_ = 0, h_ = 0;
    std::vector<std::uint32_t> px_;
};

}  // namespace kv
