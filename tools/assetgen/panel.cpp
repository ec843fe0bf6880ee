// The status panel at the right of the playfield and the radiation gauge caption.

#include <array>
#include <cmath>
#include <string_view>

#include "captions.h"
#include "noise.h"
#include "painters.h"
#include "pictures.h"
#include "text.h"

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265f;

struct Readout {
    std::string_view caption;
    float x, y, w, h;  // the box the game fills with LED digits
};

constexpr std::array<Readout, 5> kReadouts{{
    {"SCORE", 22, 60, 99, 24},
    {"PLANET", 52, 157, 39, 24},
    {"LIVES", 52, 269, 39, 24},
    {"RODS DEFUSED", 52, 389, 39, 24},
    {"RODS NEEDED", 52, 495, 39, 24},
}};

// A dark window sunk into the panel, lit from the top left.
void recess(Canvas& c, float x0, float y0, float x1, float y1, float depth) {
    paintWell(c, {x0 - depth, y0 - depth, x1 + depth, y1 + depth}, depth);
    c.draw(rect(x0, y0, x1, y1), rgb(0x020304));
}

const CaptionLook kPanelCaption{
    .face = Gradient{{0, rgb(0xffffff)}, {0.45f, rgb(0xb8ecff)}, {0.55f, rgb(0x6cc6f4)}, {1, rgb(0x2f86c8)}},
    .halos = {{rgb(0x2aa8ff), 2.2f, 0.55f}},
    .dropShadow = 1.0f,
};

void paintSidePanel(Canvas& c) {
    paintGunmetal(c, {0, 0, 150, 600}, 2.5f);
    c.draw(rect(0, 0, 1.5f, 600), rgb(0x05070a));  // seam against the playfield

    // Logo.
    static const CaptionLook kLogo{
        .face = Gradient{{0, rgb(0xffffff)},
                         {0.46f, rgb(0xd0dcf0)},
                         {0.5f, rgb(0x5a6a8a)},
                         {0.62f, rgb(0x8a9ab8)},
                         {1, rgb(0xe8f0ff)}},
        .halos = {{rgb(0xff8a20), 3.0f, 0.6f}},
        .outlines = {{1.0f, rgb(0x0a0c12)}},
        .bevelRadius = 0.8f,
        .bevelStrength = 0.4f,
    };
    Font& bold = Font::bold();
    paintCaption(c, "KORVANE", bold.fit("KORVANE", 126, 22, 2.0f), {75, 18}, 2.0f, kLogo);
    Mask underline = c.newMask();
    underline.add(capsule({14, 34}, {136, 34}, 0.6f));
    c.draw(underline,
           linear({14, 0}, {136, 0}, Gradient{{0, rgb(0xff8a20, 0)}, {0.5f, rgb(0xffc070)}, {1, rgb(0xff8a20, 0)}}));
    c.glow(underline, rgb(0xff7a10), 1.5f, 0.6f);

    // Raised plates carrying each read-out.
    float captionSize = 15.0f;
    for (const Readout& r : kReadouts) captionSize = std::min(captionSize, bold.fit(r.caption, 108, 15, 0.6f));
    Rng rng(77);
    for (const Readout& r : kReadouts) {
        const float top = r.y - 23, bottom = r.y + r.h + 9;
        const Shape plate = rect(9, top, 141, bottom, 4);
        c.draw(translated(grown(plate, 1), {1, 1.5f}), rgb(0x000000, 0.55f));
        Mask plateMask = c.newMask();
        plateMask.add(plate);
        c.draw(plateMask, linear({0, top}, {0, bottom}, Gradient{{0, rgb(0x2c3546)}, {1, rgb(0x1c222e)}}));
        c.shade(plateMask, 1.8f, 0.6f, {-0.6f, -0.8f}, rgb(0xb0c4e0), kBlack);
        for (const Vec2 p : {Vec2{15, top + 5}, Vec2{135, top + 5}, Vec2{15, bottom - 5}, Vec2{135, bottom - 5}})
            paintScrew(c, p, rng.range(0, kPi));
        recess(c, r.x, r.y, r.x + r.w, r.y + r.h, 3);
        paintCaption(c, r.caption, captionSize, {r.x + r.w * 0.5f, r.y - 12}, 0.6f, kPanelCaption);
    }

    // Between the plates: machined grooves with a small indicator lamp.
    for (std::size_t i = 0; i + 1 < kReadouts.size(); ++i) {
        const float y0 = kReadouts[i].y + kReadouts[i].h + 9, y1 = kReadouts[i + 1].y - 23;
        const float mid = (y0 + y1) * 0.5f;
        for (const float dy : {-5.0f, 5.0f}) paintGroove(c, 20, 130, mid + dy);
        paintLamp(c, {75, mid}, i % 2 == 0 ? rgb(0x30ff60) : rgb(0xffa020));
    }

    // Vent grille and warning stripes at the foot of the panel.
    for (int i = 0; i < 6; ++i) {
        const float y = 546 + static_cast<float>(i) * 6.5f;
        c.draw(rect(24, y, 126, y + 3, 1.5f), rgb(0x030405));
        c.draw(rect(24, y + 3, 126, y + 3.8f, 0.4f), rgb(0x8090b0, 0.3f));
    }
    paintHazardPlate(c, {10, 586, 140, 594});
    for (const Vec2 p : {Vec2{6, 6}, Vec2{144, 6}, Vec2{6, 594}, Vec2{144, 594}}) paintScrew(c, p, rng.range(0, kPi));
}

