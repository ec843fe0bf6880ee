// Radioactive rods (safe green and dangerous violet) and the player's phaser bolt.

#include <cmath>

#include "painters.h"
#include "pictures.h"

namespace assetgen {

namespace {

struct RodColours {
    Colour deep, glass, core, hot;
};

RodColours coloursOf(RodKind kind) {
    if (kind == RodKind::Good) return {rgb(0x03240a), rgb(0x1f9a38), rgb(0x6dff6a), rgb(0xeaffe0)};
    return {rgb(0x1a0530), rgb(0x7a2ac8), rgb(0xc46bff), rgb(0xf6e6ff)};
}

// Darkens the far side and brightens the near side of a round part.
Paint cylinderShade(Vec2 litEdge, Vec2 darkEdge) {
    return linear(litEdge, darkEdge,
                  Gradient{{0.0f, rgb(0x000000, 0.35f)},
                           {0.18f, rgb(0xffffff, 0.35f)},
                           {0.4f, rgb(0xffffff, 0.0f)},
                           {0.7f, rgb(0x000000, 0.15f)},
                           {1.0f, rgb(0x000000, 0.7f)}});
}

}  // namespace

Colour rodGlowColour(RodKind kind) { return kind == RodKind::Good ? rgb(0x40ff50) : rgb(0xb040ff); }

Paint hazardStripes(float period, float slope) {
    return [period, slope](Vec2 p) {
        const float v = (p.x + p.y * slope) / period;
        return v - std::floor(v) < 0.5f ? rgb(0xffc814) : rgb(0x151515);
    };
}

void paintRod(Canvas& c, Vec2 top, Vec2 bottom, float r, RodKind kind) {
    const RodColours col = coloursOf(kind);
    const Vec2 dir = normalised(bottom - top);
    Vec2 side = perpendicular(dir);
    if (dot(side, Vec2{-0.6f, -0.8f}) < 0) side = side * -1.0f;  // side points towards the light
    const float capLen = r * 0.95f;
    const Vec2 mid = (top + bottom) * 0.5f;
    auto across = [&](float k) { return Paint(cylinderShade(mid + side * (r * k), mid - side * (r * k))); };

    const Shape whole = grown(bar(top + dir * 0.7f, bottom - dir * 0.7f, r - 0.7f), 0.7f);
    const Shape glass = bar(top + dir * capLen, bottom - dir * capLen, r * 0.8f);
    const Vec2 coreA = top + dir * (capLen + r * 0.25f), coreB = bottom - dir * (capLen + r * 0.25f);

    // Radiant halo behind everything.
    Mask halo = c.newMask();
    halo.add(capsule(coreA, coreB, r * 0.9f));
    c.glow(halo, rodGlowColour(kind), r * 0.6f, 1.1f);

    c.draw(grown(whole, 0.7f), rgb(0x05070a));

    // Glass tube with the glowing core inside.
    Mask glassMask = c.newMask();
    glassMask.add(glass);
    c.draw(glassMask, col.glass);
    Mask core = c.newMask();
    core.add(capsule(coreA, coreB, r * 0.42f));
    Mask coreGlow = core.blurred(r * 0.35f);
    coreGlow.multiply(glassMask);
    c.draw(coreGlow, col.core, Blend::Add, 0.9f);
    c.draw(core, col.core);
    c.draw(capsule(coreA, coreB, r * 0.2f), col.hot, Blend::Over, 0.95f);

    if (kind == RodKind::Bad) {
        Mask band = c.newMask();
        band.add(bar(mid - dir * r * 0.75f, mid + dir * r * 0.75f, r * 0.8f));
        c.draw(band, hazardStripes(r * 0.9f, dot(dir, Vec2{0, 1}) > 0.5f ? 1.0f : -1.0f));
    }
    c.draw(glassMask, across(0.8f));
    // Glint running down the glass.
    c.draw(bar(top + dir * (capLen + 0.6f) + side * (r * 0.45f), bottom - dir * (capLen + 0.6f) + side * (r * 0.45f),
               r * 0.09f),
           rgb(0xffffff, 0.6f));

    // Metal end caps with a collar ring.
    for (int end = 0; end < 2; ++end) {
        const Vec2 a = end == 0 ? top : bottom;
        const Vec2 inward = end == 0 ? dir : dir * -1.0f;
        const Shape cap = grown(bar(a + inward * 0.7f, a + inward * capLen, r - 0.7f), 0.7f);
        Mask capMask = c.newMask();
        capMask.add(cap);
        c.draw(capMask, kind == RodKind::Good ? rgb(0x8d98a8) : rgb(0x8e86a0));
        c.draw(bar(a + inward * (capLen * 0.45f), a + inward * (capLen * 0.62f), r), rgb(0x2a2f38), Blend::Over, 0.8f);
        if (kind == RodKind::Bad)
            c.draw(bar(a + inward * (capLen * 0.15f), a + inward * (capLen * 0.35f), r - 0.5f), rgb(0xffc814),
                   Blend::Over, 0.9f);
        c.draw(capMask, across(r));
        c.draw(bar(a + inward * capLen, a + inward * (capLen + r * 0.12f), r * 0.85f), rgb(0x1a1e24), Blend::Over,
               0.6f);
    }
}

void paintBolt(Canvas& c, Vec2 o) {
    const Vec2 tip{o.x + 6.5f, o.y + 5.5f};
    const Vec2 tail{o.x + 6.5f, o.y + 33};
    Mask outer = c.newMask();
    outer.add(taperedCapsule(tip, 2.8f, tail, 1.0f));
    c.glow(outer, rgb(0x2a8cff), 1.5f, 1.0f);
    c.draw(taperedCapsule(tip, 2.6f, tail, 0.7f),
           linear(tip, tail, Gradient{{0, rgb(0x9ef0ff)}, {0.6f, rgb(0x36b8ff, 0.9f)}, {1, rgb(0x1a60ff, 0.2f)}}),
           Blend::Add);
    c.draw(taperedCapsule(tip, 1.45f, tail - Vec2{0, 4}, 0.25f),
           linear(tip, tail, Gradient{{0, rgb(0xffffff)}, {0.7f, rgb(0xe0fbff)}, {1, rgb(0xa0e8ff, 0.3f)}}));
    c.splat(tip, 2.0f, rgb(0xc8f6ff), 0.8f);
}

void makeRodsAndBullets(const std::filesystem::path& dir) {
    savePicture(supersampled(26, 38,
                             [](Canvas& c) {
                                 paintRod(c, {13, 3.5f}, {13, 34.5f}, 6.2f, RodKind::Good);
                             }),
                dir, "goodrod.png");
    savePicture(supersampled(26, 38,
                             [](Canvas& c) {
                                 paintRod(c, {13, 3.5f}, {13, 34.5f}, 6.2f, RodKind::Bad);
                             }),
                dir, "badrod.png");
    savePicture(supersampled(13, 36, [](Canvas& c) { paintBolt(c); }), dir, "PlayBullet.png");
}

}  // namespace assetgen
