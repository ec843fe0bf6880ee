// Seven-segment LED digits for the score and counters.
#pragma once

#include <cstdint>

#include "shapes.h"

namespace assetgen {

inline constexpr int kLedWidth = 18;
inline constexpr int kLedHeight = 25;

// Segments are numbered a..g = 0..6: top, upper right, lower right, bottom,
// lower left, upper left, middle. Bit n of the result is segment n.
std::uint8_t ledSegmentsLit(int digit);
// Where the middle of a segment lands in the picture, in pixels.
Vec2 ledSegmentCentre(int segment);

}  // namespace assetgen
