#include "shared/game_state.h"

#include <nlohmann/json.hpp>

namespace kv {

void SharedState::describe(nlohmann::json& o) const {
    o["AppDir"] = AppDir;
    o["ControlDevice"] = ControlDevice;
    o["PlayerScore"] = PlayerScore;
    o["PlayerLives"] = PlayerLives;
    o["RadiationLevel"] = RadiationLevel;
    o["PlanetLevel"] = PlanetLevel;
    o["PlayerName"] = PlayerName;
    o["SoundOn"] = SoundOn;
    o["ScoresFromMenu"] = ScoresFromMenu;
    o["OptionsChosen"] = OptionsChosen;
    o["GameLoaded"] = GameLoaded;
    o["ShipFrozen"] = ShipFrozen;
    o["CheatMode"] = CheatMode;
    o["JoyCapsA"] = JoyCapsA;
    o["JoyCapsB"] = JoyCapsB;
    o["JoyPos"] = JoyPos;
    o["SoundDevice"] = SoundDevice;
    o["SoundBuffers"] = SoundBuffers;
    o["MusicHandle"] = MusicHandle;
    o["MusicFile"] = MusicFile;
    o["ColourProbe"] = ColourProbe;
    o["StartScreenWidth"] = StartScreenWidth;
    o["StartScreenHeight"] = StartScreenHeight;
}

}  // namespace kv
