#include "space.h"

#include <cmath>
#include <vector>

#include "captions.h"
#include "noise.h"

namespace assetgen {

namespace {

// 1 inside the text strip, easing to 0 a little way outside it.
float band(const SpaceLook& look, float y) {
    if (look.bandBottom <= look.bandTop) return 0;
    return smoothstep(look.bandTop - 22, look.bandTop - 4, y) *
           (1.0f - smoothstep(look.bandBottom + 4, look.bandBottom + 22, y));
}

// Nebula: warped fractal clouds in two hues. They are smooth, so they are
// worked out on a coarse grid and blended between its points.
class Clouds {
public:
    Clouds(const SpaceLook& look, float width, float height)
        : cols_(static_cast<int>(std::ceil(width / kStep)) + 2),
          rows_(static_cast<int>(std::ceil(height / kStep)) + 2) {
        const std::uint32_t s = look.seed;
        const bool hazy = look.haze.r + look.haze.g + look.haze.b > 0;
        grid_.resize(static_cast<std::size_t>(cols_) * rows_);
        for (int j = 0; j < rows_; ++j)
            for (int i = 0; i < cols_; ++i) {
                const Vec2 p{static_cast<float>(i) * kStep, static_cast<float>(j) * kStep};
                const Vec2 q = p * look.cloudScale;
                const Vec2 warp{fbm(q + Vec2{1.7f, 9.2f}, 4, s), fbm(q + Vec2{8.3f, 2.8f}, 4, s + 1)};
                const float a = smoothstep(-0.1f, 0.8f, fbm(q + warp * 1.6f, 5, s + 2));
                const float b = smoothstep(0.0f, 0.9f, fbm(q * 1.3f - warp * 1.2f + Vec2{4, 4}, 5, s + 3));
                const float dust = 0.45f + 0.55f * smoothstep(-0.6f, 0.6f, fbm(p * 0.012f, 4, s + 4));
                const float ka = a * a * dust, kb = b * b * dust;
                const float kh =
                    hazy ? std::pow(smoothstep(-0.35f, 0.75f, fbm(q * 1.5f + warp * 0.8f, 4, s + 5)), 1.6f) : 0.0f;
                grid_[static_cast<std::size_t>(j) * cols_ + i] = {
                    look.cloudA.r * ka + look.cloudB.r * kb + look.haze.r * kh,
                    look.cloudA.g * ka + look.cloudB.g * kb + look.haze.g * kh,
                    look.cloudA.b * ka + look.cloudB.b * kb + look.haze.b * kh, 1};
            }
    }

