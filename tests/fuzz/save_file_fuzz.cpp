// libFuzzer entry point for the saved-game reader, as the menu's Saved Game
// calls it: any bytes are refused or give a game, and a game that was read
// saves and reads back the same. The range check decides only whether the
// menu starts it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "frontend/save_code.h"

using namespace kv::frontend;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto game = readSaveFile(bytes);
    if (!game) return 0;
    if (size > kMostSaveBytes) __builtin_trap();
    // The reader hands out what it decoded: nothing below zero.
    if (game->PlanetLevel < 0 || game->PlayerScore < 0 || game->RadiationLevel < 0 || game->PlayerLives < 0)
        __builtin_trap();
    (void)saveInRange(*game);
    auto back = readSaveFile(writeSaveFile(*game));
    if (!back || back->PlanetLevel != game->PlanetLevel || back->PlayerScore != game->PlayerScore ||
        back->RadiationLevel != game->RadiationLevel || back->PlayerLives != game->PlayerLives)
        __builtin_trap();
    return 0;
}
