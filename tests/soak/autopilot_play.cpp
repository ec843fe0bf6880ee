// The autopilot at the controls: on the planet it catches rods, carries them
// home and shoots the bonus boxes; in the stages it chases the enemy; in a
// game it only mashes keys it does just that. Cheat mode's L and V and the
// pause come in between.
#include <algorithm>
#include <cstdlib>

#include "level/form1.h"
#include "runtime/keys.h"
#include "soak/autopilot.h"
#include "stages/bonus_stage.h"
#include "stages/boss_stage.h"

namespace kvsoak {

namespace vk = kv::vk;

namespace {
int centre(const kv::Control& c) { return c.left() + c.width() / 2; }
constexpr int kLeft = 0, kMiddle = 32767, kRight = 65535;
}  // namespace

Autopilot::Move Autopilot::steer(int shipLeft, int targetLeft, int step, bool fire) {
    const int diff = targetLeft - shipLeft;
    const int tolerance = step / 2 + 1;
    if (joystick()) {
        const int x = diff < -tolerance ? kLeft : diff > tolerance ? kRight : kMiddle;
        return {joy(x, fire), std::uint64_t(between(15, 40))};
    }
    if (diff < -tolerance) return {key(vk::Left), std::uint64_t(between(25, 45))};
    if (diff > tolerance) return {key(vk::Right), std::uint64_t(between(25, 45))};
    if (fire) return {key(vk::Control), std::uint64_t(between(30, 80))};
    return {"", 30};
}

Autopilot::Move Autopilot::mash() {
    const std::uint64_t wait = std::uint64_t(between(10, 250));
    if (joystick() && chance(0.7)) return {joy(pick(std::vector<int>{kLeft, kMiddle, kRight, between(0, 65535)}), chance(0.4)), wait};
    const double r = std::uniform_real_distribution<double>(0, 1)(rng_);
    if (r < 0.35) return {key(vk::Left), wait};
    if (r < 0.70) return {key(vk::Right), wait};
    if (r < 0.90) return {key(vk::Control), wait};
    if (r < 0.91) return {key(vk::Escape), wait};
    if (r < 0.93 && game_.state.CheatMode == 1) return {key(chance(0.5) ? 'L' : 'V'), wait};
    if (r < 0.95) return {"click " + std::to_string(between(0, 799)) + " " + std::to_string(between(0, 599)), wait};
    // Anything at all, the cheat letters' lower-case codes included.
    return {key(between(1, 254)), wait};
}

Autopilot::Move Autopilot::planet(kv::level::Form1& f) {
    const kv::SharedState& g = game_.state;
    const std::uint64_t now = rt_.now();
    // The planet's caption: a key (or a stick move) ends it.
    if (f.textFX->visible()) {
        if (now - screenSince_ < patience_) return {"", 100};
        if (joystick()) return {joy(chance(0.5) ? kLeft : kRight, false), 100};
        return {key(pick(std::vector<int>{vk::Shift, vk::Left, vk::Control, vk::Escape, vk::Space, 'A'})), 100};
    }
    if (joystick() && g.ShipFrozen == 1) {
        // With the stick, Esc pauses at any moment: the moments between
        // (a lost life, a cleared planet, game over) are where it is worth
        // trying most.
        if (chance(0.1)) {
            tally_.event("pause while the ship is frozen");
            return {key(vk::Escape), 300};
        }
        if (joyX_ != kMiddle || joyFire_) return {joy(kMiddle, false), 100};
    }
    // Cheat mode: first the planet, then the lives.
    if (!cheatsDone_) {
        cheatsDone_ = true;
        livesCheatDue_ = true;
        tally_.event("cheat keys");
        return {key('L'), 200};
    }
    if (livesCheatDue_) {
        livesCheatDue_ = false;
        return {key('V'), 200};
    }
    // Time to go: pause, then Quit.
    if (!quitting_ && now - gameStart_ > gameLength_) {
        quitting_ = true;
        tally_.event("give up a game");
    }
    if (quitting_ || chance(0.0015)) {
        if (g.ShipFrozen == 1 && g.ControlDevice == 1) return {"", 200};
        tally_.event("pause");
        return {key(vk::Escape), 300};
    }
    if (mashing_ || chance(0.03)) return mash();

    kv::PictureBox& ship = *f.Player;
    const int step = (joystick() ? f.PlayerSpeed : f.PlayerSpeed + 3);
    auto under = [&](const kv::Control& thing) { return centre(thing) - ship.width() / 2; };
    // A falling pick-up first, then the lowest rod, then home with a rod.
    if (f.BonusFalling == 1) return steer(ship.left(), under(*f.bonusbox), step, false);
    const bool carrying = f.CanFire == 0;
    if (!carrying) {
        kv::Image* lowest = nullptr;
        for (int i = 1; i <= 7; ++i) {
            if (f.Ships[i].RodFalling != 1) continue;
            kv::Image* rod = f.RadRod[i];
            if (rod->top() + rod->height() > ship.top() + 10) continue;   // too late for it
            if (!lowest || rod->top() > lowest->top()) lowest = rod;
        }
        if (lowest) return steer(ship.left(), under(*lowest), step, false);
    } else {
        return steer(ship.left(), 561, step, false);
    }
    // A bonus box in flight: stand a little ahead of it and fire.
    if (f.BonusFlying == 1 && f.bonusbox->visible()) {
        const int lead = under(*f.bonusbox) - 25;
        return steer(ship.left(), lead, step, std::abs(lead - ship.left()) < 20);
    }
    // Nothing to do: shoot a drop ship, or wander.
    for (int i = 1; i <= 7; ++i)
        if (f.Ships[i].Active == 1) return steer(ship.left(), under(*f.DropShip[i]), step, true);
    if (chance(0.1)) return steer(ship.left(), between(0, 561), step, false);
    return {joystick() ? joy(kMiddle, false) : "", 60};
}

Autopilot::Move Autopilot::bonusStage(kv::stages::BonusStage& s) {
    if (s.textFX->visible()) {
        if (rt_.now() - screenSince_ < patience_) return {"", 100};
        return joystick() ? Move{joy(kRight, false), 100} : Move{key(vk::Right), 100};
    }
    if (mashing_ || chance(0.05)) return mash();
    kv::PictureBox& ship = *s.Player;
    // The nearest ship still flying.
    int best = -1, bestDistance = 1 << 20;
    for (int i = 1; i <= 12; ++i) {
        if (!s.EShip[i]->visible() || s.Enemies[i].Exploding == 1) continue;
        const int d = std::abs(centre(*s.EShip[i]) - centre(ship));
        if (d < bestDistance) best = i, bestDistance = d;
    }
    const int step = joystick() ? s.PlayerSpeed : s.PlayerSpeed + 3;
    if (best < 0) return steer(ship.left(), ship.left(), step, false);
    return steer(ship.left(), centre(*s.EShip[best]) - ship.width() / 2, step, bestDistance < 30);
}

Autopilot::Move Autopilot::bossStage(kv::stages::BossStage& s) {
    if (s.textFX->visible()) {
        if (rt_.now() - screenSince_ < patience_) return {"", 100};
        return joystick() ? Move{joy(kLeft, false), 100} : Move{key(vk::Left), 100};
    }
    if (mashing_ || chance(0.05)) return mash();
    kv::PictureBox& ship = *s.Player;
    const int step = joystick() ? s.PlayerSpeed : s.PlayerSpeed + 3;
    // A fireball about to land on the ship: out of its way.
    for (kv::Image* ball : s.fireball) {
        if (!ball->visible() || ball->top() + ball->height() < ship.top() - 150) continue;
        if (ball->left() + ball->width() < ship.left() - 5 || ball->left() > ship.left() + ship.width() + 5) continue;
        const int away = centre(*ball) < centre(ship) ? ship.left() + 60 : ship.left() - 60;
        return steer(ship.left(), away, step, false);
    }
    // Aim ahead of it: it flies one and a half times as fast as a shot climbs.
    kv::PictureBox& boss = *s.theboss;
    const int climb = ship.top() - (boss.top() + boss.height() / 2);
    const int ahead = s.BossDir == 1 ? climb * 3 / 2 : s.BossDir == 2 ? -climb * 3 / 2 : 0;
    const int target = std::clamp(centre(boss) + ahead - ship.width() / 2, 0, 720);
    return steer(ship.left(), target, step, std::abs(target - ship.left()) < 50);
}

}  // namespace kvsoak