    // The clouds' colour at a point, blended between the grid's.
    Colour at(Vec2 p) const {
        const float fx = p.x / kStep, fy = p.y / kStep;
        const int i = static_cast<int>(fx), j = static_cast<int>(fy);
        const float tx = fx - static_cast<float>(i), ty = fy - static_cast<float>(j);
        auto corner = [&](int di, int dj) { return grid_[static_cast<std::size_t>(j + dj) * cols_ + (i + di)]; };
        return lerp(lerp(corner(0, 0), corner(1, 0), tx), lerp(corner(0, 1), corner(1, 1), tx), ty);
    }

private:
    static constexpr float kStep = 2;
    int cols_, rows_;
    std::vector<Colour> grid_;
};

// Stars scattered over the sky, and a handful of bright ones with diffraction
// spikes; none in the text strip.
void paintStars(Canvas& c, const SpaceLook& look, float width, float height) {
    Rng rng(look.starSeed);
    for (int i = 0; i < look.stars; ++i) {
        const Vec2 p{rng.range(0, width), rng.range(0, height)};
        const float bright = std::pow(rng.uniform(), 3.0f);
        const float hue = rng.uniform();
        if (band(look, p.y) > 0.05f) continue;
        const Colour tint = hue < 0.3f ? rgb(0xa8c4ff) : hue < 0.8f ? rgb(0xffffff) : rgb(0xffe0b0);
        c.splat(p, 0.45f + 0.5f * bright, tint, 0.35f + 1.2f * bright);
    }
    // A handful of bright stars with diffraction spikes.
    for (int i = 0; i < look.brightStars; ++i) {
        const Vec2 p{rng.range(10, width - 10), rng.range(10, height - 100)};
        const float size = rng.range(0.6f, 1.0f);
        if (band(look, p.y) > 0.0f) continue;
        const Colour tint = i % 3 == 0 ? rgb(0xffd8a0) : rgb(0xc0d8ff);
        c.splat(p, 3.5f * size, tint, 0.25f);
        glint(c, p, Vec2{9, 9} * size, 0.6f, tint, 0.8f);
    }
}

}  // namespace

void paintSpace(Canvas& c, const SpaceLook& look) {
    const float width = static_cast<float>(c.width() / c.unit()), height = static_cast<float>(c.height() / c.unit());
    const Vec2 middle{width * 0.5f, height * 0.5f};
    const float reach = length(middle) * 1.0f;
    const Clouds clouds(look, width, height);
    c.apply([&](Vec2 p, Colour) {
        Colour col = lerp(look.top, look.bottom, p.y / height);
        const Colour cloud = clouds.at(p);
        col.r += cloud.r;
        col.g += cloud.g;
        col.b += cloud.b;
        const float sun = look.sunlight * std::exp(-length(p - Vec2{-60, -80}) / 260.0f);
        col.r += sun;
        col.g += 0.69f * sun;
        col.b += 0.46f * sun;
        const float vignette = 1.0f - look.vignette * std::pow(length(p - middle) / reach, 2.0f);
        return brightened(col, vignette * (1.0f - 0.85f * band(look, p.y)));
    });
    paintStars(c, look, width, height);
}

Canvas playfieldSky(int width, int height, SpaceLook look) {
    look.sunlight = 0;
    look.stars = look.brightStars = 0;
    Canvas c(width, height, 1, kBlack);
    paintSpace(c, look);
    return c;
}

void paintPlanet(Canvas& c, Vec2 ctr, float r) {
    const float lx = -0.7f, ly = -0.5f, lz = 0.42f;  // towards the sun
    const float ll = std::sqrt(lx * lx + ly * ly + lz * lz);
    const float hx = lx / ll, hy = ly / ll, hz = lz / ll + 1.0f;  // half vector with the eye
    const float hl = std::sqrt(hx * hx + hy * hy + hz * hz);
    c.apply([&](Vec2 p, Colour bg) {
        const Vec2 q = (p - ctr) * (1.0f / r);
        const float d = length(q);
        Colour out = bg;
        // Atmosphere haze outside the limb, strongest on the sunlit side.
        if (d > 0.97f) {
            const float side = std::clamp(0.25f + 0.9f * dot(normalised(q), Vec2{lx, ly} * (1.0f / ll)), 0.08f, 1.0f);
            const float haze = std::exp(-(d - 1.0f) * r / 9.0f) * side;
            out.r += 0.18f * haze;
            out.g += 0.52f * haze;
            out.b += 1.0f * haze;
        }
        const float cover = std::clamp((1.0f - d) * r + 0.5f, 0.0f, 1.0f);
        if (cover <= 0) return out;
        const float nz = std::sqrt(std::max(0.0f, 1.0f - d * d));
        // Tilt the globe a little so its features do not sit square.
        const float tilt = 0.35f;
        const float sx = q.x * std::cos(tilt) - q.y * std::sin(tilt), sy = q.x * std::sin(tilt) + q.y * std::cos(tilt);
        const float land = fbm3(sx * 2.1f + 5, sy * 2.1f, nz * 2.1f, 6, 501);
        const float cloudWarp = fbm3(sx * 1.5f, sy * 4.0f, nz * 1.5f, 3, 503);
        const float cloud = smoothstep(-0.15f, 0.45f, fbm3(sx * 2.6f + cloudWarp, sy * 6.0f, nz * 2.6f, 5, 502));
        Colour surface;
        float wet = 0;
        if (land < 0.08f) {
            wet = 1;
            surface = lerp(rgb(0x03102a), rgb(0x0c4a70), smoothstep(-0.5f, 0.08f, land));
        } else {
            surface =
                Gradient{{0.08f, rgb(0xc89058)}, {0.25f, rgb(0xa4552e)}, {0.45f, rgb(0x6a3a2a)}, {0.7f, rgb(0xe8d8c8)}}
                    .at(land);
        }
        surface = lerp(surface, rgb(0xf4f8ff), cloud * 0.9f);
        const float ndl = (q.x * lx + q.y * ly + nz * lz) / ll;
        const float lit = smoothstep(-0.12f, 0.55f, ndl);
        const float shine = wet * (1 - cloud) * std::pow(std::max(0.0f, (q.x * hx + q.y * hy + nz * hz) / hl), 60.0f);
        Colour col = brightened(surface, 0.04f + 1.05f * lit);
        col.r += shine * 0.9f;
        col.g += shine * 0.85f;
        col.b += shine * 0.7f;
        // City lights twinkle on the night side.
        if (wet == 0 && lit < 0.1f) {
            const float city =
                smoothstep(0.55f, 0.9f, fbm3(sx * 30, sy * 30, nz * 30, 2, 504)) * (1 - cloud) * (0.1f - lit) * 10;
            col.r += 0.9f * city;
            col.g += 0.55f * city;
            col.b += 0.2f * city;
        }
        // Scattering in the air near the limb.
        const float rimLight = std::pow(1.0f - nz, 2.5f) * smoothstep(-0.3f, 0.4f, ndl);
        col.r += 0.12f * rimLight;
        col.g += 0.45f * rimLight;
        col.b += 0.95f * rimLight;
        return lerp(out, withAlpha(col, 1), cover);
    });
}

}  // namespace assetgen
