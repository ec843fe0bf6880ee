#pragma once
// The joystick routines: axis ranges, position and buttons, and a count.
#include <array>
#include <cstdint>

#include "runtime/int16.h"
#include "runtime/runtime.h"
#include "shared/game_state.h"

namespace kv {

using JoyRecord = std::array<std::int32_t, 4>;

// A true result kept in a 16-bit variable reads -1, a false one 0.
constexpr Int16 asFlag(bool ok) { return ok ? -1 : 0; }

// (X min, Y min, Z min, buttons); false and the record untouched on failure.
bool JoyMinimums(Runtime& rt, Int16 joystick, JoyRecord& caps);
// (X max, Y max, Z max, buttons).
bool JoyMaximums(Runtime& rt, Int16 joystick, JoyRecord& caps);
// (X, Y, Z, button bits); true when the position could be read.
bool ReadJoystick(Runtime& rt, Int16 joystick, JoyRecord& pos);
// With onlyConnected: how many joysticks answer a position query; otherwise how
// many joystick numbers the system offers.
Int16 CountJoysticks(Runtime& rt, bool onlyConnected = true);

// The device check each playing screen makes at load when the joystick is the
// control: both ranges are read, and only the second result counts. Without it
// the player is told, and the game goes on by keyboard. Returns that result.
bool CheckJoystickAtLoad(Runtime& rt, SharedState& g);

}  // namespace kv
