// The autopilot's loop: look, check, act or wait.
#include "soak/autopilot.h"

#include <algorithm>

#include "level/form1.h"
#include "stages/bonus_stage.h"
#include "stages/boss_stage.h"

namespace kvsoak {

namespace {
bool playing(const std::string& screen) { return screen == "Form1" || screen == "BonusStage" || screen == "BossStage"; }
}  // namespace

Autopilot::Autopilot(kv::Game& game, std::uint64_t seed, Invariants& checks, Tally& tally)
    : game_(game), rt_(game.rt), rng_(seed), checks_(checks), tally_(tally) {}

std::string Autopilot::joy(int x, bool fire) {
    joyX_ = x;
    joyFire_ = fire;
    return "joy " + std::to_string(joyX_) + " 32767 " + (joyFire_ ? "1" : "0");
}

std::string Autopilot::nextLine() {
    const std::uint64_t now = std::max(rt_.now(), lastTime_);
    checks_.check();
    observe();
    Move m = owed_ ? Move{} : think();
    std::string line;
    if (!m.action.empty()) {
        // The action now; the pause after it comes as the next line.
        line = std::to_string(now) + " " + m.action + "\n";
        owed_ = true;
        owedWait_ = std::max<std::uint64_t>(m.wait, 1);
        lastTime_ = now;
        return line;
    }
    const std::uint64_t wait = owed_ ? owedWait_ : std::max<std::uint64_t>(m.wait, 1);
    owed_ = false;
    // A pause is a joystick reading that says what the stick already says.
    lastTime_ = now + wait;
    return std::to_string(lastTime_) + " joy " + std::to_string(joyX_) + " 32767 " + (joyFire_ ? "1" : "0") + "\n";
}

void Autopilot::observe() {
    const std::uint64_t now = rt_.now();
    // The screen: the top-most visible window that is not a dialog.
    std::string screen;
    const auto& forms = rt_.forms().visible();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        if ((*it)->frame == kv::FormFrame::Dialog || (*it)->name() == "ModeCheck") continue;
        screen = (*it)->name();
        break;
    }
    if (screen != screen_) {
        if (!screen.empty()) ++tally_.screens[screen];
        if (!screen_.empty() && !screen.empty()) ++tally_.handovers[screen_ + " -> " + screen];
        if (!screen.empty()) screen_ = screen;
        screenSince_ = now;
        patience_ = screen == "EndSeq" ? std::uint64_t(between(500, 40000)) : std::uint64_t(between(200, 4000));
        if (playing(screen) && !inGame_) beginGame();
        if (!playing(screen) && !screen.empty()) inGame_ = false;
    }
    // The box or dialog on top: a new one gets a fresh plan.
    std::string modal;
    if (const kv::Box* b = rt_.boxes().box()) modal = b->kind + ":" + b->title;
    else if (kv::Form* top = rt_.forms().top(); top && top->frame == kv::FormFrame::Dialog) modal = top->name();
    if (modal != modal_) {
        if (!modal.empty()) tally_.event("up: " + modal);
        modal_ = modal;
        modalSince_ = now;
        plan_.clear();
    }
}

void Autopilot::beginGame() {
    const kv::SharedState& g = game_.state;
    inGame_ = true;
    quitting_ = false;
    cheatsDone_ = g.CheatMode == 0;
    livesCheatDue_ = false;
    // Cheat games mostly go for the mother ship with lives to spare, so that
    // the fight, its end and the end sequence come round often.
    mashing_ = chance(g.CheatMode == 1 ? 0.15 : 0.3);
    gameStart_ = rt_.now();
    gameLength_ = std::uint64_t(between(2, 25)) * 60000;
    cheatPlanet_ = chance(0.7) ? 9 : between(1, 9);
    cheatLives_ = cheatPlanet_ == 9 && chance(0.75) ? 99 : pick(std::vector<int>{0, 1, 2, 5, 99});
    tally_.event(std::string("game: ") + (mashing_ ? "mashing keys" : "playing") +
                 (g.ControlDevice == 2 ? ", joystick" : ", keys") + (g.CheatMode == 1 ? ", cheat mode" : "") +
                 (g.GameLoaded == 1 ? ", loaded" : ""));
}

Autopilot::Move Autopilot::think() {
    if (const kv::Box* b = rt_.boxes().box()) return box(*b);
    kv::Form* top = rt_.forms().top();
    if (!top) return {"", 100};
    const std::string& name = top->name();
    if (name == "OptionsFRM") return options();
    if (name == "musicFRM") return musicPanel();
    if (name == "InGameOptions") return pauseDialog();
    if (name == "MainMenu") return menu();
    if (name == "HighScores" || name == "EndSeq") return clickAway();
    if (name == "Form1") return planet(dynamic_cast<kv::level::Form1&>(*top));
    if (name == "BonusStage") return bonusStage(dynamic_cast<kv::stages::BonusStage&>(*top));
    if (name == "BossStage") return bossStage(dynamic_cast<kv::stages::BossStage&>(*top));
    // Start-up: now and then a key, which it ignores.
    if (chance(0.05)) return {key(pick(std::vector<int>{13, 27, 32, 65})), 300};
    return {"", 200};
}

}  // namespace kvsoak
