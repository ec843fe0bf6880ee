// The bonus stage and the parts it shares with the mother-ship fight: the enemy
// fighter of the formation, the falling fireball, the status strip above the
// playfield with its captions, and the bonus playfield's backdrop.

#include <cmath>
#include <string_view>

#include "captions.h"
#include "noise.h"
#include "painters.h"
#include "pictures.h"
#include "space.h"
#include "text.h"

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265f;
const Colour kOutline = rgb(0x07050a);

// The enemy fighter's parts, painted back to front.
namespace fighter {

constexpr float cx = 44.5f;
// The engines' axes.
constexpr float kEngineX[] = {31.5f, 57.5f};

struct Pieces {
    Shape wing, engines, body, hull;
};

Pieces pieces() {
    const Shape wing = withMirror(polygon({{48, 51},
                                           {60, 45},
                                           {73, 36},
                                           {82, 24},
                                           {87.5f, 8},
                                           {88.6f, 19},
                                           {86.5f, 33},
                                           {83.5f, 46},
                                           {80.5f, 33},
                                           {76.5f, 25},
                                           {70, 25},
                                           {64, 19},
                                           {57, 23},
                                           {50, 16}}),
                                  cx);
    const Shape engines = withMirror(taperedCapsule({57.5f, 7.5f}, 5.0f, {56.5f, 30}, 3.6f), cx);
    const Shape body = polygon({{cx, 63},
                                {cx + 4, 53},
                                {cx + 8, 40},
                                {cx + 10.5f, 22},
                                {cx + 8, 6},
                                {cx, 2},
                                {cx - 8, 6},
                                {cx - 10.5f, 22},
                                {cx - 8, 40},
                                {cx - 4, 53}});
    return {wing, engines, body, wing | engines | body};
}

// Exhaust flaring out of the engines at the back.
void paintExhaust(Canvas& c) {
    for (const float x : kEngineX) {
        c.draw(taperedCapsule({x, 5}, 3.6f, {x, 0.2f}, 1.2f),
               linear({0, 6}, {0, 0}, Gradient{{0, rgb(0xffd8d0)}, {0.4f, rgb(0xff3040)}, {1, rgb(0xa00040, 0)}}),
               Blend::Add);
        c.splat({x, 3.5f}, 2.8f, rgb(0xff2050), 0.8f);
    }
}

// The clawed wings, with a red light strip along each and crimson leading edges.
void paintWings(Canvas& c, const Shape& wing) {
    const Mask wingMask = paintPlate(
        c, wing,
        {.fill = linear({0, 8}, {0, 50}, Gradient{{0, rgb(0x8e6aa6)}, {0.45f, rgb(0x54386c)}, {1, rgb(0x1e1128)}})},
        withMirror(bar({56, 26}, {76, 28}, 0.35f) | bar({58, 35}, {74, 35}, 0.35f) | bar({64, 20}, {62, 44}, 0.3f) |
                       bar({79, 27}, {85, 15}, 0.3f),
                   cx));
    Mask edge = c.newMask();
    edge.add(withMirror(bar({50, 49.5f}, {73, 35.5f}, 0.9f) | bar({73, 35.5f}, {86.2f, 12}, 0.8f), cx))
        .multiply(wingMask);
    c.draw(edge, linear({0, 10}, {0, 50}, Gradient{{0, rgb(0xff6a80)}, {1, rgb(0xa01830)}}), Blend::Over, 0.9f);
    const Shape strips = withMirror(capsule({56, 39.5f}, {70, 31}, 0.9f), cx);
    c.draw(grown(strips, 0.5f), rgb(0x0a0306));
    Mask stripMask = c.newMask();
    stripMask.add(strips);
    c.draw(stripMask, rgb(0xff3020));
    c.glow(stripMask, rgb(0xff2020), 1.4f, 0.8f);
}

// Engine pods, ringed, with glowing nozzles at the back.
void paintEnginePods(Canvas& c) {
    for (const float x : kEngineX) {
        const float tilt = x < cx ? 1.0f : -1.0f;
        paintPlate(c, taperedCapsule({x, 7.5f}, 5.0f, {x + tilt, 30}, 3.6f),
                   {.fill = linear(
                        {x - 5, 0}, {x + 5, 0},
                        Gradient{{0, rgb(0x2a1838)}, {0.3f, rgb(0xb090c8)}, {0.6f, rgb(0x5e4076)}, {1, rgb(0x1c0f26)}}),
                    .bevel = 1.2f,
                    .bevelStrength = 0.45f},
                   bar({x - 6, 13}, {x + 6, 13}, 0.45f) | bar({x - 6, 16}, {x + 6, 16}, 0.3f) |
                       bar({x - 6, 24}, {x + 6, 24}, 0.3f));
        c.draw(ellipse({x, 4.6f}, 3.6f, 1.7f), rgb(0x12040c));
        c.draw(ellipse({x, 4.9f}, 2.6f, 1.0f), rgb(0xff6050), Blend::Add, 0.95f);
    }
}

// The body, and the reactor vent on its spine.
void paintBody(Canvas& c, const Shape& body) {
    paintPlate(c, body,
               {.fill = linear(
                    {cx - 10, 0}, {cx + 10, 0},
                    Gradient{{0, rgb(0x2c1a3a)}, {0.32f, rgb(0xbc96d0)}, {0.55f, rgb(0x6a4a82)}, {1, rgb(0x1a0e22)}}),
                .bevel = 1.8f,
                .bevelStrength = 0.55f,
                .highlight = rgb(0xf0d8ff)},
               bar({cx, 4}, {cx, 9}, 0.35f) | bar({cx - 10, 26}, {cx + 10, 26}, 0.3f) |
                   withMirror(bar({cx + 2.5f, 48}, {cx + 7, 38}, 0.3f) | bar({cx + 3, 26}, {cx + 5, 8}, 0.3f), cx));

    // Reactor vent on the spine, leaking red light.
    const Shape vent = rect(cx - 3.4f, 10, cx + 3.4f, 22, 1.2f);
    c.draw(grown(vent, 0.5f), rgb(0x0a0306));
    c.draw(vent, linear({0, 10}, {0, 22}, Gradient{{0, rgb(0x400008)}, {1, rgb(0xff3020)}}));
    for (float y = 12; y < 22; y += 2.3f) c.draw(bar({cx - 3.4f, y}, {cx + 3.4f, y}, 0.4f), rgb(0x1a0408));
    c.splat({cx, 18}, 2.8f, rgb(0xff2020), 0.6f);
}

// The angry visor: a red V across the head, two hot eyes in it.
void paintVisor(Canvas& c) {
    const Shape visor = polygon({{cx - 8, 30}, {cx, 37.5f}, {cx + 8, 30}, {cx + 7, 35}, {cx, 43}, {cx - 7, 35}});
    c.draw(grown(visor, 0.8f), rgb(0x0a0306));
    Mask visorMask = c.newMask();
    visorMask.add(visor);
    c.draw(visorMask,
           linear({0, 30}, {0, 43}, Gradient{{0, rgb(0xff3a18)}, {0.6f, rgb(0xb00010)}, {1, rgb(0x500008)}}));
    c.glow(visorMask, rgb(0xff2020), 1.8f, 0.8f);
    for (const float side : {-1.0f, 1.0f}) {
        c.draw(ellipse({cx + side * 4.6f, 34.3f}, 1.9f, 1.1f), rgb(0xffd040));
        c.splat({cx + side * 4.6f, 34.3f}, 1.3f, kWhite, 0.9f);
    }
}

}  // namespace fighter

