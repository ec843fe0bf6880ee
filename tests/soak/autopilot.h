#pragma once
// A player made of dice. It sits at the other end of the game's script: each
// time the game wants to know what comes next, it looks at the screen that is
// up and answers with one script line, either an action for now or a pause
// until it looks again. Random but seeded, it goes everywhere: menus, options
// (the cheat name, the joystick), saves and loads, pauses, the cheat keys, the
// planets, both stages, game over, the end and the score table. Some games it
// plays well enough to get somewhere, some it only mashes keys.
#include <cstdint>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "shared/game.h"
#include "soak/invariants.h"
#include "soak/tally.h"

namespace kv::level {
class Form1;
}
namespace kv::stages {
class BonusStage;
class BossStage;
}

namespace kvsoak {

class Autopilot {
public:
    Autopilot(kv::Game& game, std::uint64_t seed, Invariants& checks, Tally& tally);
    // The next script line, with its newline.
    std::string nextLine();

private:
    // One look at the screen: an action for now (or none) and how long until the next look.
    struct Move {
        std::string action;
        std::uint64_t wait = 50;
    };
    Move think();
    void observe();
    void beginGame();

    // Screens (autopilot_screens.cpp).
    Move box(const kv::Box& b);
    Move menu();
    Move options();
    Move musicPanel();
    Move pauseDialog();
    Move clickAway();

    // Play (autopilot_play.cpp).
    Move planet(kv::level::Form1& f);
    Move bonusStage(kv::stages::BonusStage& s);
    Move bossStage(kv::stages::BossStage& s);
    // Steers the ship's left edge towards a target, firing when asked.
    Move steer(int shipLeft, int targetLeft, int step, bool fire);
    Move mash();
    bool joystick() const { return game_.state.ControlDevice == 2; }

    // Dice.
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    template <class T>
    const T& pick(const std::vector<T>& v) { return v[std::size_t(between(0, int(v.size()) - 1))]; }

    static std::string key(int vk) { return "key " + std::to_string(vk); }
    std::string joy(int x, bool fire);

    kv::Game& game_;
    kv::Runtime& rt_;
    std::mt19937_64 rng_;
    Invariants& checks_;
    Tally& tally_;

    std::uint64_t lastTime_ = 0;
    bool owed_ = false;                // an action went out: its pause comes next
    std::uint64_t owedWait_ = 0;
    std::uint64_t patience_ = 0;       // how long to look at a screen before acting
    std::deque<std::string> plan_;     // lines still to come for the dialog that is up
    std::string planFor_;              // the dialog the plan belongs to
    std::string screen_;               // the screen seen at the last look
    std::string modal_;                // the box or dialog seen at the last look
    std::uint64_t modalSince_ = 0;
    std::uint64_t screenSince_ = 0;
    int joyX_ = 32767;
    bool joyFire_ = false;

    // The game in progress: how it is played and when the autopilot gives up.
    bool inGame_ = false;
    bool mashing_ = false;             // only random keys this game
    bool cheatsDone_ = false;
    bool livesCheatDue_ = false;
    int cheatPlanet_ = 9, cheatLives_ = 99;
    std::uint64_t gameStart_ = 0, gameLength_ = 0;
    bool quitting_ = false;
    std::vector<std::string> saves_;   // files saved so far this session
};

}  // namespace kvsoak
