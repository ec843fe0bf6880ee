#pragma once
// The music service: a tracker-module player with the seven calls the main menu
// and the end sequence make, in their order (create, bind to the music panel,
// load, seek, play; later stop and destroy). Callers ignore every result but
// the handle: a missing or damaged module leaves the screen silent and running.
// Every call is logged for the state dump.
#include <cstdint>
#include <string>

#include "runtime/form.h"
#include "shared/game.h"

namespace kv {

// The player instance behind MusicHandle; one at a time.
struct ModulePlayer {
    std::int32_t handle = 0;
    bool loop = false;              // "loop|true": the module repeats at its end
    std::string window;             // the form the player is bound to
    std::string file;               // the module loaded, as a game path
    bool loaded = false;
    bool holdsOutput = false;
    std::int32_t startMs = 0;       // where Play starts
};

// Settings are "name|value" pairs separated by spaces; only "loop" is known.
// Returns the new player's handle (0 when there is no sound output).
std::int32_t ModPlug_CreateEx(Game& game, const std::string& settings);
std::int32_t ModPlug_SetWindow(Game& game, std::int32_t handle, Form& window);
std::int32_t ModPlug_Load(Game& game, std::int32_t handle, const std::string& file);
// The position is in milliseconds from the start of the module: the title
// music's 320 skips the first third of a second.
std::int32_t ModPlug_SetCurrentPosition(Game& game, std::int32_t handle, std::int32_t position);
std::int32_t ModPlug_Play(Game& game, std::int32_t handle);
std::int32_t ModPlug_Stop(Game& game, std::int32_t handle);
std::int32_t ModPlug_Destroy(Game& game, std::int32_t handle);

// The call sequences as the screens make them.
// Main menu loading: "MODs\Intro.Mod", repeating, from 320.
void StartTitleMusic(Game& game);
// End sequence loading: "MODs\Ending.Mod", once, from 0.
void StartEndingMusic(Game& game);
// Leaving for a game, and clicking the end sequence away: stop, then destroy.
void StopMusic(Game& game);

}  // namespace kv
