// The player's ship (with and without a captured rod) and the enemy drop ship.

#include <cmath>
#include <vector>

#include "painters.h"
#include "pictures.h"

namespace assetgen {

namespace {

const Colour kOutline = rgb(0x07090e);

// The points of a ship painted in a frame whose top-left is `o`.
struct Frame {
    Vec2 o;
    Vec2 operator()(float x, float y) const { return Vec2{o.x + x, o.y + y}; }
};

// A cylinder lit from the left: dark rim, bright band, falling off to the right.
Paint cylinder(float x0, float x1, Colour dark, Colour mid, Colour light) {
    return linear({x0, 0}, {x1, 0},
                  Gradient{{0.0f, brightened(dark, 0.8f)}, {0.3f, light}, {0.55f, mid}, {1.0f, dark}});
}

// The fuselage outline, built from a half-width profile down its length.
Shape fuselage(Vec2 o) {
    const float cx = o.x + 38;
    std::vector<Vec2> right;
    for (float y = 1; y <= 61.01f; y += 1.5f) {
        float w = 7.2f;
        if (y < 36) w = 7.2f * std::pow((y - 1) / 35.0f, 0.62f);
        if (y > 55) w = 7.2f - (y - 55) / 6.0f * 2.6f;
        right.push_back({cx + w, o.y + y});
    }
    std::vector<Vec2> pts = right;
    for (auto it = right.rbegin(); it != right.rend(); ++it) pts.push_back({2 * cx - it->x, it->y});
    return polygon(std::move(pts));
}

}  // namespace

Mask paintPlate(Canvas& c, const Shape& piece, const Plating& look, const std::optional<Shape>& seams) {
    Mask m = c.newMask();
    m.add(piece);
    c.draw(m, look.fill);
    if (seams) {
        Mask grooves = c.newMask();
        grooves.add(*seams).multiply(m);
        c.draw(grooves, look.seam, Blend::Over, look.seamOpacity);
    }
    c.shade(m, look.bevel, look.bevelStrength, {-0.6f, -0.8f}, look.highlight, kBlack);
    return m;
}

namespace {

namespace player {

// The player's ship's pieces, in its frame at `o`.
struct Pieces {
    Shape wings, cannons, nacelles, body, hull;
};

Pieces pieces(Vec2 o) {
    const Frame at{o};
    const float cx = o.x + 38;
    const Shape wings = withMirror(polygon({at(40, 23), at(71, 45), at(74, 51), at(70, 55), at(40, 52)}), cx);
    const Shape cannons = withMirror(capsule(at(70.5f, 36), at(70.5f, 53), 1.9f), cx);
    const Shape nacelles = withMirror(taperedCapsule(at(47.5f, 31), 3.0f, at(48, 56.5f), 4.6f), cx);
    const Shape body = fuselage(o);
    return {wings, cannons, nacelles, body, body | wings | cannons | nacelles};
}

// Engine flames, painted first so the nozzles sit over them.
void paintFlames(Canvas& c, Vec2 o) {
    const Frame at{o};
    for (const float x : {29.0f, 38.0f, 48.0f}) {
        const float top = x == 38.0f ? 60.5f : 59.0f;
        const Shape flame = taperedCapsule(at(x, top), 3.2f, at(x, 66.5f), 0.8f);
        c.draw(flame,
               linear(at(x, top), at(x, 66.5f),
                      Gradient{{0, rgb(0xffd27a)}, {0.5f, rgb(0xff7a1a, 0.8f)}, {1, rgb(0xff3a00, 0)}}),
               Blend::Add);
        c.draw(taperedCapsule(at(x, top), 1.6f, at(x, 64.5f), 0.3f), rgb(0xfff6e0), Blend::Add, 0.9f);
    }
}

// Wings: gunmetal with orange leading-edge livery.
void paintWings(Canvas& c, Vec2 o, const Shape& wings) {
    const Frame at{o};
    const float cx = o.x + 38;
    Mask wingMask = c.newMask();
    wingMask.add(wings);
    c.draw(wingMask,
           linear(at(0, 24), at(0, 56), Gradient{{0, rgb(0x9aa7bd)}, {0.5f, rgb(0x66728a)}, {1, rgb(0x353d4e)}}));
    Mask livery = c.newMask();
    livery.add(withMirror(bar(at(44, 28.5f), at(72, 48.5f), 1.3f), cx)).multiply(wingMask);
    c.draw(livery, rgb(0xff8a2a));
    Mask livery2 = c.newMask();
    livery2.add(withMirror(bar(at(44, 32), at(66, 47.7f), 0.55f), cx)).multiply(wingMask);
    c.draw(livery2, rgb(0xffc04a), Blend::Over, 0.9f);
    Mask seams = c.newMask();
    seams
        .add(withMirror(bar(at(53, 33), at(53, 53), 0.25f) | bar(at(62, 40), at(62, 54), 0.25f) |
                            bar(at(40, 47), at(68, 52), 0.25f),
                        cx))
        .multiply(wingMask);
    c.draw(seams, rgb(0x141822), Blend::Over, 0.7f);
    c.shade(wingMask, 1.4f, 0.55f);
}

// Wingtip cannons with hot muzzles.
void paintCannons(Canvas& c, Vec2 o, const Shape& cannons) {
    const Frame at{o};
    c.draw(grown(cannons, 0.5f), kOutline);
    for (const float x : {5.5f, 70.5f})
        c.draw(capsule(at(x, 36), at(x, 53), 1.9f),
               cylinder(o.x + x - 2, o.x + x + 2, rgb(0x262c3a), rgb(0x6e7a90), rgb(0xd0d8e6)));
    for (const float x : {5.5f, 70.5f}) {
        c.draw(circle(at(x, 35.6f), 1.0f), rgb(0xaef4ff));
        c.splat(at(x, 35.3f), 1.4f, rgb(0x5fe0ff), 0.9f);
    }
}

// Engine nacelles.
void paintNacelles(Canvas& c, Vec2 o) {
    const Frame at{o};
    for (const float x : {28.5f, 47.5f}) {
        const Shape n = taperedCapsule(at(x, 31), 3.0f, at(x + (x > 38 ? 0.5f : -0.5f), 56.5f), 4.6f);
        c.draw(grown(n, 0.6f), kOutline);
        c.draw(n, cylinder(o.x + x - 5, o.x + x + 5, rgb(0x232835), rgb(0x5d687c), rgb(0xb9c3d4)));
        c.draw(ellipse(at(x, 32), 1.8f, 1.2f), rgb(0x0b0e14));
        c.draw(bar(at(x - 4, 44), at(x + 4, 44), 0.3f) & n, rgb(0x151923), Blend::Over, 0.8f);
        c.draw(ellipse(at(x + (x > 38 ? 0.5f : -0.5f), 57.3f), 3.6f, 1.5f), rgb(0x0c0f15));
        c.draw(ellipse(at(x + (x > 38 ? 0.5f : -0.5f), 57.6f), 2.4f, 0.9f), rgb(0xffb347), Blend::Add, 0.8f);
    }
}

// Fuselage, polished and bevelled.
void paintFuselage(Canvas& c, Vec2 o, const Shape& body) {
    const Frame at{o};
    const float cx = o.x + 38;
    Mask bodyMask = c.newMask();
    bodyMask.add(body);
    c.draw(bodyMask, cylinder(cx - 7.5f, cx + 7.5f, rgb(0x4b5568), rgb(0xaeb9ca), rgb(0xf1f5fa)));
    Mask stripe = c.newMask();
    stripe.add(bar(at(38, 30), at(38, 58), 0.9f)).multiply(bodyMask);
    c.draw(stripe, rgb(0xd8461e), Blend::Over, 0.85f);
    Mask bodySeams = c.newMask();
    bodySeams.add(bar(at(28, 38), at(48, 38), 0.22f) | bar(at(28, 49), at(48, 49), 0.22f)).multiply(bodyMask);
    c.draw(bodySeams, rgb(0x1a1e28), Blend::Over, 0.7f);
    c.shade(bodyMask, 1.3f, 0.45f);
    c.draw(ellipse(at(38, 61), 3.8f, 1.5f), rgb(0x0c0f15));
    c.draw(ellipse(at(38, 61.2f), 2.6f, 0.9f), rgb(0xffc060), Blend::Add, 0.8f);
}

// The canopy, catching the light.
void paintCanopy(Canvas& c, Vec2 o) {
    const Frame at{o};
    const Shape canopy = ellipse(at(38, 20.5f), 3.3f, 7.4f);
    c.draw(grown(canopy, 0.7f), rgb(0x1c2230));
    c.draw(canopy,
           linear(at(0, 13), at(0, 28), Gradient{{0, rgb(0x8fe4ff)}, {0.35f, rgb(0x2b7fd0)}, {1, rgb(0x06142e)}}));
    c.draw(ellipse(at(36.9f, 17.6f), 0.8f, 2.6f), rgb(0xffffff, 0.85f));
    c.draw(ellipse(at(39.2f, 24.5f), 0.6f, 1.3f), rgb(0x9fdcff, 0.5f));
}

}  // namespace player

namespace drop {

// The drop ship's pieces, in its frame at `o`.
struct Pieces {
    Shape claws, horns, shell, belly, hull;
};

Pieces pieces(Vec2 o) {
    const Frame at{o};
    const float cx = o.x + 37;
    const Shape claws = withMirror(
        polygon({at(48, 30), at(63, 25), at(71, 34), at(71, 50), at(64, 68), at(62, 53), at(57, 41), at(48, 40)}), cx);
    const Shape horns = withMirror(polygon({at(50, 21), at(69, 7), at(58, 25)}), cx);
    const Shape crest = polygon({at(31, 18), at(37, 2.5f), at(43, 18)});
    const Shape shell = ellipse(at(37, 27), 25, 12.5f) | crest;
    const Shape belly = polygon({at(25, 33), at(49, 33), at(45.5f, 53), at(41, 59), at(33, 59), at(28.5f, 53)});
    return {claws, horns, shell, belly, claws | horns | shell | belly};
}

// The ribbed belly, and its hatch with the green glow of the cargo inside.
void paintBelly(Canvas& c, Vec2 o, const Shape& belly) {
    const Frame at{o};
    Shape ribs = bar(at(24, 40), at(50, 40), 0.35f);
    for (float y = 44; y < 56; y += 4) ribs = ribs | bar(at(24, y), at(50, y), 0.35f);
    paintPlate(c, belly,
               {.fill = linear(at(0, 33), at(0, 60), Gradient{{0, rgb(0x4a3458)}, {1, rgb(0x160c1c)}}),
                .bevel = 1.5f,
                .bevelStrength = 0.5f,
                .highlight = rgb(0xd0b0ff),
                .seam = rgb(0x0a050d)},
               ribs);

    const Shape hatch = rect(o.x + 32, o.y + 53.5f, o.x + 42, o.y + 60.5f, 1.2f);
    c.draw(grown(hatch, 0.6f), rgb(0x050307));
    c.draw(hatch, linear(at(0, 53.5f), at(0, 60.5f), Gradient{{0, rgb(0x0a2a10)}, {1, rgb(0x7dff8a)}}));
    c.draw(rect(o.x + 35.5f, o.y + 54.5f, o.x + 38.5f, o.y + 60, 1.4f), rgb(0xd8ffd8), Blend::Add, 0.6f);
}

// The angry visor: a glowing red V across the face.
void paintVisor(Canvas& c, Vec2 o) {
    const Frame at{o};
    const Shape visor = polygon({at(18, 24), at(37, 30.5f), at(56, 24), at(53.5f, 30), at(37, 37), at(20.5f, 30)});
    c.draw(grown(visor, 0.8f), rgb(0x0a0306));
    Mask visorMask = c.newMask();
    visorMask.add(visor);
    c.draw(visorMask,
           linear(at(0, 24), at(0, 37), Gradient{{0, rgb(0xff2a10)}, {0.6f, rgb(0xb00010)}, {1, rgb(0x500008)}}));
    c.glow(visorMask, rgb(0xff2020), 1.8f, 0.7f);
    for (const float x : {26.0f, 37.0f, 48.0f}) {
        const float y = x == 37.0f ? 33.0f : 28.8f;
        c.draw(ellipse(at(x, y), 2.2f, 1.4f), rgb(0xffd040));
        c.splat(at(x, y), 1.6f, rgb(0xffffff), 0.9f);
    }
}

}  // namespace drop

}  // namespace

void paintPlayerShip(Canvas& c, Vec2 o) {
    const player::Pieces p = player::pieces(o);
    const Frame at{o};
    player::paintFlames(c, o);

    // Dark outline so the ship reads against any background.
    c.draw(grown(p.hull, 0.9f), kOutline);
    player::paintWings(c, o, p.wings);
    player::paintCannons(c, o, p.cannons);
    player::paintNacelles(c, o);
    player::paintFuselage(c, o, p.body);
    player::paintCanopy(c, o);

    // Cool rim light from the right-hand side.
    Mask all = c.newMask();
    all.add(p.hull);
    Mask rim = all;
    rim.subtract(all.shifted({-1.1f, 0.4f}));
    c.draw(rim, rgb(0x74d6ff), Blend::Add, 0.45f);

    // Navigation lights.
    c.splat(at(3.5f, 50.5f), 1.0f, rgb(0xff3030), 1.2f);
    c.splat(at(72.5f, 50.5f), 1.0f, rgb(0x30ff60), 1.2f);
}

void paintDropShip(Canvas& c, Vec2 o) {
    const drop::Pieces p = drop::pieces(o);
    const Frame at{o};
    const float cx = o.x + 37;

    // Thruster glow beneath the claws and the open belly hatch.
    for (const float x : {9.5f, 64.5f}) c.splat(at(x, 67.5f), 2.4f, rgb(0xc040ff), 0.9f);
    c.splat(at(37, 64), 3.5f, rgb(0x50ff70), 0.8f);

    c.draw(grown(p.hull, 0.9f), kOutline);

    paintPlate(
        c, p.claws | p.horns,
        {.fill = linear(at(0, 8), at(0, 68), Gradient{{0, rgb(0x7b5a8f)}, {0.45f, rgb(0x47305a)}, {1, rgb(0x1a0f22)}})},
        withMirror(bar(at(52, 34), at(66, 31), 0.35f) | bar(at(58, 42), at(68, 40), 0.35f) |
                       bar(at(61, 51), at(69, 49), 0.35f),
                   cx));

    drop::paintBelly(c, o, p.belly);
    paintPlate(c, p.shell,
               {.fill = linear(
                    at(0, 4), at(0, 40),
                    Gradient{{0, rgb(0x9a74ae)}, {0.35f, rgb(0x6a4880)}, {0.75f, rgb(0x3a2448)}, {1, rgb(0x1c1024)}}),
                .bevel = 2.0f,
                .bevelStrength = 0.65f,
                .highlight = rgb(0xf0d8ff),
                .seam = rgb(0x12081a),
                .seamOpacity = 0.75f},
               ring(at(37, 44), 24, 0.7f) | ring(at(37, 50), 24, 0.6f) | bar(at(37, 4), at(37, 20), 0.4f) |
                   withMirror(bar(at(46, 18), at(56, 31), 0.35f), cx));

    drop::paintVisor(c, o);

    // Running lights along the rim of the shell.
    for (const float x : {17.0f, 23.0f, 51.0f, 57.0f}) c.splat(at(x, 35.3f), 0.8f, rgb(0xff50e0), 1.1f);

    // Rim light down the right-hand edges.
    Mask all = c.newMask();
    all.add(p.hull);
    Mask rim = all;
    rim.subtract(all.shifted({-1.0f, -0.6f}));
    c.draw(rim, rgb(0xff5ad8), Blend::Add, 0.4f);
}

void makeShips(const std::filesystem::path& dir) {
    savePicture(supersampled(76, 66, [](Canvas& c) { paintPlayerShip(c); }), dir, "PlayerNorm.png");
    savePicture(
        supersampled(77, 66,
                     [](Canvas& c) {
                         paintPlayerShip(c);
                         // The rod lies across the nose, held by two clamps.
                         constexpr float rodY = 6.3f;
                         for (const float x : {30.5f, 45.5f}) {
                             const Vec2 foot{x + (x < 38 ? 2.5f : -2.5f), 19};
                             c.draw(bar({x, rodY + 2}, foot, 1.6f), kOutline);
                             c.draw(bar({x, rodY + 2}, foot, 1.0f),
                                    linear({x - 1, 0}, {x + 1, 0}, Gradient{{0, rgb(0xc8d0dc)}, {1, rgb(0x505a6c)}}));
                         }
                         paintRod(c, {15, rodY}, {61.5f, rodY}, 4.6f, RodKind::Good);
                         for (const float x : {30.5f, 45.5f}) {
                             c.draw(rect(x - 1.8f, rodY - 5.4f, x + 1.8f, rodY + 5.4f, 0.8f), kOutline);
                             c.draw(rect(x - 1.2f, rodY - 4.8f, x + 1.2f, rodY + 4.8f, 0.6f),
                                    linear({x - 1.2f, 0}, {x + 1.2f, 0},
                                           Gradient{{0, rgb(0xe0e6ee)}, {1, rgb(0x5a6476)}}));
                         }
                     }),
        dir, "PlayerRod.png");
    savePicture(supersampled(74, 74, [](Canvas& c) { paintDropShip(c); }), dir, "DropShipPic.png");
}

}  // namespace assetgen
