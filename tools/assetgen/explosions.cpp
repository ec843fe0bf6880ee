// Explosion animations: the fiery ship explosion and the blue energy burst of
// a bonus being shot, plus the blank frames that end each sequence; and the
// stage explosions, which are drawn over other pictures and so carry alpha.

#include <array>
#include <cmath>
#include <string>

#include "noise.h"
#include "pictures.h"

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265f;

const Gradient kFire{{0.0f, rgb(0x000000)},  {0.15f, rgb(0x4a0600)}, {0.33f, rgb(0xc42a04)}, {0.52f, rgb(0xff7010)},
                     {0.72f, rgb(0xffc040)}, {0.88f, rgb(0xfff0b0)}, {1.0f, rgb(0xffffff)}};

const Gradient kEnergy{{0.0f, rgb(0x000000)},  {0.18f, rgb(0x140a50)}, {0.4f, rgb(0x2050ff)},
                       {0.65f, rgb(0x60c8ff)}, {0.85f, rgb(0xc8f4ff)}, {1.0f, rgb(0xffffff)}};

Colour addColours(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b, 1.0f}; }

struct FireFrame {
    int width, height;
    float radius, heat, smoke, flash, breakup;
};

// Flash, swelling fireball, then a cooling cloud of smoke and embers.
constexpr std::array<FireFrame, 6> kFireFrames{{
    {60, 60, 8, 1.00f, 0.00f, 1.00f, 0.00f},
    {61, 61, 15, 0.97f, 0.10f, 0.45f, 0.00f},
    {62, 62, 21, 0.85f, 0.30f, 0.15f, 0.05f},
    {63, 63, 25, 0.62f, 0.55f, 0.00f, 0.20f},
    {62, 62, 27, 0.34f, 0.75f, 0.00f, 0.40f},
    {61, 61, 28, 0.16f, 0.70f, 0.00f, 0.60f},
}};

// The same blast, kept small enough to fit inside the soft dark disc that
// each stage frame carries (see stageExplosion).
constexpr std::array<FireFrame, 7> kStageFireFrames{{
    {60, 55, 5.0f, 1.00f, 0.00f, 1.00f, 0.00f},
    {61, 56, 9.5f, 0.98f, 0.08f, 0.50f, 0.00f},
    {62, 57, 13.0f, 0.90f, 0.25f, 0.15f, 0.05f},
    {62, 57, 15.5f, 0.70f, 0.45f, 0.00f, 0.18f},
    {61, 56, 16.5f, 0.46f, 0.65f, 0.00f, 0.35f},
    {61, 56, 17.0f, 0.26f, 0.72f, 0.00f, 0.52f},
    {60, 55, 17.0f, 0.12f, 0.66f, 0.00f, 0.70f},
}};

