// Painters shared between pictures: the same ship or rod appears on its own
// sprite, carried by another sprite and on the title screen.
#pragma once

#include <optional>

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

// How a piece of armour is finished; the defaults are the aliens' violet plating.
struct Plating {
    Paint fill;
    float bevel = 1.6f, bevelStrength = 0.6f;  // edge lighting from the top left
    Colour highlight = rgb(0xe8c8ff);
    Colour seam = rgb(0x0d0612);  // grooves between the plates
    float seamOpacity = 0.8f;
};
// Fills the piece, cuts the seams into it (kept inside the piece) and bevels its
// edges. Returns the piece's mask for any further detail.
Mask paintPlate(Canvas& c, const Shape& piece, const Plating& look, const std::optional<Shape>& seams = {});

// Panel hardware, shared by the side panel and the stages' status strip.
// Brushed dark steel filling `area`, its edges bevelled `bevel` units deep.
void paintGunmetal(Canvas& c, Box area, float bevel);
void paintScrew(Canvas& c, Vec2 centre, float angle);
// A dark well sunk `depth` units into the panel, lit from the top left, its
// floor shading down to `floor`.
void paintWell(Canvas& c, Box area, float depth, Colour floor = rgb(0x1a2030));
// A machined groove along y from x0 to x1.
void paintGroove(Canvas& c, float x0, float x1, float y);
void paintLamp(Canvas& c, Vec2 centre, Colour colour);
void paintHazardPlate(Canvas& c, Box area);

// The KORVANE title and its subtitle across the top of an 800 unit wide screen.
void paintTitle(Canvas& c);

// Shared palette and effects.
Colour rodGlowColour(RodKind kind);
// Yellow and black warning stripes, `period` units per stripe pair.
Paint hazardStripes(float period, float slope = 1.0f);

}  // namespace assetgen
