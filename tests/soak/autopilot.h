#pragma once
// A player made of dice. It sits at the other end of the game's script: each
// time the game wants to know what comes next, it looks at the screen that is
// up and answers with one script line, either an action for now or a pause
// until it looks again. Random but seeded, it goes everywhere: menus, options
// (the cheat name, the joystick), saves and loads, pauses, the cheat keys, the
// planets, both stages, game over, the end and the score table. Some games it
// plays well enough to get somewhere, some it only mashes keys.
#include <algorithm>
#include <cstdlib>
#include <deque>
#include <map>
#include <optional>
#include <random>

#include "level/form1.h"
#include "runtime/keys.h"
#include "soak/invariants.h"
#include "stages/bonus_stage.h"
#include "stages/boss_stage.h"

namespace kvsoak {

// What a soak went through: arrivals at each screen, the hand-overs between
// them ("MainMenu -> Form1"), the boxes and dialogs met, the games played.
using Tally = std::map<std::string, long>;

class Autopilot {
public:
    Autopilot(kv::Game& game, std::uint64_t seed, Invariants& checks, Tally& tally)
        : game_(game), rt_(game.rt), rng_(seed), checks_(checks), tally_(tally) {}

    // The next script line, with its newline.
    std::string nextLine() {
        const std::uint64_t now = std::max(rt_.now(), lastTime_);
        checks_.check();
        observe();
        const Move m = owed_ ? Move{} : think();
        if (!m.action.empty()) {
            // The action now; the pause after it comes as the next line.
            owed_ = true;
            owedWait_ = std::max<std::uint64_t>(m.wait, 1);
            lastTime_ = now;
            return std::to_string(now) + " " + m.action + "\n";
        }
        // A pause is a joystick reading that says what the stick already says.
        lastTime_ = now + (owed_ ? owedWait_ : std::max<std::uint64_t>(m.wait, 1));
        owed_ = false;
        return std::to_string(lastTime_) + " " + joy(joyX_, joyFire_) + "\n";
    }

private:
    // One look at the screen: an action for now (or none) and how long until the next look.
    struct Move {
        std::string action;
        std::uint64_t wait = 50;
    };
    static constexpr int kLeft = 0, kMiddle = 32767, kRight = 65535;

    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    double roll() { return std::uniform_real_distribution<double>(0, 1)(rng_); }
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    std::uint64_t ms(int lo, int hi) { return std::uint64_t(between(lo, hi)); }
    template <class T>
    T pick(std::initializer_list<T> v) { return v.begin()[between(0, int(v.size()) - 1)]; }
    std::string pick(const std::vector<std::string>& v) { return v[std::size_t(between(0, int(v.size()) - 1))]; }
    static std::string key(int vk) { return "key " + std::to_string(vk); }
    std::string click() { return "click " + std::to_string(between(0, 799)) + " " + std::to_string(between(0, 599)); }
    std::string joy(int x, bool fire) {
        joyX_ = x;
        joyFire_ = fire;
        return "joy " + std::to_string(x) + " 32767 " + (fire ? "1" : "0");
    }
    bool joystick() const { return game_.state.ControlDevice == 2; }
    static int centre(const kv::Control& c) { return c.left() + c.width() / 2; }
    static bool playing(const std::string& s) { return s == "Form1" || s == "BonusStage" || s == "BossStage"; }

    void observe() {
        const std::uint64_t now = rt_.now();
        // The screen: the top-most visible window that is not a dialog.
        std::string screen;
        const auto& forms = rt_.forms().visible();
        for (auto it = forms.rbegin(); it != forms.rend() && screen.empty(); ++it)
            if ((*it)->frame != kv::FormFrame::Dialog && (*it)->name() != "ModeCheck") screen = (*it)->name();
        if (screen != screen_) {
            if (!screen.empty()) ++tally_[screen_.empty() ? screen : screen_ + " -> " + screen];
            if (!screen.empty()) screen_ = screen;
            screenSince_ = now;
            patience_ = screen == "EndSeq" ? ms(500, 40000) : ms(200, 4000);
            if (playing(screen) && !inGame_) beginGame();
            if (!playing(screen) && !screen.empty()) inGame_ = false;
        }
        // The box or dialog on top: a new one gets a fresh plan.
        std::string modal;
        if (const kv::Box* b = rt_.boxes().box()) modal = b->kind + ":" + b->title;
        else if (kv::Form* top = rt_.forms().top(); top && top->frame == kv::FormFrame::Dialog) modal = top->name();
        if (modal != modal_) {
            if (!modal.empty()) ++tally_["up: " + modal];
            modal_ = modal;
            modalSince_ = now;
            plan_.clear();
        }
    }

