// The alien mother ship, as it hangs over the player and as it flashes when
// hit, and the backdrop of the fight against it.

#include <cmath>

#include "noise.h"
#include "painters.h"
#include "pictures.h"
#include "space.h"

namespace assetgen {

namespace {

constexpr float kWidth = 194, kHeight = 216;
constexpr float cx = kWidth / 2;
const Colour kOutline = rgb(0x060409);

// Hull armour with a faint hammered texture, graded from `light` at `top` to
// `dark` at `bottom`.
Paint armour(float top, float bottom, Colour light, Colour mid, Colour dark) {
    const Gradient g{{0, light}, {0.45f, mid}, {1, dark}};
    return [=](Vec2 p) {
        const float t = std::clamp((p.y - top) / (bottom - top), 0.0f, 1.0f);
        return brightened(g.at(t), 1.0f + 0.1f * fbm(p * 0.09f, 3, 301));
    };
}

// A glowing strip of light sunk into the hull.
void lightStrip(Canvas& c, const Shape& strip, Colour core, Colour glow) {
    c.draw(grown(strip, 0.7f), rgb(0x08020a));
    Mask m = c.newMask();
    m.add(strip);
    c.glow(m, glow, 2.0f, 0.9f);
    c.draw(m, core);
    c.draw(m.blurred(0.4f), rgb(0xffffff), Blend::Add, 0.25f);
}

// Rivet heads along a seam, lit from the top left.
void rivets(Canvas& c, Vec2 from, Vec2 to, int count) {
    for (int i = 0; i < count; ++i) {
        const Vec2 p = from + (to - from) * (static_cast<float>(i) / static_cast<float>(std::max(1, count - 1)));
        c.draw(circle(p + Vec2{0.3f, 0.4f}, 0.9f), rgb(0x000000, 0.6f));
        c.draw(circle(p, 0.75f), radial(p - Vec2{0.3f, 0.3f}, 1.2f, Gradient{{0, rgb(0xd8c0f0)}, {1, rgb(0x3a2650)}}));
    }
}

// A heavy cannon pointing down, its muzzle glowing where the fireballs leave.
void gunPort(Canvas& c, Vec2 root, float length, float radius) {
    const Vec2 muzzle = root + Vec2{0, length};
    const Shape housing = rect(root.x - radius * 2.2f, root.y - 5, root.x + radius * 2.2f, root.y + 6, 2.0f);
    const Shape barrel = taperedCapsule(root, radius * 1.15f, muzzle, radius);
    const Shape brake = rect(muzzle.x - radius * 1.45f, muzzle.y - radius * 2.2f, muzzle.x + radius * 1.45f,
                             muzzle.y + radius * 0.3f, radius * 0.5f);
    c.draw(grown(housing | barrel | brake, 0.9f), kOutline);
    paintPlate(c, housing,
               {.fill = linear({0, root.y - 5}, {0, root.y + 6}, Gradient{{0, rgb(0x6a4e80)}, {1, rgb(0x1c1026)}}),
                .bevel = 1.2f,
                .bevelStrength = 0.55f},
               bar(root + Vec2{-radius * 2.2f, 1}, root + Vec2{radius * 2.2f, 1}, 0.4f));
    const Paint metal =
        linear(root - Vec2{radius * 1.4f, 0}, root + Vec2{radius * 1.4f, 0},
               Gradient{{0, rgb(0x1a1020)}, {0.3f, rgb(0xa898c0)}, {0.6f, rgb(0x443658)}, {1, rgb(0x120a18)}});
    c.draw(barrel, metal);
    c.draw(bar(root + Vec2{-radius, length * 0.4f}, root + Vec2{radius, length * 0.4f}, 0.45f), rgb(0x0a0610),
           Blend::Over, 0.8f);
    c.draw(brake, metal);
    c.draw(bar(muzzle + Vec2{-radius * 1.45f, -radius}, muzzle + Vec2{radius * 1.45f, -radius}, 0.5f), rgb(0x0a0610),
           Blend::Over, 0.8f);
    c.draw(ellipse(muzzle, radius * 1.15f, radius * 0.6f), rgb(0x0a0408));
    c.draw(ellipse(muzzle, radius * 0.75f, radius * 0.4f), rgb(0xffc050));
    c.splat(muzzle + Vec2{0, 1}, radius, rgb(0xff4010), 0.9f);
}

// The silhouette's pieces, from the engines at the back (top) to the prow.
struct Hull {
    Shape carapace, arms, prow, engineBlock, armGuns;
    Shape whole;
};

Hull hullShapes() {
    const Shape carapace = withMirror(
        polygon({{cx, 16}, {124, 17}, {146, 26}, {160, 44}, {166, 68}, {162, 96}, {150, 114}, {cx, 122}}), cx);
    const Shape arms = withMirror(polygon({{146, 38},
                                           {170, 46},
                                           {186, 64},
                                           {192, 92},
                                           {190, 128},
                                           {184, 162},
                                           {178, 200},
                                           {171, 176},
                                           {166, 146},
                                           {156, 122},
                                           {144, 106}}),
                                  cx);
    const Shape prow = withMirror(
        polygon({{cx, 100}, {130, 106}, {140, 122}, {136, 156}, {126, 182}, {112, 193}, {104, 194}, {cx, 206}}), cx);
    const Shape engineBlock = rect(46, 4, 148, 30, 6);
    const Shape armGuns = withMirror(capsule({178, 150}, {178, 202}, 6.0f), cx);
    return {carapace, arms, prow, engineBlock, armGuns, carapace | arms | prow | engineBlock | armGuns};
}

// The four engines' nozzles along the back, the inner two the larger.
constexpr float kNozzleX[] = {45.0f, 77.0f, 117.0f, 149.0f};
float nozzleRadius(float x) { return (x == 77.0f || x == 117.0f) ? 8.0f : 6.5f; }

// Engine fire at the back, thrusting away from the player.
void paintEngineFire(Canvas& c) {
    for (const float x : kNozzleX) {
        const float r = nozzleRadius(x);
        c.draw(taperedCapsule({x, 5}, r * 0.95f, {x, 0}, r * 0.5f),
               linear({0, 6}, {0, 0}, Gradient{{0, rgb(0xffe0ff)}, {0.4f, rgb(0xd040ff)}, {1, rgb(0x6010a0, 0)}}),
               Blend::Add);
        c.splat({x, 4}, r * 0.8f, rgb(0xb030ff), 0.7f);
    }
}

// Engine block with four nozzles.
void paintEngineBlock(Canvas& c, const Shape& engineBlock) {
    paintPlate(c, engineBlock, {.fill = armour(4, 30, rgb(0x6a5080), rgb(0x3a2a4c), rgb(0x1c1226)), .bevel = 1.6f},
               bar({46, 17}, {148, 17}, 0.4f) | bar({cx, 4}, {cx, 30}, 0.4f));
    for (const float x : kNozzleX) {
        const float r = nozzleRadius(x);
        const Shape nozzle = taperedCapsule({x, 7}, r, {x, 22}, r * 0.8f);
        c.draw(grown(nozzle, 0.8f), kOutline);
        paintPlate(c, nozzle,
                   {.fill = linear(
                        {x - r, 0}, {x + r, 0},
                        Gradient{{0, rgb(0x1e1428)}, {0.3f, rgb(0xb8a4cc)}, {0.6f, rgb(0x54426a)}, {1, rgb(0x140c1a)}}),
                    .bevel = 1.2f,
                    .bevelStrength = 0.4f},
                   bar({x - r, 12}, {x + r, 12}, 0.4f) | bar({x - r, 16}, {x + r, 16}, 0.4f));
        c.draw(ellipse({x, 6.5f}, r * 0.8f, r * 0.35f), rgb(0x120418));
        c.draw(ellipse({x, 6.8f}, r * 0.55f, r * 0.2f), rgb(0xf080ff), Blend::Add, 0.9f);
    }
}

// The great arms sweeping down the sides, ending in cannons.
void paintArms(Canvas& c, const Shape& arms) {
    paintPlate(
        c, arms,
        {.fill = armour(38, 200, rgb(0x6a4c84), rgb(0x3a2650), rgb(0x140a1c)), .bevel = 2.2f, .bevelStrength = 0.65f},
        withMirror(bar({158, 50}, {186, 74}, 0.45f) | bar({166, 104}, {190, 104}, 0.45f) |
                       bar({164, 134}, {188, 138}, 0.45f) | bar({176, 60}, {172, 190}, 0.35f),
                   cx));
    for (const float side : {-1.0f, 1.0f}) {
        auto at = [side](float x, float y) { return Vec2{cx + side * (x - cx), y}; };
        rivets(c, at(160, 55), at(183, 75), 5);
        rivets(c, at(168, 108), at(188, 108), 4);
        // Vents along the arm.
        for (int i = 0; i < 4; ++i) {
            const float y = 114 + static_cast<float>(i) * 5;
            c.draw(rect(std::min(at(176, y).x, at(186, y).x), y, std::max(at(176, y).x, at(186, y).x), y + 2.2f, 1.0f),
                   rgb(0x07030a));
            c.draw(rect(std::min(at(176, y).x, at(186, y).x), y + 2.2f, std::max(at(176, y).x, at(186, y).x), y + 2.8f,
                        0.3f),
                   rgb(0xb090d0, 0.35f));
        }
        // A red power conduit down the arm.
        lightStrip(c, capsule(at(170, 60), at(180, 92), 1.1f) | capsule(at(180, 92), at(176, 140), 1.1f), rgb(0xff3a30),
                   rgb(0xff1020));
    }
    for (const float x : {16.0f, 178.0f}) gunPort(c, {x, 172}, 30, 4.2f);
}

// The carapace, in overlapping plates around a raised dome.
void paintCarapace(Canvas& c, const Shape& carapace) {
    paintPlate(c, carapace,
               {.fill = armour(16, 122, rgb(0x7a5a96), rgb(0x46305e), rgb(0x1e1228)),
                .bevel = 2.6f,
                .bevelStrength = 0.7f,
                .highlight = rgb(0xf0dcff)},
               ring({cx, 68}, 48, 0.6f) | ring({cx, 68}, 62, 0.5f) |
                   withMirror(bar({116, 24}, {128, 40}, 0.45f) | bar({140, 70}, {162, 70}, 0.45f) |
                                  bar({132, 100}, {146, 112}, 0.45f),
                              cx));
    for (const float side : {-1.0f, 1.0f}) {
        auto at = [side](float x, float y) { return Vec2{cx + side * (x - cx), y}; };
        rivets(c, at(142, 28), at(158, 48), 4);
        rivets(c, at(146, 76), at(160, 76), 3);
        // Armour fins on the shoulders.
        const Shape fin = polygon({at(128, 30), at(150, 40), at(154, 60), at(132, 44)});
        c.draw(grown(fin, 0.7f), kOutline);
        paintPlate(c, fin, {.fill = armour(30, 60, rgb(0x9a7ab4), rgb(0x5a3e72), rgb(0x2a1a38)), .bevel = 1.4f},
                   bar(at(134, 38), at(150, 52), 0.35f));
    }
    // Magenta running lights round the carapace rim.
    for (const float side : {-1.0f, 1.0f})
        for (const Vec2 p : {Vec2{150, 31}, Vec2{161, 50}, Vec2{165, 70}, Vec2{161, 94}})
            c.splat({cx + side * (p.x - cx), p.y}, 1.0f, rgb(0xff50e0), 1.1f);
}

// The dome: dark violet glass over a red glow, ringed with ports.
void paintDome(Canvas& c) {
    const Shape dome = ellipse({cx, 66}, 30, 26);
    c.draw(grown(dome, 1.5f), kOutline);
    paintPlate(c, grown(dome, 1.2f) - dome, {.fill = solid(rgb(0x9880b0)), .bevel = 1.0f, .bevelStrength = 0.5f});
    c.draw(dome,
           radial({cx - 8, 56}, 34,
                  Gradient{{0, rgb(0x6a3a8a)}, {0.4f, rgb(0x34184c)}, {0.8f, rgb(0x1a0a26)}, {1, rgb(0x0c0412)}}));
    Mask domeMask = c.newMask();
    domeMask.add(dome);
    Mask core = c.newMask();
    core.add(ellipse({cx, 72}, 16, 11));
    core = core.blurred(5.0f);
    core.multiply(domeMask);
    c.draw(core, rgb(0xff2040), Blend::Add, 0.55f);
    Mask ribs = c.newMask();
    ribs.add(bar({cx, 40}, {cx, 92}, 0.5f) | bar({cx - 30, 66}, {cx + 30, 66}, 0.5f) | ring({cx, 66}, 16, 0.4f))
        .multiply(domeMask);
    c.draw(ribs, rgb(0x080210), Blend::Over, 0.8f);
    c.shade(domeMask, 3.0f, 0.5f, {-0.6f, -0.8f}, rgb(0xe8d0ff), kBlack);
    c.draw(ellipse({cx - 11, 52}, 9, 4.5f), rgb(0xffffff, 0.28f));
    c.draw(ellipse({cx - 14, 50.5f}, 3.5f, 1.6f), rgb(0xffffff, 0.6f));
    for (int i = 0; i < 10; ++i) {
        const float a = static_cast<float>(i) / 10.0f * 2 * 3.14159265f;
        const Vec2 p = Vec2{cx, 66} + Vec2{std::cos(a) * 36, std::sin(a) * 32};
        c.draw(circle(p, 1.6f), kOutline);
        c.draw(circle(p, 1.1f), i % 2 == 0 ? rgb(0xff4030) : rgb(0xffa030));
        c.splat(p, 1.2f, i % 2 == 0 ? rgb(0xff2010) : rgb(0xff8010), 0.6f);
    }
}

// The prow, carrying the great eye and the forward guns.
void paintProw(Canvas& c, const Shape& prow) {
    for (const float x : {cx - 33, cx - 14, cx + 14, cx + 33}) gunPort(c, {x, 188}, 18, 3.6f);
    paintPlate(c, prow,
               {.fill = armour(100, 206, rgb(0x84629e), rgb(0x4a3264), rgb(0x1c1026)),
                .bevel = 2.4f,
                .bevelStrength = 0.7f,
                .highlight = rgb(0xf0dcff)},
               withMirror(bar({cx + 4, 106}, {cx + 4, 126}, 0.45f) | bar({118, 160}, {136, 150}, 0.45f) |
                              bar({110, 176}, {126, 180}, 0.45f) | bar({cx, 160}, {cx + 16, 190}, 0.4f),
                          cx));
    for (const float side : {-1.0f, 1.0f}) {
        auto at = [side](float x, float y) { return Vec2{cx + side * (x - cx), y}; };
        rivets(c, at(120, 164), at(132, 156), 3);
        // The angry brows: red slits slanting down to the eye.
        lightStrip(c, polygon({at(104, 124), at(134, 110), at(133, 116), at(106, 130)}), rgb(0xff3020), rgb(0xff1010));
        lightStrip(c, polygon({at(116, 150), at(134, 140), at(132, 146), at(117, 155)}), rgb(0xe02018), rgb(0xff1010));
    }
}

// The eye: a red reactor with a slit pupil, deep in an armoured socket.
void paintEye(Canvas& c) {
    const Vec2 eye{cx, 142};
    c.draw(circle(eye, 19), kOutline);
    paintPlate(c, circle(eye, 18) - circle(eye, 14),
               {.fill = linear(eye - Vec2{0, 18}, eye + Vec2{0, 18},
                               Gradient{{0, rgb(0x241832)}, {0.5f, rgb(0xa088b8)}, {1, rgb(0x2a1c38)}}),
                .bevel = 1.5f,
                .bevelStrength = 0.6f},
               bar(eye - Vec2{18, 0}, eye + Vec2{18, 0}, 0.5f) | bar(eye - Vec2{0, 18}, eye + Vec2{0, 18}, 0.5f));
    Mask iris = c.newMask();
    iris.add(circle(eye, 14));
    c.glow(iris, rgb(0xff1010), 6.0f, 0.9f);
    c.draw(circle(eye, 14), radial(eye, 14,
                                   Gradient{{0, rgb(0xffffd0)},
                                            {0.25f, rgb(0xffb040)},
                                            {0.55f, rgb(0xff3010)},
                                            {0.85f, rgb(0xa00010)},
                                            {1, rgb(0x400008)}}));
    c.draw(ellipse(eye, 2.6f, 11), rgb(0x100004));
    c.draw(ellipse(eye + Vec2{-5, -6}, 3.2f, 2.0f), rgb(0xffffff, 0.55f));
}

void paintMotherShip(Canvas& c) {
    const Hull hull = hullShapes();
    paintEngineFire(c);
    c.draw(grown(hull.whole, 1.2f), kOutline);
    paintEngineBlock(c, hull.engineBlock);
    paintArms(c, hull.arms);
    paintCarapace(c, hull.carapace);
    paintDome(c);
    paintProw(c, hull.prow);
    paintEye(c);

    // Rim light down the right-hand edges.
    Mask all = c.newMask();
    all.add(hull.whole);
    Mask rim = all;
    rim.subtract(all.shifted({-1.2f, -0.7f}));
    c.draw(rim, rgb(0xff5ad8), Blend::Add, 0.35f);

    // Running lights: red to port, green to starboard, and white on the tail.
    c.splat({7, 96}, 1.6f, rgb(0xff3030), 1.3f);
    c.splat({187, 96}, 1.6f, rgb(0x30ff60), 1.3f);
    for (const float x : {60.0f, 134.0f}) c.splat({x, 27}, 1.1f, rgb(0xffffff), 1.0f);
}

// The same ship caught by a hit: the hull flares white-hot through orange, but
// keeps its shape and detail so the flash reads as the ship lighting up.
Canvas hitFlash(const Canvas& ship) {
    Canvas flash = ship;
    const Gradient heat{{0, rgb(0xb02008)}, {0.25f, rgb(0xff6a18)}, {0.55f, rgb(0xffc050)}, {1, rgb(0xffffff)}};
    flash.apply([&heat](Vec2, Colour c) {
        if (c.a <= 0) return c;
        const float l = std::clamp(luminance(c) * 1.6f + 0.2f, 0.0f, 1.0f);
        return withAlpha(heat.at(l), c.a);
    });
    return flash;
}

// An ominous sky for the fight: red and violet clouds in the dark.
const SpaceLook kMotherShipSky{.top = rgb(0x040106),
                               .bottom = rgb(0x020104),
                               .cloudA = rgb(0x9a1430),
                               .cloudB = rgb(0x4c1c8c),
                               .haze = rgb(0x300814),
                               .cloudScale = 0.0022f,
                               .seed = 211,
                               .vignette = 0.55f};

}  // namespace

void makeMotherShip(const std::filesystem::path& dir) {
    const Canvas ship = supersampled(static_cast<int>(kWidth), static_cast<int>(kHeight), paintMotherShip, 2);
    savePicture(ship, dir, "bosspic.png");
    savePicture(hitFlash(ship), dir, "boss_hitpic.png");
    savePicture(playfieldSky(797, 536, kMotherShipSky), dir, "BossBack.png");
}

}  // namespace assetgen
