#pragma once
// The game-wide state every screen reads and writes, under the game's own names.
#include <array>
#include <cstdint>
#include <string>

#include "runtime/fields.h"
#include "runtime/int16.h"

namespace kv {

struct SharedState : Described {
    KV_VAR(AppDir, std::string);                 // ends with a path separator
    KV_VAR(ControlDevice, Int16);                // 1 keyboard, 2 joystick
    KV_VAR(PlayerScore, std::int32_t);
    KV_VAR(PlayerLives, Int16);
    KV_VAR(RadiationLevel, Int16);
    KV_VAR(PlanetLevel, Int16);
    KV_VAR(PlayerName, std::string);
    KV_VAR(SoundOn, Int16);
    KV_VAR(ScoresFromMenu, Int16);
    KV_VAR(OptionsChosen, Int16);
    KV_VAR(GameLoaded, Int16);
    KV_VAR(ShipFrozen, Int16);
    KV_VAR(CheatMode, Int16);
    KV_VAR(JoyCapsA, std::array<std::int32_t, 4>);   // min X, min Y, min Z, buttons
    KV_VAR(JoyCapsB, std::array<std::int32_t, 4>);   // max X, max Y, max Z, buttons
    KV_VAR(JoyPos, std::array<std::int32_t, 4>);     // X, Y, Z, button bits
    KV_VAR(SoundDevice, std::int32_t);                  // 0: no device
    KV_VAR(SoundBuffers, std::array<std::int32_t, 6>);  // per channel; 0: empty
    KV_VAR(MusicHandle, std::int32_t);
    KV_VAR(MusicFile, std::string);
    KV_VAR(ColourProbe, Int16);
    KV_VAR(StartScreenWidth, Int16);
    KV_VAR(StartScreenHeight, Int16);
};

}  // namespace kv