// Fire and smoke on black, supersampled twice; `frame` counts from the flash.
Canvas fireCloud(const FireFrame& f, int frame) {
    Canvas c(f.width, f.height, 2, kBlack);
    const Vec2 centre{f.width * 0.5f, f.height * 0.5f};
    const float drift = static_cast<float>(frame) * 0.6f;  // the cloud slowly rises

    c.apply([&](Vec2 p, Colour) {
        const Vec2 q = p - centre - Vec2{0, -drift};
        const float d = length(q);
        const float lumpy = fbm(q * (1.0f / std::max(f.radius * 0.45f, 3.0f)) + Vec2{3.1f, 7.7f}, 3, 11);
        const float edge = f.radius * (1.0f + 0.28f * lumpy);
        const float density = smoothstep(edge, edge * 0.55f, d);
        const float swirl = fbm(q * 0.16f + Vec2{drift * 0.3f, 0}, 4, 23);
        const float holes = smoothstep(f.breakup - 0.35f, f.breakup + 0.15f, 0.5f + 0.5f * fbm(q * 0.11f, 3, 37));
        const float temp =
            f.heat * density * holes * (0.8f + 0.45f * swirl) * (1.15f - 0.45f * d / std::max(edge, 1.0f));
        const Colour fire = kFire.at(std::clamp(temp, 0.0f, 1.0f));

        const float puff = 0.5f + 0.5f * fbm(q * 0.13f + Vec2{11, 5}, 4, 41);
        const float smokeDensity = f.smoke * smoothstep(edge * 1.15f, edge * 0.4f, d) * puff;
        const Colour smoke = brightened(rgb(0x4a4440), smokeDensity * (0.5f + 0.6f * puff));
        const float fireCover = std::min(1.0f, luminance(fire) * 2.5f);
        return addColours(brightened(smoke, 1.0f - fireCover), fire);
    });

    if (f.flash > 0) {
        c.splat(centre, f.radius * 0.45f, rgb(0xfff6d8), f.flash);
        for (int i = 0; i < 4; ++i) {
            const float a = kPi * 0.25f + static_cast<float>(i) * kPi * 0.5f;
            const Vec2 dir{std::cos(a), std::sin(a)};
            Mask ray = c.newMask();
            ray.add(taperedCapsule(centre, 1.2f, centre + dir * std::min(f.radius * 2.4f, f.height * 0.4f), 0.1f));
            c.draw(ray.blurred(0.6f), rgb(0xfff0c0), Blend::Add, f.flash);
        }
    }

    // Embers thrown out of the blast, trailing short streaks.
    Rng rng(1234);
    const float t = static_cast<float>(frame) + 0.7f;
    for (int i = 0; i < 46; ++i) {
        const float angle = rng.range(0, 2 * kPi);
        const float speed = rng.range(1.2f, 4.8f);
        const float life = rng.range(0.45f, 1.0f);
        const float size = rng.range(0.35f, 0.8f);
        const Vec2 dir{std::cos(angle), std::sin(angle)};
        const Vec2 pos = centre + dir * (speed * t * (1.0f - 0.035f * t)) + Vec2{0, 0.08f * t * t};
        const float glowing = std::clamp(life * 1.3f - static_cast<float>(frame) * 0.16f, 0.0f, 1.0f);
        if (glowing <= 0 || frame == 0) continue;
        const Colour col = kFire.at(0.45f + 0.5f * glowing);
        c.draw(taperedCapsule(pos, size, pos - dir * (speed * 0.9f), 0.05f), col, Blend::Add, glowing);
        c.splat(pos, size * 1.2f, col, glowing * 0.8f);
    }
    return c;
}

Canvas shipExplosion(int frame) {
    return fireCloud(kFireFrames[static_cast<std::size_t>(frame)], frame).downsampled(2);
}

// How far the dark disc behind a stage explosion reaches: fully opaque out to
// the returned radius, clear beyond it plus kDiscFade. Each frame's disc is at
// least as big as the last one's fire, and grows a little every frame so that
// it still hides the last frame when the two are not centred on the same pixel.
constexpr float kDiscFade = 5.0f;
float discRadius(int frame) {
    float widest = 0;
    for (int i = 0; i <= std::min(frame, static_cast<int>(kStageFireFrames.size()) - 1); ++i)
        widest = std::max(widest, kStageFireFrames[static_cast<std::size_t>(i)].radius);
    return std::min(1.3f * widest + 3.5f, 17.4f + 0.5f * static_cast<float>(frame));
}

// Soft edge of the disc; the same ragged outline in every frame so the frames
// stack into one scorched patch rather than rings.
float discCover(Vec2 q, float solid) {
    const float ragged = solid + 2.2f * fbm(normalised(q) * 2.2f + Vec2{5, 5}, 3, 83);
    return smoothstep(ragged + kDiscFade, ragged, length(q));
}

