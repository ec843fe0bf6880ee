#pragma once
// The game-wide state every screen reads and writes, under the game's own names.
#include <array>
#include <cstdint>
#include <string>

#include "runtime/fields.h"

namespace kv {

struct SharedState : Described {
    KV_VAR(AppDir, std::string);                 // ends with a path separator
    KV_VAR(ControlDevice, std::int16_t);         // 1 keyboard, 2 joystick
    KV_VAR(PlayerScore, std::int32_t);
    KV_VAR(PlayerLives, std::int16_t);
    KV_VAR(RadiationLevel, std::int16_t);
    KV_VAR(PlanetLevel, std::int16_t);
    KV_VAR(PlayerName, std::string);
    KV_VAR(SoundOn, std::int16_t);
    KV_VAR(ScoresFromMenu, std::int16_t);
    KV_VAR(OptionsChosen, std::int16_t);
    KV_VAR(GameLoaded, std::int16_t);
    KV_VAR(ShipFrozen, std::int16_t);
    KV_VAR(CheatMode, std::int16_t);
    KV_VAR(JoyCapsA, std::array<std::int32_t, 4>);   // min X, min Y, min Z, buttons
    KV_VAR(JoyCapsB, std::array<std::int32_t, 4>);   // max X, max Y, max Z, buttons
    KV_VAR(JoyPos, std::array<std::int32_t, 4>);     // X, Y, Z, button bits
    KV_VAR(SoundDevice, std::int32_t);                  // 0: no device
    KV_VAR(SoundBuffers, std::array<std::int32_t, 6>);  // per channel; 0: empty
    KV_VAR(MusicHandle, std::int32_t);
    KV_VAR(MusicFile, std::string);
    KV_VAR(ColourProbe, std::int16_t);
    KV_VAR(StartScreenWidth, std::int16_t);
    KV_VAR(StartScreenHeight, std::int16_t);
};

}  // namespace kv
