#pragma once
// The caption effect: text that flies in from a wide letter spacing, closes up
// past its resting spacing and relaxes back, one frame every 20 ms. It blocks:
// nothing else runs while a caption animates.
#include <string>
#include <vector>

#include "runtime/controls.h"
#include "runtime/runtime.h"

namespace kv {

// The letter spacings of each frame, last frame included.
std::vector<int> printFxSpacings(int noBounce, int startSpacing, int endSpacing);

// Draws on the overlay with its current font; the widened text rectangle never
// reaches past limitWidth. Returns the number of frames drawn.
int PrintFX(Runtime& rt, PictureBox& overlay, const Font& font, const std::string& text, int x, int y, int noBounce,
            int startSpacing, int endSpacing, Color colour, int limitWidth);

}  // namespace kv