// A stage explosion frame: the blast over a dark disc whose alpha fades out
// towards the frame's edge, so it can be drawn into a hull or onto the playfield.
Canvas stageExplosion(int frame) {
    const FireFrame& f = kStageFireFrames[static_cast<std::size_t>(frame)];
    Canvas c = fireCloud(f, frame);
    const Vec2 centre{f.width * 0.5f, f.height * 0.5f};
    const float solid = discRadius(frame);
    const float edge = f.height * 0.5f - 0.5f;
    const float heat = f.heat;
    c.apply([&](Vec2 p, Colour col) {
        const Vec2 q = p - centre;
        const float d = length(q) / (solid + kDiscFade);
        // Behind the fire, a pall of dark smoke: lit warm by the blast near the
        // middle, its billows catching a little grey light at the edge.
        const float billow = 0.5f + 0.5f * fbm(q * 0.16f + Vec2{7, 3}, 4, 87);
        Colour pall = lerp(rgb(0x070605), rgb(0x2a2522), billow * (0.35f + 0.65f * smoothstep(0.3f, 0.85f, d)));
        pall = addColours(pall, brightened(rgb(0x501404), heat * std::exp(-d * d * 6.0f)));
        const float fire = std::min(1.0f, luminance(col) * 2.5f);
        const Colour lit = addColours(brightened(pall, 1.0f - fire), col);
        // Sparks and rays outside the disc stay as visible as they are bright.
        // They never quite reach full alpha, so only the disc hides the frame before.
        const float light = std::min(0.9f, luminance(col) * 1.6f) * smoothstep(edge, edge - 4.0f, length(q));
        return withAlpha(lit, std::max(discCover(q, solid), light));
    });
    return c.downsampled(2);
}

// What is left when the blast is over: a charred patch of soot with a few
// embers still glowing in it, ragged and soft at the edge so it reads as a
// scorch mark on the mother ship's hull.
Canvas scorchMark(int width, int height) {
    Canvas c(width, height, 2, kClear);
    const Vec2 centre{width * 0.5f, height * 0.5f};
    const float solid = discRadius(static_cast<int>(kStageFireFrames.size()));
    c.apply([&](Vec2 p, Colour) {
        const Vec2 q = p - centre;
        const float d = length(q) / (solid + kDiscFade);
        const float soot = 0.5f + 0.5f * fbm(q * 0.14f + Vec2{2, 9}, 4, 91);
        // Soot thrown out in streaks from the middle of the blast.
        const float angle = std::atan2(q.y, q.x);
        const float streaks = smoothstep(0.1f, 0.7f, 0.5f + 0.5f * noise({angle * 5.0f, d * 1.5f}, 92, 0));
        Colour col = lerp(rgb(0x211c1a), rgb(0x3c3430), soot);
        col = lerp(col, rgb(0x040303), std::clamp(1.2f - d * 1.1f + 0.5f * streaks * (1 - d), 0.0f, 1.0f));
        // Heat-tinted metal at the rim of the burn.
        col =
            lerp(col, rgb(0x4a2414), smoothstep(0.55f, 0.8f, d) * (1 - smoothstep(0.8f, 1.0f, d)) * 0.8f * soot * soot);
        // As solid as the last frame's disc, so none of its fire is left showing.
        return withAlpha(col, discCover(q, solid));
    });
    Rng rng(97);
    for (int i = 0; i < 7; ++i) {
        const float a = rng.range(0, 2 * kPi), r = rng.range(0, solid * 0.8f);
        const Vec2 p = centre + Vec2{std::cos(a), std::sin(a)} * r;
        const float heat = rng.range(0.35f, 0.6f);
        c.splat(p, rng.range(0.4f, 0.8f), kFire.at(heat), 0.9f);
    }
    return c.downsampled(2);
}

struct BurstFrame {
    int width, height;
    float ring, intensity, core;
};

constexpr std::array<BurstFrame, 7> kBurstFrames{{
    {55, 53, 4, 1.00f, 1.00f},
    {56, 54, 9, 0.95f, 0.70f},
    {57, 55, 14, 0.85f, 0.40f},
    {58, 56, 18, 0.70f, 0.20f},
    {59, 56, 21, 0.52f, 0.08f},
    {60, 55, 24, 0.34f, 0.00f},
    {60, 54, 26, 0.18f, 0.00f},
}};

