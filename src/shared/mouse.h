#pragma once
// The pointer and display-mode routines every screen uses.
#include <cstdint>

#include "runtime/runtime.h"

namespace kv {

// Hides the pointer until the display's show counter is below 0.
void HideMouse(Runtime& rt);
// Shows the pointer until the show counter is 0 or more.
void ShowMouse(Runtime& rt);
// Asks for a display mode; 0 on success.
std::int32_t SetDisplayMode(Runtime& rt, std::int16_t& width, std::int16_t& height);

}  // namespace kv
