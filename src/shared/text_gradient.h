#pragma once
// Paints a one-line caption in ten horizontal colour bands, from a start colour
// toward an end colour, 25.5 per band.
#include <string>

#include "runtime/controls.h"
#include "runtime/runtime.h"

namespace kv {

void TextGradient(Runtime& rt, const std::string& text, PictureBox& scratch, PictureBox& dest, int red1, int green1,
                  int blue1, int red2, int green2, int blue2, Color background);

}  // namespace kv