Canvas bonusExplosion(int frame) {
    const BurstFrame& f = kBurstFrames[static_cast<std::size_t>(frame)];
    Canvas c(f.width, f.height, 2, kBlack);
    const Vec2 centre{f.width * 0.5f, f.height * 0.5f};
    const float spin = static_cast<float>(frame) * 0.09f;
    const float width = 1.3f + static_cast<float>(frame) * 0.45f;

    c.apply([&](Vec2 p, Colour) {
        const Vec2 q = p - centre;
        const float d = length(q);
        const float angle = std::atan2(q.y, q.x);
        const float wobble = 0.5f + 0.5f * fbm(q * 0.25f, 3, 71);
        const float shell = std::exp(-std::pow((d - f.ring) / width, 2.0f)) * (0.55f + 0.6f * wobble);
        const float haze = std::exp(-std::pow(d / std::max(f.ring * 0.85f, 2.0f), 2.0f)) * 0.35f;
        const float spokes = std::pow(std::max(0.0f, std::cos(6.0f * (angle - spin))), 24.0f) *
                             std::exp(-d / std::max(f.ring * 0.9f, 3.0f)) * 0.9f;
        const float core = f.core * std::exp(-d * d / (2.0f * (2.5f + frame) * (2.5f + frame)));
        const float energy = std::clamp(f.intensity * (shell + haze + spokes) + core, 0.0f, 1.0f);
        Colour col = kEnergy.at(energy);
        // A violet fringe just outside the shock ring.
        const float fringe =
            std::exp(-std::pow((d - f.ring - width * 1.6f) / (width * 1.2f), 2.0f)) * f.intensity * 0.35f;
        return addColours(col, brightened(rgb(0x8040ff), fringe));
    });

    // Sparkles racing outwards, each a tiny four-pointed star.
    Rng rng(4321);
    const float t = static_cast<float>(frame) + 1.0f;
    for (int i = 0; i < 30; ++i) {
        const float angle = rng.range(0, 2 * kPi);
        const float speed = rng.range(2.2f, 3.9f);
        const float phase = rng.range(0, 2 * kPi);
        const Vec2 pos = centre + Vec2{std::cos(angle), std::sin(angle)} * (speed * t);
        const float twinkle = 0.55f + 0.45f * std::sin(phase + static_cast<float>(frame) * 2.1f);
        const float strength = twinkle * std::clamp(1.15f - static_cast<float>(frame) * 0.13f, 0.0f, 1.0f);
        if (strength <= 0.02f) continue;
        const float arm = 1.4f + 1.6f * twinkle;
        c.draw(taperedCapsule(pos - Vec2{arm, 0}, 0.05f, pos, 0.35f) |
                   taperedCapsule(pos, 0.35f, pos + Vec2{arm, 0}, 0.05f) |
                   taperedCapsule(pos - Vec2{0, arm}, 0.05f, pos, 0.35f) |
                   taperedCapsule(pos, 0.35f, pos + Vec2{0, arm}, 0.05f),
               rgb(0xd8f4ff), Blend::Add, strength);
        c.splat(pos, 0.7f, rgb(0x7ab8ff), strength);
    }
    return c.downsampled(2);
}

}  // namespace

void makeExplosions(const std::filesystem::path& dir) {
    for (int i = 0; i < static_cast<int>(kFireFrames.size()); ++i)
        savePicture(shipExplosion(i), dir, "ShipExplode" + std::to_string(i + 1) + ".png");
    savePicture(Canvas(60, 60, 1, kBlack), dir, "ShipExplode7.png");
    for (int i = 0; i < static_cast<int>(kBurstFrames.size()); ++i)
        savePicture(bonusExplosion(i), dir, "BonExplode" + std::to_string(i + 1) + ".png");
    savePicture(Canvas(60, 60, 1, kBlack), dir, "BonExplode8.png");
    for (int i = 0; i < static_cast<int>(kStageFireFrames.size()); ++i)
        savePicture(stageExplosion(i), dir, "StageExplode" + std::to_string(i + 1) + ".png");
    savePicture(scorchMark(60, 55), dir, "StageExplode8.png");
}

}  // namespace assetgen
