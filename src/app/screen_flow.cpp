#include "app/screen_flow.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "frontend/end_seq.h"
#include "frontend/high_scores.h"
#include "frontend/in_game_options.h"
#include "frontend/main_menu.h"
#include "frontend/start_up.h"
#include "level/form1.h"
#include "media/sound.h"

namespace kv::app {

namespace {
level::Form1* planetScreen(Runtime& rt) { return dynamic_cast<level::Form1*>(rt.findForm("Form1")); }
}  // namespace

GameFlow::GameFlow(Runtime& rt) : game_(rt, *this) {
    rt.dumpHooks.push_back([this](nlohmann::json& out) { game_.describe(out); });
}

void GameFlow::begin(const Options& opt) {
    if (opt.warpBonus) throw std::invalid_argument("--warp bonus: the bonus stage is not in this build yet");
    if (opt.warpPlanet) {
        // A new game that begins at the chosen planet.
        SharedState& g = game_.state;
        g.AppDir = game_.rt.appDir();
        g.PlanetLevel = static_cast<std::int16_t>(*opt.warpPlanet);
        g.PlayerScore = 0;
        g.PlayerLives = 3;
        g.RadiationLevel = 0;
        g.GameLoaded = 1;
        game_.rt.load<level::Form1>(game_);
        return;
    }
    startUp();
}

void GameFlow::startUp() { frontend::openStartUp(game_); }

void GameFlow::startUpDone() { mainMenu(); }

void GameFlow::mainMenu() { frontend::openMainMenu(game_); }

// The menu has set GameLoaded: the planet screen starts afresh or from the
// loaded values.
void GameFlow::newGame() { game_.rt.load<level::Form1>(game_); }

void GameFlow::loadedGame() { game_.rt.load<level::Form1>(game_); }

// Until the bonus stage is built, the planet goes on where it stood, as after
// any other pick-up.
void GameFlow::bonusStage() {
    level::Form1* f = planetScreen(game_.rt);
    if (!f) return;
    CreateSoundDevice(game_, *f);
    f->show();
    f->startPlayTimers();
    f->explosions->setEnabled(true);
    f->JoystickCont->setEnabled(true);
    f->LabelFading = 0;
    f->BonusType = 0;
    f->BonusTicks = 0;
    game_.state.ShipFrozen = 0;
}

void GameFlow::bonusStageOver() {
    level::Form1* f = planetScreen(game_.rt);
    if (!f) return;
    CreateSoundDevice(game_, *f);
    f->show();
    f->SetLevel();
}

// Until the mother ship is built, the game after the ninth planet is won.
void GameFlow::motherShip() { endSequence(); }

void GameFlow::endSequence() { game_.rt.load<frontend::EndSeq>(game_); }

void GameFlow::highScores() { game_.rt.load<frontend::HighScores>(game_); }

void GameFlow::pause(PlayScreen& playing) { frontend::InGameOptions::showModal(game_, playing); }

}  // namespace kv::app
