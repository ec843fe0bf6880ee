#pragma once
// Switching the display mode: to 800 x 600 at start-up when the screen needs
// it, and back to what start-up found when the player leaves.
#include <cstdint>

#include "runtime/int16.h"
#include "runtime/runtime.h"

namespace kv {

// Asks for a display mode; 0 on success.
std::int32_t SetDisplayMode(Runtime& rt, Int16& width, Int16& height);

}  // namespace kv
