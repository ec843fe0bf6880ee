#include "app/screens.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "frontend/start_up.h"
#include "level/form1.h"

namespace kv::app {

namespace {
// A new game on the planet screen, as the main menu's New Game starts it.
void newGame(Game& game) {
    game.state.GameLoaded = 0;
    game.rt.load<level::Form1>(game);
}
}  // namespace

void wireScreens(Game& game) {
    // Until the main menu, the score table and the mother ship arrive, start-up
    // leads straight into a new game and a finished game returns to start-up.
    game.showMainMenu = newGame;
    game.showHighScores = [](Game& g) { frontend::openStartUp(g); };
    game.showBossStage = [](Game& g) { frontend::openStartUp(g); };

    game.rt.dumpHooks.push_back([&game](nlohmann::json& out) {
        game.state.describe(out["shared"]);
        nlohmann::json sounds = nlohmann::json::array();
        for (const auto& s : game.soundLog)
            sounds.push_back({{"time_ms", s.time}, {"channel", s.channel}, {"file", s.file}, {"looping", s.looping}});
        out["sounds"] = sounds;
        nlohmann::json music = nlohmann::json::array();
        for (const auto& m : game.musicLog) music.push_back({{"time_ms", m.time}, {"op", m.op}, {"arg", m.arg}});
        out["music"] = music;
    });
}

void startGame(Game& game, const Options& opt) {
    if (opt.warpBonus) throw std::invalid_argument("--warp bonus: the bonus stage is not in this build yet");
    if (opt.warpPlanet) {
        // A new game that begins at the chosen planet.
        SharedState& g = game.state;
        g.AppDir = game.rt.appDir();
        g.PlanetLevel = static_cast<std::int16_t>(*opt.warpPlanet);
        g.PlayerScore = 0;
        g.PlayerLives = 3;
        g.RadiationLevel = 0;
        g.GameLoaded = 1;
        game.rt.load<level::Form1>(game);
        return;
    }
    frontend::openStartUp(game);
}

}  // namespace kv::app