    void beginGame() {
        const kv::SharedState& g = game_.state;
        inGame_ = true;
        quitting_ = false;
        cheatsDone_ = g.CheatMode == 0;
        livesCheatDue_ = false;
        // Cheat games mostly go for the mother ship with lives to spare, so that
        // the fight, its end and the end sequence come round often.
        mashing_ = chance(g.CheatMode == 1 ? 0.15 : 0.3);
        gameStart_ = rt_.now();
        gameLength_ = ms(2, 25) * 60000;
        cheatPlanet_ = chance(0.7) ? 9 : between(1, 9);
        cheatLives_ = cheatPlanet_ == 9 && chance(0.75) ? 99 : pick({0, 1, 2, 5, 99});
        ++tally_[std::string("game: ") + (mashing_ ? "mashing keys" : "playing") + (joystick() ? ", joystick" : ", keys") +
                 (g.CheatMode == 1 ? ", cheat mode" : "") + (g.GameLoaded == 1 ? ", loaded" : "")];
    }

    Move think() {
        if (const kv::Box* b = rt_.boxes().box()) return box(*b);
        kv::Form* top = rt_.forms().top();
        if (!top) return {"", 100};
        const std::string& name = top->name();
        if (name == "OptionsFRM") return options();
        if (name == "musicFRM") return planned({chance(0.5) ? "press StopButt" : "press PlayButt",
                                                chance(0.7) ? "press HideButt" : key(kv::vk::Escape)}, 100, 2500);
        if (name == "InGameOptions") return pauseDialog();
        if (name == "MainMenu") return menu();
        if (name == "HighScores" || name == "EndSeq")
            return rt_.now() - screenSince_ < patience_ ? Move{"", 250} : Move{click(), 500};
        if (auto* f = dynamic_cast<kv::level::Form1*>(top)) return planet(*f);
        if (auto* s = dynamic_cast<kv::stages::BonusStage*>(top)) return bonusStage(*s);
        if (auto* s = dynamic_cast<kv::stages::BossStage*>(top)) return bossStage(*s);
        // Start-up: now and then a key, which it ignores.
        if (chance(0.05)) return {key(pick({13, 27, 32, 65})), 300};
        return {"", 200};
    }

    // The next line of the plan for the dialog that is up, made when it runs out.
    Move planned(std::deque<std::string> plan, int lo, int hi) {
        if (plan_.empty()) plan_ = std::move(plan);
        std::string next = plan_.front();
        plan_.pop_front();
        return {next, ms(lo, hi)};
    }

    // ---- Boxes and dialogs ----

