// Big pictures with lettering: the start-up screen and the end-of-game and
// planet-cleared banners.

#include <cmath>

#include "captions.h"
#include "noise.h"
#include "painters.h"
#include "pictures.h"
#include "text.h"

namespace assetgen {

namespace {

// The band where the game prints its loading message; kept dark and plain.
constexpr float kMessageTop = 520, kMessageBottom = 560;

struct Planet {
    Vec2 centre;
    float radius;
};
constexpr Planet kPlanet{{592, 342}, 150};

float messageBand(float y) {
    return smoothstep(kMessageTop - 22, kMessageTop - 4, y) *
           (1.0f - smoothstep(kMessageBottom + 4, kMessageBottom + 22, y));
}

void paintSpace(Canvas& c) {
    c.apply([](Vec2 p, Colour) {
        Colour col = lerp(rgb(0x020309), rgb(0x070a1a), p.y / 600.0f);
        // Nebula: warped fractal clouds in two hues.
        const Vec2 q = p * 0.0042f;
        const Vec2 warp{fbm(q + Vec2{1.7f, 9.2f}, 4, 31), fbm(q + Vec2{8.3f, 2.8f}, 4, 32)};
        const float violet = smoothstep(-0.1f, 0.8f, fbm(q + warp * 1.6f, 5, 33));
        const float teal = smoothstep(0.0f, 0.9f, fbm(q * 1.3f - warp * 1.2f + Vec2{4, 4}, 5, 34));
        const float dust = 0.45f + 0.55f * smoothstep(-0.6f, 0.6f, fbm(p * 0.012f, 4, 35));
        col.r += (0.30f * violet * violet + 0.02f * teal) * dust;
        col.g += (0.04f * violet * violet + 0.16f * teal * teal) * dust;
        col.b += (0.36f * violet * violet + 0.26f * teal * teal) * dust;
        // Starlight from a sun beyond the top-left corner.
        const float sun = std::exp(-length(p - Vec2{-60, -80}) / 260.0f);
        col.r += 0.35f * sun;
        col.g += 0.24f * sun;
        col.b += 0.16f * sun;
        const float vignette = 1.0f - 0.35f * std::pow(length((p - Vec2{400, 300}) * (1.0f / 500.0f)), 2.0f);
        return brightened(col, vignette * (1.0f - 0.85f * messageBand(p.y)));
    });

    Rng rng(2024);
    for (int i = 0; i < 1100; ++i) {
        const Vec2 p{rng.range(0, 800), rng.range(0, 600)};
        const float bright = std::pow(rng.uniform(), 3.0f);
        const float hue = rng.uniform();
        if (messageBand(p.y) > 0.05f) continue;
        const Colour tint = hue < 0.3f ? rgb(0xa8c4ff) : hue < 0.8f ? rgb(0xffffff) : rgb(0xffe0b0);
        c.splat(p, 0.45f + 0.5f * bright, tint, 0.35f + 1.2f * bright);
    }
    // A handful of bright stars with diffraction spikes.
    for (int i = 0; i < 16; ++i) {
        const Vec2 p{rng.range(10, 790), rng.range(10, 500)};
        const float size = rng.range(0.6f, 1.0f);
        if (messageBand(p.y) > 0.0f) continue;
        const Colour tint = i % 3 == 0 ? rgb(0xffd8a0) : rgb(0xc0d8ff);
        c.splat(p, 3.5f * size, tint, 0.25f);
        glint(c, p, Vec2{9, 9} * size, 0.6f, tint, 0.8f);
    }
}

void paintPlanet(Canvas& c) {
    const Vec2 ctr = kPlanet.centre;
    const float r = kPlanet.radius;
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

Canvas sprite(int width, int height, void (*paint)(Canvas&, Vec2), int scale) {
    Canvas big(width, height, scale * 2);
    paint(big, {});
    return big.downsampled(2);
}

void paintTitle(Canvas& c) {
    const Box box = paintChromeTitle(c, "KORVANE", 640, 112, {400, 104}, 10);
    static const CaptionLook kSubtitle{
        .face = Gradient{{0, rgb(0xffe8b0)}, {1, rgb(0xff9a30)}},
        .halos = {{rgb(0xff8020), 3.0f, 0.6f}},
    };
    const float size = Font::bold().fit("DEFEND THE COLONY WORLDS", 360, 16, 5);
    paintCaption(c, "DEFEND THE COLONY WORLDS", size, {400, box.y1 + 34}, 5, kSubtitle);
}

void paintStartUp(Canvas& c) {
    paintSpace(c);
    paintPlanet(c);

    // A drop ship releasing a rod over the player's ship.
    const Canvas dropShip = sprite(74, 74, paintDropShip, 2);
    const Canvas player = sprite(76, 66, paintPlayerShip, 2);
    Canvas rod(26, 38, 4);
    paintRod(rod, {13, 3.5f}, {13, 34.5f}, 6.2f, RodKind::Good);
    const Canvas smallRod = rod.downsampled(4);
    c.composite(dropShip, 92, 196);
    c.composite(smallRod, 153, 340);
    c.composite(player, 90, 380);
    Canvas bolt(13, 36, 8);
    paintBolt(bolt);
    c.composite(bolt.downsampled(4), 218, 318, Blend::Add);

    paintTitle(c);
}

void paintGameOver(Canvas& c) {
    static const CaptionLook kMolten{
        .face = Gradient{{0, rgb(0xfff4b0)},
                         {0.4f, rgb(0xffb020)},
                         {0.5f, rgb(0xe04000)},
                         {0.58f, rgb(0xff6a10)},
                         {0.85f, rgb(0xb01000)},
                         {1, rgb(0x700800)}},
        .halos = {{rgb(0xff3000), 4.0f, 0.7f}},
        .outlines = {{2.2f, rgb(0x3a0400)}, {1.2f, rgb(0x0a0000)}},
        .bevelRadius = 1.2f,
        .bevelStrength = 0.55f,
        .bevelHighlight = rgb(0xfff0d0),
    };
    c.fill(kBlack);
    paintCaption(c, "GAME OVER", Font::bold().fit("GAME OVER", 290, 38, 3), {153, 24}, 3, kMolten);
}

void paintPlanetCleared(Canvas& c) {
    static const CaptionLook kEmerald{
        .face = Gradient{{0, rgb(0xf0ffff)},
                         {0.42f, rgb(0x70ffe0)},
                         {0.5f, rgb(0x08a050)},
                         {0.6f, rgb(0x30e070)},
                         {1, rgb(0xc0ffb0)}},
        .halos = {{rgb(0x10ff60), 9.0f, 0.9f}, {rgb(0x40ffe0), 3.0f, 0.7f}},
        .outlines = {{2.0f, rgb(0x00160a)}},
        .bevelRadius = 1.5f,
        .bevelStrength = 0.5f,
    };
    c.fill(kBlack);
    const float size = Font::bold().fit("PLANET CLEARED", 392, 52, 3);
    const Box box = paintCaption(c, "PLANET CLEARED", size, {208, 45}, 3, kEmerald);
    Rng rng(99);
    for (int i = 0; i < 9; ++i) {
        const Vec2 p{rng.range(box.x0, box.x1), rng.range(box.y0, box.y1)};
        const float arm = rng.range(4, 9);
        glint(c, p, {arm, arm}, 0.5f, rgb(0xd0fff0), 0.8f);
    }
}

}  // namespace

void makeTitles(const std::filesystem::path& dir) {
    Canvas startUp(800, 600, 1, kBlack);
    paintStartUp(startUp);
    savePicture(startUp, dir, "StartUp.png");
    savePicture(supersampled(306, 48, paintGameOver, 2), dir, "GOver.png");
    savePicture(supersampled(416, 90, paintPlanetCleared, 2), dir, "ClearSrc.png");
}

}  // namespace assetgen