// The radiation warning trefoil.
void trefoil(Canvas& c, Vec2 centre, float radius) {
    c.draw(circle(centre, radius + 0.6f), rgb(0x1a1000));
    c.draw(circle(centre, radius), radial(centre - Vec2{radius * 0.3f, radius * 0.4f}, radius * 1.6f,
                                          Gradient{{0, rgb(0xfff2a0)}, {1, rgb(0xe09000)}}));
    const Shape annulus = circle(centre, radius * 0.8f) - circle(centre, radius * 0.28f);
    for (int i = 0; i < 3; ++i) {
        const float a = -kPi / 2 + static_cast<float>(i) * 2 * kPi / 3;
        const Vec2 l{std::cos(a - kPi / 6), std::sin(a - kPi / 6)}, r{std::cos(a + kPi / 6), std::sin(a + kPi / 6)};
        c.draw(annulus & polygon({centre, centre + l * (radius * 2), centre + r * (radius * 2)}), rgb(0x141008));
    }
    c.draw(circle(centre, radius * 0.17f), rgb(0x141008));
}

void paintGaugeCaption(Canvas& c) {
    trefoil(c, {9, 10}, 7.6f);
    paintCaption(c, "RADIATION", Font::bold().fit("RADIATION", 60, 11, 0.5f), {49.5f, 10}, 0.5f, kAmberCaption);
}

}  // namespace

void paintGunmetal(Canvas& c, Box area, float bevel) {
    c.apply([&area](Vec2 p, Colour under) {
        if (p.x < area.x0 || p.x > area.x1 || p.y < area.y0 || p.y > area.y1) return under;
        const float brush = fbm({p.x * 0.015f, p.y * 0.9f}, 3, 5);
        const float mottle = fbm(p * 0.02f, 3, 9);
        const Colour base = lerp(rgb(0x222a38), rgb(0x171c27), (p.y - area.y0) / (area.y1 - area.y0));
        return brightened(base, 1.0f + 0.07f * brush + 0.06f * mottle);
    });
    Mask body = c.newMask();
    body.add(rect(area.x0, area.y0, area.x1, area.y1));
    c.shade(body, bevel, 0.55f, {-0.6f, -0.8f}, rgb(0xa8b8d0), kBlack);
}

void paintScrew(Canvas& c, Vec2 p, float angle) {
    c.draw(circle(p + Vec2{0.4f, 0.5f}, 2.3f), rgb(0x000000, 0.5f));
    c.draw(circle(p, 2.1f), radial(p - Vec2{0.8f, 0.9f}, 3.2f, Gradient{{0, rgb(0xb8c2d2)}, {1, rgb(0x384050)}}));
    const Vec2 d = Vec2{std::cos(angle), std::sin(angle)} * 1.5f;
    c.draw(bar(p - d, p + d, 0.35f), rgb(0x141820));
}

void paintWell(Canvas& c, Box area, float depth, Colour floor) {
    const Shape outer = rect(area.x0, area.y0, area.x1, area.y1, 2.5f);
    c.draw(translated(grown(outer, 0.8f), {0.7f, 0.7f}), rgb(0x8aa0c0, 0.35f));  // lit lower lip
    c.draw(grown(outer, 0.8f), rgb(0x020305, 0.8f));
    Mask well = c.newMask();
    well.add(outer);
    c.draw(well, linear({0, area.y0}, {0, area.y1}, Gradient{{0, rgb(0x080a0f)}, {1, floor}}));
    c.shade(well, depth * 0.7f, 0.7f, {0.6f, 0.8f}, rgb(0x6a7a94), kBlack);
}

void paintGroove(Canvas& c, float x0, float x1, float y) {
    c.draw(rect(x0, y - 0.8f, x1, y + 0.8f, 0.8f), rgb(0x05070a, 0.85f));
    c.draw(rect(x0, y + 0.8f, x1, y + 1.4f, 0.3f), rgb(0x7a8aa8, 0.35f));
}

void paintLamp(Canvas& c, Vec2 p, Colour colour) {
    c.draw(circle(p, 2.6f), rgb(0x05070a));
    c.draw(circle(p, 1.9f), colour);
    c.splat(p, 2.2f, colour, 0.7f);
    c.draw(circle(p - Vec2{0.6f, 0.6f}, 0.7f), rgb(0xffffff, 0.8f));
}

void paintHazardPlate(Canvas& c, Box area) {
    Mask stripes = c.newMask();
    stripes.add(rect(area.x0, area.y0, area.x1, area.y1, 1.5f));
    c.draw(stripes, hazardStripes(10.0f));
    c.draw(stripes, linear({0, area.y0}, {0, area.y1}, Gradient{{0, rgb(0xffffff, 0.25f)}, {1, rgb(0x000000, 0.45f)}}));
    c.shade(stripes, 1.0f, 0.4f);
}

void makePanel(const std::filesystem::path& dir) {
    savePicture(supersampled(150, 600, paintSidePanel, 2), dir, "SidePanel.png");
    savePicture(supersampled(80, 20, paintGaugeCaption), dir, "GaugeCaption.png");
}

}  // namespace assetgen