    Move box(const kv::Box& b) {
        namespace vk = kv::vk;
        // A moment to read it.
        if (rt_.now() - modalSince_ < 100) return {"", ms(20, 600)};
        const std::uint64_t think = ms(30, 900);
        // Now and then a key that answers nothing, or a click beside the buttons.
        if (chance(0.1)) return {key(pick({vk::Tab, vk::Left, vk::Down, vk::Up, vk::Space, int('Q')})), think};
        if (chance(0.03)) return {click(), think};
        if (b.kind == "file" && b.title.find("Save") != std::string::npos) {
            if (chance(0.1)) return {chance(0.5) ? "file cancel" : key(vk::Escape), think};
            const std::string name = pick({"soak-a", "soak-b", "soak-c.kvs", "Soak D"});
            saves_.push_back(name.find('.') == std::string::npos ? name + ".kvs" : name);
            return {"file " + name, think};
        }
        if (b.kind == "file") {
            // The load dialog: a save of this session, a file that is not there,
            // the shipped score table (not a save at all), or Cancel (which tries
            // the name the dialog kept).
            const double r = roll();
            if (r < 0.6 && !saves_.empty()) return {"file " + pick(saves_), think};
            return {r < 0.7 ? "file no-such-game.kvs" : r < 0.75 ? "file Data/score.dat" : "file cancel", think};
        }
        if (b.kind == "input") {
            // The cheat boxes: mostly a fair answer, sometimes nonsense.
            std::string answer = std::to_string(b.text.find("Level") != std::string::npos ? cheatPlanet_ : cheatLives_);
            const double r = roll();
            if (r < 0.12) answer = pick({"soup", "0", "-3", "100", "4.5", "1e9", " 7"});
            return planned(r > 0.95 ? std::deque<std::string>{"press Cancel"}
                                    : std::deque<std::string>{"type " + answer, chance(0.7) ? "press OK" : key(vk::Return)},
                           30, 900);
        }
        if (b.kind == "question") {
            // Exit from the menu ends the session now and then; Quit from the
            // pause dialog mostly goes through.
            const bool yes = quitting_ || chance(screen_ == "MainMenu" ? 0.3 : 0.75);
            return {yes ? "press Yes" : (chance(0.5) ? "press No" : key(vk::Escape)), think};
        }
        return {pick({std::string("press OK"), std::string("press OK"), key(vk::Return), key(vk::Escape)}), think};
    }

    Move menu() {
        if (rt_.now() - screenSince_ < patience_) return {"", 200};
        screenSince_ = rt_.now();
        patience_ = ms(200, 3000);
        // Options more often while cheat mode is still off: the cheat name lives there.
        const double options = game_.state.CheatMode == 0 ? 0.30 : 0.15, r = roll();
        std::pair<const char*, int> c = r < 0.45 ? std::pair{"PlayButt", 248}
                                        : r < 0.45 + options ? std::pair{"OptionsButt", 368}
                                        : r < 0.60 + options ? std::pair{"SavedButt", 296}
                                        : r < 0.97 ? std::pair{"HSButt", 416} : std::pair{"ExitButt", 488};
        // By name or by a click where the button is drawn.
        if (chance(0.5)) return {std::string("press ") + c.first, 200};
        return {"click " + std::to_string(between(480, 680)) + " " + std::to_string(c.second + between(-12, 12)), 200};
    }

    Move options() {
        // The plan ran out and the dialog is still up (an empty name was
        // refused): a name, and OK.
        if (plan_.empty() && planFor_ == modal_) plan_ = {"press NameOfUser", "type Soak Pilot", "press Command2"};
        if (plan_.empty()) {
            planFor_ = modal_;
            if (chance(0.8)) {
                plan_.push_back("press NameOfUser");
                for (int i = 0; i < 13; ++i) plan_.push_back(key(kv::vk::Back));
                const double r = roll();
                const std::string name = r < 0.5 ? "Grub Toad" : r < 0.6 ? "grub TOAD" : r < 0.62 ? ""
                                       : pick({"Ace", "Ren\xc3\xa9" "e", "Quick,\"Name\"", "A Very Long Pilot Name"});
                if (!name.empty()) plan_.push_back("type " + name);
            }
            const double c = roll();
            if (c < 0.7) plan_.push_back(c < 0.4 ? "press Cjoystick" : "press CKeys");
            if (chance(0.2)) plan_.push_back("press SoundState");
            if (chance(0.15)) plan_.push_back("press Command1");   // the music panel
            plan_.push_back(chance(0.8) ? "press Command2" : key(kv::vk::Return));
        }
        return planned({}, 30, 500);
    }

    Move pauseDialog() {
        // Sometimes the player thinks it over for a while, while the timers the
        // pause leaves running go on underneath.
        if (rt_.now() - modalSince_ < 100) return {"", chance(0.2) ? ms(2000, 6000) : ms(50, 2000)};
        const std::uint64_t think = ms(50, 1500);
        if (quitting_) return {"press Command3", think};
        const double r = roll();
        // One save per pause at most: after it, back to the game.
        if (r < 0.25 && planFor_ != "saved " + std::to_string(modalSince_)) {
            planFor_ = "saved " + std::to_string(modalSince_);
            return {"press Command2", think};
        }
        if (r < 0.32) return {"press Command3", think};
        return {pick({std::string("press Command1"), key(kv::vk::Escape), key(kv::vk::Return)}), think};
    }

