// Big pictures with lettering: the start-up screen, the end-of-game and
// planet-cleared banners, the high-score heading and the victory banner.

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

// Warm glowing lettering for the lines under a chrome title.
const CaptionLook kSubtitle{
    .face = Gradient{{0, rgb(0xffe8b0)}, {1, rgb(0xff9a30)}},
    .halos = {{rgb(0xff8020), 3.0f, 0.6f}},
};

// The band where the game prints its loading message; kept dark and plain.
constexpr float kMessageTop = 520, kMessageBottom = 560;

Canvas sprite(int width, int height, void (*paint)(Canvas&, Vec2), int scale) {
    Canvas big(width, height, scale * 2);
    paint(big, {});
    return big.downsampled(2);
}

void paintStartUp(Canvas& c) {
    paintSpace(c, SpaceLook{.bandTop = kMessageTop, .bandBottom = kMessageBottom});
    paintPlanet(c, {592, 342}, 150);

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

// The heading of the high-score table, over a black starfield.
void paintHiScoreTitle(Canvas& c) { paintChromeTitle(c, "HIGH SCORES", 460, 54, {250, 40}, 6); }

// The top of the victory screen: the chrome title, a flare of light under it
// and the good news in glowing gold.
void paintEndBanner(Canvas& c) {
    const Box box = paintChromeTitle(c, "MISSION ACCOMPLISHED", 730, 68, {400, 70}, 5);
    const float flareY = box.y1 + 24;
    Mask flare = c.newMask();
    flare.add(capsule({150, flareY}, {650, flareY}, 0.8f));
    c.glow(flare, rgb(0x2a70ff), 3.0f, 0.8f);
    c.draw(flare,
           linear({150, 0}, {650, 0}, Gradient{{0, rgb(0x60a0ff, 0)}, {0.5f, rgb(0xe0f0ff)}, {1, rgb(0x60a0ff, 0)}}));
    glint(c, {400, flareY}, {40, 6}, 1.2f, rgb(0xc8e4ff), 0.9f);
    const std::string_view line = "The colony worlds are safe";
    paintCaption(c, line, Font::bold().fit(line, 560, 28, 1.5f), {400, flareY + 36}, 1.5f, kSubtitle);
}

}  // namespace

void paintTitle(Canvas& c) {
    const Box box = paintChromeTitle(c, "KORVANE", 640, 112, {400, 104}, 10);
    const float size = Font::bold().fit("DEFEND THE COLONY WORLDS", 360, 16, 5);
    paintCaption(c, "DEFEND THE COLONY WORLDS", size, {400, box.y1 + 34}, 5, kSubtitle);
}

void makeTitles(const std::filesystem::path& dir) {
    Canvas startUp(800, 600, 1, kBlack);
    paintStartUp(startUp);
    savePicture(startUp, dir, "StartUp.png");
    savePicture(supersampled(306, 48, paintGameOver, 2), dir, "GOver.png");
    savePicture(supersampled(416, 90, paintPlanetCleared, 2), dir, "ClearSrc.png");
    savePicture(supersampled(500, 80, paintHiScoreTitle, 2), dir, "HiScoreTitle.png");
    savePicture(supersampled(800, 190, paintEndBanner, 1), dir, "EndBanner.png");
}

}  // namespace assetgen
