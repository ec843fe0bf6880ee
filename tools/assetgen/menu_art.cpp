// The main menu: its background with the title, the bezels round the buttons
// and the information scroller, and the scroller's own dim backdrop.

#include <array>
#include <cmath>

#include "noise.h"
#include "painters.h"
#include "pictures.h"
#include "space.h"

namespace assetgen {

namespace {

struct Slot {
    float x, y, w, h;  // where the game paints a button caption or the scroller
};

constexpr float kButtonLeft = 472, kButtonWidth = 217, kButtonHeight = 33;
constexpr std::array<float, 5> kButtonTops{232, 280, 352, 400, 472};
constexpr Slot kScroller{104, 232, 297, 273};
// The line where the game prints its credit.
constexpr float kCreditTop = 560, kCreditBottom = 600;
constexpr float kBezel = 4;

// A chrome frame `kBezel` units wide drawn round the slot, never over it, with
// a soft blue light spilling out around it.
void bezel(Canvas& c, const Slot& s) {
    const Box outer{s.x - kBezel, s.y - kBezel, s.x + s.w + kBezel, s.y + s.h + kBezel};
    const Shape frame = rect(outer.x0, outer.y0, outer.x1, outer.y1, 3) - rect(s.x, s.y, s.x + s.w, s.y + s.h);
    Mask m = c.newMask();
    m.add(frame);
    c.glow(m, rgb(0x2a70ff), 5.0f, 0.45f);
    c.draw(grown(frame, 1.0f), rgb(0x020308));
    c.draw(m, linear({0, outer.y0}, {0, outer.y1},
                     Gradient{{0, rgb(0xe8f0ff)},
                              {0.35f, rgb(0x8094b8)},
                              {0.5f, rgb(0x39486a)},
                              {0.65f, rgb(0x6a80a8)},
                              {1, rgb(0x1c2436)}}));
    c.shade(m, 1.2f, 0.7f, {-0.6f, -0.8f}, rgb(0xffffff), kBlack);
    // Small lit corners, like screw heads in the frame.
    for (const Vec2 p : {Vec2{outer.x0 + 2, outer.y0 + 2}, Vec2{outer.x1 - 2, outer.y0 + 2},
                         Vec2{outer.x0 + 2, outer.y1 - 2}, Vec2{outer.x1 - 2, outer.y1 - 2}})
        c.splat(p, 1.0f, rgb(0x9ad0ff), 0.8f);
}

void paintMenuBack(Canvas& c) {
    paintSpace(c, {.bandTop = kCreditTop, .bandBottom = kCreditBottom + 40});
    // The colony world rising at the right-hand edge.
    paintPlanet(c, {915, 330}, 215);
    paintTitle(c);

    // A dark glass panel behind the buttons keeps the starfield from crowding them.
    const float panelTop = kButtonTops.front() - 16, panelBottom = kButtonTops.back() + kButtonHeight + 16;
    const Shape panel = rect(kButtonLeft - 16, panelTop, kButtonLeft + kButtonWidth + 16, panelBottom, 10);
    c.draw(panel, rgb(0x03050c), Blend::Over, 0.65f);
    c.draw(grown(panel, 0.6f) - panel, rgb(0x3a5a9a), Blend::Over, 0.6f);

    for (const float top : kButtonTops) bezel(c, {kButtonLeft, top, kButtonWidth, kButtonHeight});
    bezel(c, kScroller);
    // The slots are left black for the captions and text the game paints there;
    // only after every bezel, whose light spills into its neighbours.
    for (const float top : kButtonTops)
        c.draw(rect(kButtonLeft, top, kButtonLeft + kButtonWidth, top + kButtonHeight), kBlack);
    c.draw(rect(kScroller.x, kScroller.y, kScroller.x + kScroller.w, kScroller.y + kScroller.h), kBlack);
}

// Behind the scrolling text: a dark screen with faint scan lines and a grid,
// kept darker than the dimmest green the scroller prints.
void paintInfoPicture(Canvas& c) {
    const float w = static_cast<float>(c.width()), h = static_cast<float>(c.height());
    c.apply([w, h](Vec2 p, Colour) {
        const float scan = std::fmod(p.y, 2.0f) < 1.0f ? 1.0f : 0.7f;
        const float gx = std::abs(std::fmod(p.x + 8.5f, 24.0f) - 12.0f),
                    gy = std::abs(std::fmod(p.y + 4.5f, 24.0f) - 12.0f);
        const float grid = std::max(smoothstep(11.0f, 11.9f, gx), smoothstep(11.0f, 11.9f, gy));
        const Vec2 q{(p.x - w * 0.5f) / w, (p.y - h * 0.5f) / h};
        const float glow = std::exp(-dot(q, q) * 5.0f);
        const float level = (0.005f + 0.008f * glow) * scan + 0.007f * grid * (0.5f + 0.5f * glow);
        return Colour{level * 0.3f, level * 1.4f, level * 0.8f, 1};
    });
}

}  // namespace

void makeMenuArt(const std::filesystem::path& dir) {
    Canvas back(800, 600, 1, kBlack);
    paintMenuBack(back);
    savePicture(back, dir, "MenuBack.png");
    Canvas info(297, 265, 1, kBlack);
    paintInfoPicture(info);
    savePicture(info, dir, "InfoPicture.png");
}

}  // namespace assetgen