// The fighter diving on the player, nose down, in an 89 x 64 frame: a violet
// arrowhead with swept, clawed wings and two engines glowing red at the back.
void paintEnemyFighter(Canvas& c) {
    const fighter::Pieces f = fighter::pieces();
    fighter::paintExhaust(c);
    c.draw(grown(f.hull, 0.9f), kOutline);
    fighter::paintWings(c, f.wing);
    fighter::paintEnginePods(c);
    fighter::paintBody(c, f.body);
    fighter::paintVisor(c);

    // Claw tips with green and red running lights.
    c.splat({83.5f, 44}, 1.1f, rgb(0x30ff60), 1.2f);
    c.splat({5.5f, 44}, 1.1f, rgb(0xff3030), 1.2f);

    // Rim light down the right-hand edges.
    Mask all = c.newMask();
    all.add(f.hull);
    Mask rim = all;
    rim.subtract(all.shifted({-1.0f, -0.6f}));
    c.draw(rim, rgb(0xff5ad8), Blend::Add, 0.4f);
}

// A fireball falling down the screen in a 29 x 68 frame: white-hot head near the
// bottom, flames licking upwards and thinning out into nothing.
void paintFireball(Canvas& c) {
    constexpr float cx = 14.5f, headY = 55, headR = 8.5f, tailY = 2.0f;
    const Gradient flame{{0.0f, rgb(0x400000)},  {0.2f, rgb(0xa01000)}, {0.4f, rgb(0xf04000)},
                         {0.62f, rgb(0xff9a20)}, {0.8f, rgb(0xffe070)}, {1.0f, rgb(0xffffff)}};
    c.apply([&](Vec2 p, Colour) {
        // 0 at the head, 1 at the tip of the tail.
        const float t = std::clamp((headY - p.y) / (headY - tailY), 0.0f, 1.0f);
        const float sway = 2.4f * fbm({p.y * 0.05f, 0.3f}, 3, 61) * t;
        const float halfWidth = headR * std::pow(1.0f - t, 0.55f) + 0.5f;
        const Vec2 q{p.x - cx - sway, p.y - headY};
        const float d = p.y >= headY ? length(q) / headR : std::abs(q.x) / halfWidth;
        // Tongues of flame streaming back from the head.
        const float licks = 0.5f + 0.5f * fbm({q.x * 0.3f, p.y * 0.09f}, 4, 62);
        const float core = std::exp(-dot(q, q) / (headR * headR * 0.3f));
        const float heat =
            std::clamp((1.0f - d) * (1.3f - 0.95f * t) * (0.45f + 0.9f * licks) + 0.6f * core, 0.0f, 1.0f);
        const float alpha = smoothstep(0.0f, 0.3f, heat) * (1.0f - smoothstep(0.45f, 1.0f, t));
        return withAlpha(flame.at(heat), alpha);
    });
    Mask head = c.newMask();
    head.add(circle({cx, headY}, headR * 0.8f));
    c.glow(head, rgb(0xff5010), 2.2f, 0.8f);
    c.splat({cx, headY + 0.5f}, 2.8f, rgb(0xfffbe0), 1.0f);
    // Sparks shed along the tail.
    Rng rng(65);
    for (int i = 0; i < 9; ++i) {
        const float y = rng.range(18, 48);
        const float t = (headY - y) / (headY - tailY);
        const Vec2 p{cx + rng.range(-1.0f, 1.0f) * (headR * (1 - t) + 1.5f), y};
        c.splat(p, rng.range(0.35f, 0.6f), rgb(0xffc060), 1.0f - t);
    }
}

