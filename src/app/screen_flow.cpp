#include "app/screen_flow.h"

#include <nlohmann/json.hpp>

#include "frontend/end_seq.h"
#include "frontend/high_scores.h"
#include "frontend/in_game_options.h"
#include "frontend/main_menu.h"
#include "frontend/start_up.h"
#include "level/form1.h"
#include "media/music_form.h"
#include "media/sound.h"
#include "shared/display_mode.h"
#include "stages/boss_stage.h"
#include "stages/bonus_stage.h"

namespace kv::app {

namespace {
// The screen in play, if any: the top-most shown planet or stage.
PlayScreen* screenInPlay(Runtime& rt) {
    const auto& shown = rt.forms().visible();
    for (auto it = shown.rbegin(); it != shown.rend(); ++it)
        if (auto* p = dynamic_cast<PlayScreen*>(*it)) return p;
    return nullptr;
}

void unloadIfThere(Form* f) {
    if (f) f->unload();
}
}  // namespace

GameFlow::GameFlow(Runtime& rt) : game_(rt, *this) {
    rt.scripts().dumpHooks.push_back([this](nlohmann::json& out) { game_.describe(out); });
    rt.setCloseHandler([this] { windowClosed(); });
}

void GameFlow::begin(const Options& opt) {
    if (opt.warpPlanet || opt.warpBonus) {
        // A new game that begins at the chosen planet (the tenth is the mother
        // ship), or on planet 1 with the planet screen set aside behind the
        // bonus stage: no planet captions, and planet 2 follows the stage. It
        // takes the loaded-game road so that the planet chosen is kept.
        SharedState& g = game_.state;
        g.AppDir = game_.rt.config().appDir;
        level::startNewGame(g);
        g.PlanetLevel = opt.warpPlanet.value_or(1);
        g.GameLoaded = 1;
        if (opt.warpBonus) {
            game_.rt.load<level::Form1>(game_, level::Form1::Opening::SetAside);
            bonusStage();
        } else {
            game_.rt.load<level::Form1>(game_);
        }
        return;
    }
    frontend::openStartUp(game_);
}

void GameFlow::startUpDone() {
    frontend::openMainMenu(game_);
    unloadIfThere(game_.rt.find<frontend::StartUp>());
}

void GameFlow::startGame(GameStart start) {
    Runtime& rt = game_.rt;
    game_.state.GameLoaded = start == GameStart::Loaded ? 1 : 0;
    rt.load<level::Form1>(game_);
    unloadIfThere(rt.find<frontend::MainMenu>());
    unloadIfThere(loadedMusicPanel(game_));
    unloadIfThere(rt.find<frontend::HighScores>());
}

// The pause leaves the explosions and the waits after a planet running, so a
// playing screen can hand over while its pause dialog is up: the "BONUS
// STAGE!" name fades out, game over's wait runs out. The dialog then has
// nothing left to pause; it closes rather than stay modal beneath the next
// screen, where nothing could reach it again.
void GameFlow::endPause() { unloadIfThere(game_.rt.find<frontend::InGameOptions>()); }

void GameFlow::bonusStage() {
    ReleaseAllSounds(game_);
    endPause();
    // Hidden, the planet neither shows nor takes keys while the stage covers
    // the screen; the stage's end shows it again.
    if (auto* planet = game_.rt.find<level::Form1>()) planet->hide();
    game_.rt.load<stages::BonusStage>(game_);
}

void GameFlow::bonusStageOver() {
    Runtime& rt = game_.rt;
    level::Form1* planet = rt.find<level::Form1>();
    ReleaseAllSounds(game_);
    if (planet) CreateSoundDevice(game_, *planet);
    unloadIfThere(rt.find<stages::BonusStage>());
    // The next planet, whatever was left of this one.
    SharedState& g = game_.state;
    ++g.PlanetLevel;
    if (!planet) return;
    planet->show();
    planet->SetLevel();
}

void GameFlow::motherShip() {
    ReleaseAllSounds(game_);
    endPause();
    unloadIfThere(game_.rt.find<level::Form1>());
    game_.rt.load<stages::BossStage>(game_);
}

void GameFlow::endSequence() {
    ReleaseAllSounds(game_);
    endPause();
    game_.rt.load<frontend::EndSeq>(game_);
    unloadIfThere(game_.rt.find<stages::BossStage>());
}

void GameFlow::gameOver(PlayScreen& playing) {
    ReleaseAllSounds(game_);
    endPause();
    game_.state.ScoresFromMenu = 0;
    playing.screen().unload();
    openScores();
}

void GameFlow::quitGame(PlayScreen& playing) {
    game_.state.ScoresFromMenu = 0;
    endPause();
    playing.stopAllTimers();
    Form& screen = playing.screen();
    // A stage (left by the close button: it has no pause) lets its sounds go,
    // as its own end does, and the planet waiting behind the bonus stage goes too.
    level::Form1* planet = game_.rt.find<level::Form1>();
    if (&screen != planet) ReleaseAllSounds(game_);
    screen.unload();
    unloadIfThere(planet);
    openScores();
}

void GameFlow::endSequenceOver() {
    unloadIfThere(game_.rt.find<frontend::EndSeq>());
    openScores();
}

void GameFlow::openScores() { game_.rt.load<frontend::HighScores>(game_); }

void GameFlow::viewScores() { openScores(); }

void GameFlow::scoresViewed() { unloadIfThere(game_.rt.find<frontend::HighScores>()); }

void GameFlow::mainMenu() {
    frontend::openMainMenu(game_);
    unloadIfThere(game_.rt.find<frontend::HighScores>());
}

void GameFlow::pause(PlayScreen& playing) { frontend::InGameOptions::showModal(game_, playing); }

void GameFlow::windowClosed() {
    Runtime& rt = game_.rt;
    auto* paused = rt.find<frontend::InGameOptions>();
    PlayScreen* playing = screenInPlay(rt);
    if (paused || playing) {
        // A box that is up is answered first.
        if (rt.boxes().box()) return;
        if (paused) {
            paused->Command3_Click();
        } else if (frontend::askToLeave(game_)) {
            quitGame(*playing);
        }
        return;
    }
    // A won game's score is entered before the window goes.
    if (auto* end = rt.find<frontend::EndSeq>()) end->Form_Click();
    SharedState& g = game_.state;
    if (g.StartScreenWidth > 0 && g.StartScreenHeight > 0) SetDisplayMode(rt, g.StartScreenWidth, g.StartScreenHeight);
    rt.endRun(0);
}

}  // namespace kv::app
