#pragma once
// LED read-outs: digit pictures copied into a read-out box, right-aligned, no
// leading zeros.
#include <array>
#include <cstdint>
#include <vector>

#include "runtime/controls.h"
#include "runtime/picture.h"

namespace kv {

// What each of the n cells shows, left to right: a digit 0-9, or -1 for unlit.
// The value is formatted as a decimal number with a leading space (or a minus
// sign); only texts of 2 to n + 1 characters are drawn, and a character that is
// not a digit (the minus sign) is drawn as 0.
std::vector<int> ledCells(std::int64_t value, int cells);

struct LedPictures {
    Picture off;
    std::array<Picture, 10> digits;
};

// Cells sit at x = 1, 21, 41, ... (20-pixel pitch), y = 0.
void paintReadout(PictureBox& box, int cells, std::int64_t value, const LedPictures& pics);
// Paints the unlit picture into every cell.
void paintUnlit(PictureBox& box, int cells, const LedPictures& pics);

}  // namespace kv
