#include "captions.h"

#include "text.h"

namespace assetgen {

const CaptionLook kAmberCaption{
    .face = Gradient{{0, rgb(0xfff7b0)}, {0.5f, rgb(0xffd040)}, {1, rgb(0xff9a10)}},
    .halos = {{rgb(0xff9000), 1.6f, 0.5f}},
    .outlines = {{0.8f, rgb(0x140c00)}},
};

Box paintCaption(Canvas& c, std::string_view text, float size, Vec2 centre, float tracking, const CaptionLook& look) {
    Mask m = c.newMask();
    const Box box = Font::bold().renderCentred(m, text, size, centre, tracking);
    if (look.dropShadow > 0)
        c.draw(m.shifted(Vec2{0.8f, 1.0f} * look.dropShadow).blurred(0.7f * look.dropShadow), kBlack, Blend::Over,
               0.9f);
    for (const Halo& h : look.halos) c.glow(m, h.colour, h.sigma, h.strength);
    if (look.depth.layers > 0) {
        const Mask thick = m.grown(look.depth.thickness);
        // Farthest layer first so the nearer ones cover it.
        for (int i = look.depth.layers; i >= 1; --i) {
            const float k = static_cast<float>(i) / static_cast<float>(look.depth.layers);
            c.draw(thick.shifted(look.depth.step * static_cast<float>(i)),
                   lerp(look.depth.nearColour, look.depth.farColour, k));
        }
    }
    for (const Outline& o : look.outlines) c.draw(m.grown(o.width), o.colour);
    c.draw(m, linear({0, box.y0}, {0, box.y1}, look.face));
    if (look.bevelRadius > 0)
        c.shade(m, look.bevelRadius, look.bevelStrength, {-0.6f, -0.8f}, look.bevelHighlight, kBlack);
    return box;
}

Box paintChromeTitle(Canvas& c, std::string_view text, float maxWidth, float maxHeight, Vec2 centre, float tracking) {
    static const CaptionLook kChrome{
        .face = Gradient{{0, rgb(0xffffff)},
                         {0.42f, rgb(0xc8dcf8)},
                         {0.5f, rgb(0x243a78)},
                         {0.56f, rgb(0x3a66c8)},
                         {0.8f, rgb(0x8ab8ff)},
                         {1, rgb(0xe0f0ff)}},
        .halos = {{rgb(0x1a50ff), 18.0f, 1.0f}, {rgb(0x50b0ff), 5.0f, 0.8f}},
        .outlines = {{2.5f, rgb(0x02030a)}},
        .bevelRadius = 2.5f,
        .bevelStrength = 0.6f,
        .depth = {7, {0.6f, 1.0f}, 2.0f, rgb(0x1a2a60), rgb(0x04060e)},
    };
    Font& bold = Font::bold();
    const float size = bold.fit(text, maxWidth, maxHeight, tracking);
    // Halos and depth scale with the letters so smaller titles keep the same look.
    const float k = size / 120.0f;
    CaptionLook look = kChrome;
    for (Halo& h : look.halos) h.sigma *= k;
    for (Outline& o : look.outlines) o.width *= k;
    look.bevelRadius *= k;
    look.depth.step = look.depth.step * k;
    look.depth.thickness *= k;
    const Box box = paintCaption(c, text, size, centre, tracking, look);
    // Glints where the light catches the chrome: near the top left, the top right and low in the middle.
    const float w = box.x1 - box.x0, h = box.y1 - box.y0;
    for (const Vec2 at : {Vec2{0.022f, 0.094f}, Vec2{0.906f, 0.07f}, Vec2{0.469f, 0.883f}})
        glint(c, {box.x0 + at.x * w, box.y0 + at.y * h}, Vec2{22, 14} * k, 1.0f * k, rgb(0xe8f4ff), 0.9f);
    return box;
}

void glint(Canvas& c, Vec2 p, Vec2 arms, float thickness, Colour colour, float opacity) {
    constexpr float kTip = 0.05f;
    c.splat(p, thickness * 2.0f, kWhite, opacity);
    c.draw(taperedCapsule(p - Vec2{arms.x, 0}, kTip, p, thickness) |
               taperedCapsule(p, thickness, p + Vec2{arms.x, 0}, kTip) |
               taperedCapsule(p - Vec2{0, arms.y}, kTip, p, thickness * 0.8f) |
               taperedCapsule(p, thickness * 0.8f, p + Vec2{0, arms.y}, kTip),
           colour, Blend::Add, opacity);
}

}  // namespace assetgen
