// The main menu's Saved Game: the open dialog, the coded file, the range
// checks, and the game that starts from it.
#include "frontend/main_menu.h"
#include "frontend/save_code.h"
#include "runtime/file_io.h"

namespace kv::frontend {

void MainMenu::SavedButt_Click() {
    // Cancelled, the dialog keeps the name it had: that name is tried, and fails.
    if (auto chosen = rt().boxes().fileDialog(LoadSavedGame)) LoadSavedGame.fileName = *chosen;
    LoadFileName = LoadSavedGame.fileName;
    FileBytes file = readDataFile(LoadFileName, kMostSaveBytes);
    std::optional<SavedGame> saved;
    if (file.ok()) saved = readSaveFile(file.bytes, &MainMenu::sortcode);
    if (saved && saveInRange(*saved)) {
        SharedState& g = game.state;
        g.PlayerScore = saved->PlayerScore;
        g.PlayerLives = saved->PlayerLives;
        g.RadiationLevel = saved->RadiationLevel;
        g.PlanetLevel = saved->PlanetLevel;
        startGame(GameStart::Loaded);
        return;
    }
    rt().boxes().msgBox("The file " + LoadFileName + " is corrupted or has been tampered with!", "Load Failiure",
                BoxButtons::OK, BoxIcon::Exclamation);
}

}  // namespace kv::frontend
