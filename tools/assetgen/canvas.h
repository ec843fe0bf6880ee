// Floating-point RGBA painting surface. Everything is drawn in "design units";
// a canvas may hold several pixels per unit so sprites can be painted
// supersampled and then averaged down for smooth edges.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "shapes.h"

namespace assetgen {

// Straight (not premultiplied) colour, channels 0..1.
struct Colour {
    float r = 0, g = 0, b = 0, a = 0;
};

Colour rgb(std::uint32_t hex, float alpha = 1.0f);  // 0xRRGGBB
Colour lerp(Colour a, Colour b, float t);
Colour withAlpha(Colour c, float alpha);
Colour brightened(Colour c, float k);  // scales r, g, b
float luminance(Colour c);

inline constexpr Colour kBlack{0, 0, 0, 1};
inline constexpr Colour kWhite{1, 1, 1, 1};
inline constexpr Colour kClear{0, 0, 0, 0};

class Gradient {
public:
    Gradient(std::initializer_list<std::pair<float, Colour>> stops);
    Colour at(float t) const;

private:
    std::vector<std::pair<float, Colour>> stops_;
};

// Colour as a function of position (design units).
using Paint = std::function<Colour(Vec2)>;
Paint solid(Colour c);
Paint linear(Vec2 from, Vec2 to, Gradient g);
Paint radial(Vec2 centre, float radius, Gradient g);

enum class Blend { Over, Add };

float smoothstep(float edge0, float edge1, float x);

// Coverage values 0..1, used to build up regions before colouring them.
class Mask {
public:
    Mask(int width, int height, int unit = 1);

    int width() const { return w_; }
    int height() const { return h_; }
    int unit() const { return unit_; }
    float at(int x, int y) const { return v_[static_cast<std::size_t>(y) * w_ + x]; }
    float& at(int x, int y) { return v_[static_cast<std::size_t>(y) * w_ + x]; }
    float sample(Vec2 p) const;  // bilinear, design units, 0 outside

    Mask& add(const Shape& s, float amount = 1.0f);  // union
    Mask& cut(const Shape& s);                       // remove the shape
    Mask& clip(const Shape& s);                      // keep only the shape
    Mask& unite(const Mask& o);                      // max
    Mask& multiply(const Mask& o);
    Mask& subtract(const Mask& o);  // this * (1 - o)
    Mask& scale(float k);

    Mask blurred(float sigma) const;  // sigma in design units
    Mask grown(float radius) const;   // dilation, design units
    Mask shifted(Vec2 offset) const;  // design units, rounded to whole pixels

private:
    template <typename F>
    void applyShape(const Shape& s, F&& combine);

    int w_, h_, unit_;
    std::vector<float> v_;
};

class Canvas {
public:
    // width and height in design units; the pixel size is that times unit.
    Canvas(int width, int height, int unit = 1, Colour background = kClear);

    int width() const { return w_; }  // pixels
    int height() const { return h_; }
    int unit() const { return unit_; }
    Mask newMask() const { return Mask(w_ / unit_, h_ / unit_, unit_); }

    void fill(Colour c);
    void draw(const Shape& s, const Paint& p, Blend blend = Blend::Over, float opacity = 1.0f);
    void draw(const Shape& s, Colour c, Blend blend = Blend::Over, float opacity = 1.0f) {
        draw(s, solid(c), blend, opacity);
    }
    void draw(const Mask& m, const Paint& p, Blend blend = Blend::Over, float opacity = 1.0f);
    void draw(const Mask& m, Colour c, Blend blend = Blend::Over, float opacity = 1.0f) {
        draw(m, solid(c), blend, opacity);
    }
    // Soft light spilling around the mask.
    void glow(const Mask& m, Colour c, float sigma, float strength = 1.0f);
    // Bevel lighting: brightens edges of the mask that face the light and darkens
    // the others, giving flat fills a rounded, embossed look.
    void shade(const Mask& m, float radius, float strength, Vec2 lightFrom = {-0.6f, -0.8f}, Colour highlight = kWhite,
               Colour shadow = kBlack);
    // Places another canvas with its top-left pixel at (x, y) in pixels.
    void composite(const Canvas& layer, int x, int y, Blend blend = Blend::Over, float opacity = 1.0f);
    // Per-pixel filter over straight colours; position in design units.
    void apply(const std::function<Colour(Vec2, Colour)>& f);
    // Adds a round soft dot of light (gaussian), cheap enough for thousands of stars.
    void splat(Vec2 centre, float sigma, Colour c, float strength = 1.0f);

    Canvas blurred(float sigma) const;
    Canvas downsampled(int factor) const;
    Mask alpha() const;
    Colour pixel(int x, int y) const;  // straight colour
    std::vector<std::uint8_t> toRgba8() const;

private:
    struct Px {
        float r = 0, g = 0, b = 0, a = 0;  // premultiplied
    };
    void blendPixel(Px& d, Colour c, float coverage, Blend blend);

    int w_, h_, unit_;
    std::vector<Px> px_;
};

// Paints a sprite `factor` times oversized and averages it down.
Canvas supersampled(int width, int height, const std::function<void(Canvas&)>& paint, int factor = 4);

}  // namespace assetgen
