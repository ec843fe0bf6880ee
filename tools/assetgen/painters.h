// Painters shared between pictures: the same ship or rod appears on its own
// sprite, carried by another sprite and on the title screen.
#pragma once

#include "canvas.h"

namespace assetgen {

enum class RodKind { Good, Bad };

// The player's ship in a 76 x 66 unit frame whose top-left is `origin`.
void paintPlayerShip(Canvas& c, Vec2 origin = {});
// The enemy drop ship in a 74 x 74 unit frame.
void paintDropShip(Canvas& c, Vec2 origin = {});
// A radioactive rod along the axis from `top` to `bottom`, `radius` wide either side.
void paintRod(Canvas& c, Vec2 top, Vec2 bottom, float radius, RodKind kind);
// A phaser bolt in a 13 x 36 unit frame.
void paintBolt(Canvas& c, Vec2 origin = {});

// Shared palette and effects.
Colour rodGlowColour(RodKind kind);
// Yellow and black warning stripes, `period` units per stripe pair.
Paint hazardStripes(float period, float slope = 1.0f);

}  // namespace assetgen
