// Space backdrops: the sky with its nebula and stars, and the colony planet.
// The start-up screen, the menu, both stage backdrops and the icon share them.
#pragma once

#include <cstdint>

#include "canvas.h"

namespace assetgen {

struct SpaceLook {
    Colour top = rgb(0x020309), bottom = rgb(0x070a1a);  // the sky's base colour down the picture
    // Light added by the two nebula hues where each is densest.
    Colour cloudA = rgb(0x4c0a5c), cloudB = rgb(0x052942);
    // A broad, soft glow under the clouds, for skies that are mostly empty.
    Colour haze = kClear;
    float cloudScale = 0.0042f;  // nebula features per unit; smaller is bigger clouds
    std::uint32_t seed = 31;     // the nebula's shape
    float sunlight = 0.35f;      // warm light from beyond the top-left corner
    float vignette = 0.35f;      // darkening towards the corners
    // A strip kept dark and free of stars, where the game prints a line of text.
    float bandTop = 0, bandBottom = 0;
    int stars = 1100, brightStars = 16;
    std::uint64_t starSeed = 2024;
};

// Fills the whole canvas.
void paintSpace(Canvas& c, const SpaceLook& look);

// The backdrop of a stage's playfield: the sky of `look` without sun or stars,
// since the game scrolls its own stars over it.
Canvas playfieldSky(int width, int height, SpaceLook look);

// The colony world, lit from the top left, with its atmosphere glowing around it.
void paintPlanet(Canvas& c, Vec2 centre, float radius);

}  // namespace assetgen
