#pragma once
// The game-wide state every screen reads and writes, under the game's own names.
#include <array>
#include <cstdint>
#include <string>

#include <nlohmann/json_fwd.hpp>

namespace kv {

struct SharedState {
    std::string AppDir;                   // ends with a path separator
    std::int16_t ControlDevice = 0;       // 1 keyboard, 2 joystick
    std::int32_t PlayerScore = 0;
    std::int16_t PlayerLives = 0;
    std::int16_t RadiationLevel = 0;
    std::int16_t PlanetLevel = 0;
    std::string PlayerName;
    std::int16_t SoundOn = 0;
    std::int16_t ScoresFromMenu = 0;
    std::int16_t OptionsChosen = 0;
    std::int16_t GameLoaded = 0;
    std::int16_t ShipFrozen = 0;
    std::int16_t CheatMode = 0;
    std::array<std::int32_t, 4> JoyCapsA{};   // min X, min Y, min Z, buttons
    std::array<std::int32_t, 4> JoyCapsB{};   // max X, max Y, max Z, buttons
    std::array<std::int32_t, 4> JoyPos{};     // X, Y, Z, button bits
    std::int32_t SoundDevice = 0;                 // 0: no device
    std::array<std::int32_t, 6> SoundBuffers{};   // per channel; 0: empty
    std::int32_t MusicHandle = 0;
    std::string MusicFile;
    std::int16_t ColourProbe = 0;
    std::int16_t StartScreenWidth = 0;
    std::int16_t StartScreenHeight = 0;

    void describe(nlohmann::json& out) const;
};

}  // namespace kv