    // ---- At the controls ----

    // Steers the ship's left edge towards a target, firing when asked.
    Move steer(const kv::Control& ship, int target, int speed, bool fire) {
        const int diff = target - ship.left(), step = joystick() ? speed : speed + 3, tolerance = step / 2 + 1;
        if (joystick()) return {joy(diff < -tolerance ? kLeft : diff > tolerance ? kRight : kMiddle, fire), ms(15, 40)};
        if (diff < -tolerance) return {key(kv::vk::Left), ms(25, 45)};
        if (diff > tolerance) return {key(kv::vk::Right), ms(25, 45)};
        if (fire) return {key(kv::vk::Control), ms(30, 80)};
        return {"", 30};
    }

    // Anything at all, the cheat letters and their lower-case codes included.
    Move mash() {
        namespace vk = kv::vk;
        const std::uint64_t wait = ms(10, 250);
        if (joystick() && chance(0.7)) return {joy(pick({kLeft, kMiddle, kRight, between(0, 65535)}), chance(0.4)), wait};
        const double r = roll();
        if (r < 0.9) return {key(r < 0.35 ? vk::Left : r < 0.7 ? vk::Right : vk::Control), wait};
        if (r < 0.91) return {key(vk::Escape), wait};
        if (r < 0.93 && game_.state.CheatMode == 1) return {key(chance(0.5) ? 'L' : 'V'), wait};
        if (r < 0.95) return {click(), wait};
        return {key(between(1, 254)), wait};
    }

    // A caption up: a key (or a stick move) ends it once the player has looked.
    std::optional<Move> caption(const kv::Control& textFX, int vk, int x) {
        if (!textFX.visible()) return std::nullopt;
        if (rt_.now() - screenSince_ < patience_) return Move{"", 100};
        return joystick() ? Move{joy(x, false), 100} : Move{key(vk), 100};
    }

    // On the planet it catches rods, carries them home and shoots the bonus
    // boxes; cheat mode's L and V and the pause come in between.
    Move planet(kv::level::Form1& f) {
        namespace vk = kv::vk;
        const kv::SharedState& g = game_.state;
        if (auto m = caption(*f.textFX, pick({vk::Shift, vk::Left, vk::Control, vk::Escape, vk::Space, int('A')}),
                             chance(0.5) ? kLeft : kRight))
            return *m;
        if (joystick() && g.ShipFrozen == 1) {
            // With the stick, Esc pauses at any moment: the moments between
            // (a lost life, a cleared planet, game over) are where it is worth
            // trying most.
            if (chance(0.1)) return {key(vk::Escape), 300};
            if (joyX_ != kMiddle || joyFire_) return {joy(kMiddle, false), 100};
        }
        // Cheat mode: first the planet, then the lives.
        if (!cheatsDone_) {
            cheatsDone_ = livesCheatDue_ = true;
            return {key('L'), 200};
        }
        if (livesCheatDue_) {
            livesCheatDue_ = false;
            return {key('V'), 200};
        }
        // Time to go: pause, then Quit.
        quitting_ = quitting_ || rt_.now() - gameStart_ > gameLength_;
        if (quitting_ || chance(0.0015))
            return g.ShipFrozen == 1 && g.ControlDevice == 1 ? Move{"", 200} : Move{key(vk::Escape), 300};
        if (mashing_ || chance(0.03)) return mash();

        const kv::PictureBox& ship = *f.Player;
        auto under = [&](const kv::Control& thing) { return centre(thing) - ship.width() / 2; };
        // A falling pick-up first, then the lowest rod, then home with a rod.
        if (f.BonusFalling == 1) return steer(ship, under(*f.bonusbox), f.PlayerSpeed, false);
        if (f.CanFire == 0) return steer(ship, 561, f.PlayerSpeed, false);
        const kv::Image* lowest = nullptr;
        for (int i = 1; i <= 7; ++i) {
            const kv::Image* rod = f.RadRod[i];
            if (f.Ships[i].RodFalling != 1 || rod->top() + rod->height() > ship.top() + 10) continue;   // none, or too late
            if (!lowest || rod->top() > lowest->top()) lowest = rod;
        }
        if (lowest) return steer(ship, under(*lowest), f.PlayerSpeed, false);
        // A bonus box in flight: stand a little ahead of it and fire.
        if (f.BonusFlying == 1 && f.bonusbox->visible()) {
            const int lead = under(*f.bonusbox) - 25;
            return steer(ship, lead, f.PlayerSpeed, std::abs(lead - ship.left()) < 20);
        }
        // Nothing to do: shoot a drop ship, or wander.
        for (int i = 1; i <= 7; ++i)
            if (f.Ships[i].Active == 1) return steer(ship, under(*f.DropShip[i]), f.PlayerSpeed, true);
        if (chance(0.1)) return steer(ship, between(0, 561), f.PlayerSpeed, false);
        return {joystick() ? joy(kMiddle, false) : "", 60};
    }

