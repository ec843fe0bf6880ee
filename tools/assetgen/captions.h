// Lettering in the game's metallic style. Every title, banner and panel caption
// goes through one recipe: halo, optional extruded depth, dark outlines, a
// chrome-like gradient down the letters and bevel lighting. The looks differ
// only in colours and sizes, which are the parameters here.
#pragma once

#include <string_view>
#include <vector>

#include "canvas.h"

namespace assetgen {

// Soft light spilling around the letters.
struct Halo {
    Colour colour;
    float sigma;
    float strength;
};

// A dark rim grown around the letters so they read on any background.
struct Outline {
    float width;
    Colour colour;
};

// Solid depth behind the letters, falling away in `step`s from `nearColour` to `farColour`.
struct Extrusion {
    int layers = 0;
    Vec2 step{};
    float thickness = 0;  // how far each layer is grown beyond the letters
    Colour nearColour{}, farColour{};
};

struct CaptionLook {
    Gradient face;                    // down the ink, from its top to its bottom
    std::vector<Halo> halos{};        // widest first
    std::vector<Outline> outlines{};  // widest first
    float bevelRadius = 0;            // 0 leaves the letters flat
    float bevelStrength = 0;
    Colour bevelHighlight = kWhite;
    float dropShadow = 0;  // offset of a soft shadow beneath; captions on a panel use it
    Extrusion depth{};
};

// Warm gold lettering with an amber halo, for small captions beside a read-out.
extern const CaptionLook kAmberCaption;

// Writes `text` in bold at em size `size` with its ink centred on `centre`, finished
// with `look`. Returns the ink box.
Box paintCaption(Canvas& c, std::string_view text, float size, Vec2 centre, float tracking, const CaptionLook& look);

// The big chrome title of the start-up screen: the largest size that fits in
// maxWidth x maxHeight, extruded and glinting. Returns the ink box.
Box paintChromeTitle(Canvas& c, std::string_view text, float maxWidth, float maxHeight, Vec2 centre, float tracking);

// A four-pointed star of light: the shine on chrome and the brightest stars in the sky.
void glint(Canvas& c, Vec2 p, Vec2 arms, float thickness, Colour colour, float opacity);

}  // namespace assetgen
