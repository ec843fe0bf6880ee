#pragma once
// Hiding and showing the pointer, as every screen does.
#include "runtime/runtime.h"

namespace kv {

// Hides the pointer until the display's show counter is below 0.
void HideMouse(Runtime& rt);
// Shows the pointer until the show counter is 0 or more.
void ShowMouse(Runtime& rt);

}  // namespace kv