    // In the bonus stage it chases the nearest ship still flying.
    Move bonusStage(kv::stages::BonusStage& s) {
        if (auto m = caption(*s.textFX, kv::vk::Right, kRight)) return *m;
        if (mashing_ || chance(0.05)) return mash();
        const kv::PictureBox& ship = *s.Player;
        int best = -1, bestDistance = 1 << 20;
        for (int i = 1; i <= 12; ++i) {
            const int d = std::abs(centre(*s.EShip[i]) - centre(ship));
            if (s.EShip[i]->visible() && s.Enemies[i].Exploding != 1 && d < bestDistance) best = i, bestDistance = d;
        }
        if (best < 0) return steer(ship, ship.left(), s.PlayerSpeed, false);
        return steer(ship, centre(*s.EShip[best]) - ship.width() / 2, s.PlayerSpeed, bestDistance < 30);
    }

    // At the mother ship it steps out from under a fireball about to land,
    // else aims ahead of the ship, which flies one and a half times as fast as
    // a shot climbs.
    Move bossStage(kv::stages::BossStage& s) {
        if (auto m = caption(*s.textFX, kv::vk::Left, kLeft)) return *m;
        if (mashing_ || chance(0.05)) return mash();
        const kv::PictureBox& ship = *s.Player;
        for (const kv::Image* ball : s.fireball) {
            if (!ball->visible() || ball->top() + ball->height() < ship.top() - 150) continue;
            if (ball->left() + ball->width() < ship.left() - 5 || ball->left() > ship.left() + ship.width() + 5) continue;
            return steer(ship, centre(*ball) < centre(ship) ? ship.left() + 60 : ship.left() - 60, s.PlayerSpeed, false);
        }
        const kv::PictureBox& boss = *s.theboss;
        const int climb = ship.top() - (boss.top() + boss.height() / 2);
        const int ahead = s.BossDir == 1 ? climb * 3 / 2 : s.BossDir == 2 ? -climb * 3 / 2 : 0;
        const int target = std::clamp(centre(boss) + ahead - ship.width() / 2, 0, 720);
        return steer(ship, target, s.PlayerSpeed, std::abs(target - ship.left()) < 50);
    }

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
    std::string screen_, modal_;       // the screen and the box or dialog seen at the last look
    std::uint64_t modalSince_ = 0, screenSince_ = 0;
    int joyX_ = kMiddle;
    bool joyFire_ = false;

    // The game in progress: how it is played and when the autopilot gives up.
    bool inGame_ = false, mashing_ = false, quitting_ = false;
    bool cheatsDone_ = false, livesCheatDue_ = false;
    int cheatPlanet_ = 9, cheatLives_ = 99;
    std::uint64_t gameStart_ = 0, gameLength_ = 0;
    std::vector<std::string> saves_;   // files saved so far this session
};

}  // namespace kvsoak
