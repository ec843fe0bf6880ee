#include "app/screen_flow.h"

#include <nlohmann/json.hpp>

#include "frontend/end_seq.h"
#include "frontend/high_scores.h"
#include "frontend/in_game_options.h"
#include "frontend/main_menu.h"
#include "frontend/start_up.h"
#include "level/form1.h"
#include "media/sound.h"
#include "shared/display_mode.h"
#include "stages/boss_stage.h"
#include "stages/bonus_stage.h"

namespace kv::app {

namespace {
level::Form1* planetScreen(Runtime& rt) { return dynamic_cast<level::Form1*>(rt.findForm("Form1")); }

// The screen in play, if any: the top-most shown planet or stage.
PlayScreen* screenInPlay(Runtime& rt) {
    const auto& shown = rt.visibleForms();
    for (auto it = shown.rbegin(); it != shown.rend(); ++it)
        if (auto* p = dynamic_cast<PlayScreen*>(*it)) return p;
    return nullptr;
}
}  // namespace

GameFlow::GameFlow(Runtime& rt) : game_(rt, *this) {
    rt.dumpHooks.push_back([this](nlohmann::json& out) { game_.describe(out); });
    rt.setCloseHandler([this] { windowClosed(); });
}

void GameFlow::windowClosed() {
    Runtime& rt = game_.rt;
    auto* paused = dynamic_cast<frontend::InGameOptions*>(rt.findForm("InGameOptions"));
    PlayScreen* playing = screenInPlay(rt);
    if (paused || playing) {
        // A box that is up is answered first.
        if (rt.box()) return;
        if (paused) {
            paused->Command3_Click();
        } else if (frontend::askToLeave(game_)) {
            quitGame(*playing);
        }
        return;
    }
    // A won game's score is entered before the window goes.
    if (auto* end = dynamic_cast<frontend::EndSeq*>(rt.findForm("EndSeq"))) end->Form_Click();
    SharedState& g = game_.state;
    if (g.StartScreenWidth > 0 && g.StartScreenHeight > 0) SetDisplayMode(rt, g.StartScreenWidth, g.StartScreenHeight);
    rt.endRun(0);
}

void GameFlow::quitGame(PlayScreen& playing) {
    game_.state.ScoresFromMenu = 0;
    playing.stopAllTimers();
    Form& screen = playing.screen();
    // A stage lets its sounds go, as its own end does.
    if (&screen != planetScreen(game_.rt)) ReleaseAllSounds(game_);
    screen.unload();
    // The planet waiting behind the bonus stage goes too.
    if (level::Form1* planet = planetScreen(game_.rt)) planet->unload();
    highScores();
}

void GameFlow::begin(const Options& opt) {
    if (opt.warpPlanet || opt.warpBonus) {
        // A new game that begins at the chosen planet (the tenth is the mother
        // ship), or on planet 1 with the planet screen set aside behind the
        // bonus stage: no planet captions, and planet 2 follows the stage.
        SharedState& g = game_.state;
        g.AppDir = game_.rt.appDir();
        g.PlanetLevel = opt.warpPlanet.value_or(1);
        g.PlayerScore = 0;
        g.PlayerLives = 3;
        g.RadiationLevel = 0;
        g.GameLoaded = 1;
        if (opt.warpBonus) {
            game_.rt.load<level::Form1>(game_, level::Form1::Opening::SetAside);
            bonusStage();
        } else {
            game_.rt.load<level::Form1>(game_);
        }
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

// The pause leaves the explosions and the waits after a planet running, so a
// playing screen can hand over while its pause dialog is up: the "BONUS
// STAGE!" name fades out, game over's wait runs out. The dialog then has
// nothing left to pause; it closes rather than stay modal beneath the next
// screen, where nothing could reach it again.
void GameFlow::endPause() {
    if (Form* dialog = game_.rt.findForm("InGameOptions")) dialog->unload();
}

void GameFlow::bonusStage() {
    endPause();
    game_.rt.load<stages::BonusStage>(game_);
}

void GameFlow::bonusStageOver() {
    level::Form1* f = planetScreen(game_.rt);
    if (!f) return;
    CreateSoundDevice(game_, *f);
    f->show();
    f->SetLevel();
}

void GameFlow::motherShip() {
    endPause();
    game_.rt.load<stages::BossStage>(game_);
}

void GameFlow::endSequence() {
    endPause();
    game_.rt.load<frontend::EndSeq>(game_);
}

void GameFlow::highScores() {
    endPause();
    game_.rt.load<frontend::HighScores>(game_);
}

void GameFlow::pause(PlayScreen& playing) { frontend::InGameOptions::showModal(game_, playing); }

}  // namespace kv::app
