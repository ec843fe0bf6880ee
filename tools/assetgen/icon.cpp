// The desktop icon: the player's ship over the colony world, in a round chrome
// emblem. Big bold shapes and strong contrast so it still reads at 48 x 48.

#include <cmath>

#include "painters.h"
#include "pictures.h"
#include "space.h"

namespace assetgen {

namespace {

constexpr float kSize = 256;
constexpr Vec2 kCentre{kSize / 2, kSize / 2};
constexpr float kRadius = 122, kRing = 9;

Canvas paintIcon() {
    Canvas c(static_cast<int>(kSize), static_cast<int>(kSize), 1, kBlack);
    paintSpace(c, {.cloudScale = 0.012f, .seed = 57, .sunlight = 0.2f, .stars = 90, .brightStars = 3});
    paintPlanet(c, {128, 300}, 150);

    // Only the disc inside the ring is kept.
    c.apply([](Vec2 p, Colour col) {
        const float cover = std::clamp(kRadius - kRing * 0.5f - length(p - kCentre) + 0.5f, 0.0f, 1.0f);
        return withAlpha(col, col.a * cover);
    });

    // The player's ship, twice its size in the game, its engines lighting the planet below.
    Canvas ship(76, 66, 4);
    paintPlayerShip(ship);
    c.splat({128, 196}, 16, rgb(0xff9a30), 0.35f);
    c.composite(ship.downsampled(2), 52, 56);

    // The chrome ring round the emblem.
    Mask ring = c.newMask();
    ring.add(assetgen::ring(kCentre, kRadius - kRing * 0.5f, kRing * 0.5f));
    c.glow(ring, rgb(0x2a70ff), 2.0f, 0.5f);
    c.draw(ring, linear({0, kCentre.y - kRadius}, {0, kCentre.y + kRadius},
                        Gradient{{0, rgb(0xffffff)},
                                 {0.4f, rgb(0x9ab0d8)},
                                 {0.5f, rgb(0x34466e)},
                                 {0.6f, rgb(0x6e88b8)},
                                 {1, rgb(0x24304a)}}));
    c.shade(ring, 2.0f, 0.7f);
    c.draw(assetgen::ring(kCentre, kRadius - kRing - 0.5f, 0.8f), rgb(0x02030a), Blend::Over, 0.9f);
    return c;
}

}  // namespace

void makeIcon(const std::filesystem::path& dir) { savePicture(paintIcon(), dir, "Icon.png"); }

}  // namespace assetgen