// The read-outs, their captions and the LED boxes all sit in this sunken channel,
// so whichever stage places its boxes there finds plain dark metal under them.
constexpr float kChannelLeft = 4, kChannelRight = 366, kChannelTop = 3, kChannelBottom = 39;

void paintStageBar(Canvas& c) {
    constexpr float w = 800, h = 40;
    paintGunmetal(c, {0, 0, w, h}, 2.0f);
    c.draw(rect(0, h - 1.2f, w, h), rgb(0x05070a));  // seam against the playfield
    paintWell(c, {kChannelLeft, kChannelTop, kChannelRight, kChannelBottom}, 2, rgb(0x0c1018));

    // To the right: machined grooves, status lamps, a vent grille and warning stripes.
    for (const float y : {11.0f, 29.0f}) paintGroove(c, 384, 560, y);
    for (int i = 0; i < 5; ++i) {
        const Colour lamp = i == 2 ? rgb(0xffa020) : i % 2 == 0 ? rgb(0x30ff60) : rgb(0x40a0ff);
        paintLamp(c, {398 + static_cast<float>(i) * 36, 20}, lamp);
    }
    for (int i = 0; i < 14; ++i) {
        const float x = 580 + static_cast<float>(i) * 7.5f;
        c.draw(rect(x, 8, x + 3.5f, 32, 1.6f), rgb(0x030405));
        c.draw(rect(x + 3.5f, 8, x + 4.3f, 32, 0.4f), rgb(0x8090b0, 0.3f));
    }
    c.draw(rect(699, 8, 781, 32, 2.5f), rgb(0x05070a));
    paintHazardPlate(c, {700, 9, 780, 31});

    Rng rng(91);
    for (const float x : {374.0f, 570.0f, 690.0f, 792.0f})
        for (const float y : {8.0f, 32.0f}) paintScrew(c, {x, y}, rng.range(0, kPi));
}

// A read-out caption: the word in gold, right-aligned against its box and centred
// on the strip's height.
void paintReadoutCaption(Canvas& c, std::string_view text, float width, float height) {
    // One letter height for every caption, so the strips of both stages match.
    constexpr float kRightMargin = 5, kTracking = 0.6f, kCapHeight = 17;
    Font& bold = Font::bold();
    const float size = bold.fit(text, width - 12, kCapHeight, kTracking);
    const TextExtent e = bold.measure(text, size, kTracking);
    paintCaption(c, text, size, {width - kRightMargin - e.width() * 0.5f, height * 0.5f}, kTracking, kAmberCaption);
}

// Deep space for the bonus playfield: almost black, with a faint blue-green nebula.
const SpaceLook kBonusSky{.top = rgb(0x010207),
                          .bottom = rgb(0x03050d),
                          .cloudA = rgb(0x1c2470),
                          .cloudB = rgb(0x084440),
                          .haze = rgb(0x060c20),
                          .cloudScale = 0.0026f,
                          .seed = 131,
                          .vignette = 0.5f};

}  // namespace

void makeStageArt(const std::filesystem::path& dir) {
    savePicture(supersampled(89, 64, paintEnemyFighter), dir, "enemypic.png");
    savePicture(supersampled(29, 68, paintFireball), dir, "fireball.png");
    savePicture(supersampled(800, 40, paintStageBar, 2), dir, "StageBar.png");
    savePicture(supersampled(98, 40, [](Canvas& c) { paintReadoutCaption(c, "Score:", 98, 40); }), dir,
                "ScoreCaption.png");
    savePicture(supersampled(84, 40, [](Canvas& c) { paintReadoutCaption(c, "Time:", 84, 40); }), dir,
                "TimeCaption.png");
    savePicture(supersampled(95, 36, [](Canvas& c) { paintReadoutCaption(c, "Lives:", 95, 36); }), dir,
                "LivesCaption.png");
    savePicture(playfieldSky(800, 530, kBonusSky), dir, "BonusBack.png");
}

}  // namespace assetgen
