// The player's ship under keys and joystick, docking at the dispenser, the
// pause, and the key handler's way to the cheat boxes.
#include <cctype>

#include "level/form1.h"
#include "media/joystick.h"
#include "runtime/keys.h"

namespace kv::level {

void Form1::keyDown(int key) { scapebox_KeyDown(key, 0); }

// Leaving the window pauses exactly where Esc would: always with the joystick,
// with the keys once the intro is over and while the ship can move.
bool Form1::pausesOnFocusLoss() const {
    if (g.ControlDevice == 2) return true;
    return g.ControlDevice == 1 && !textFX->visible() && g.ShipFrozen != 1;
}

bool Form1::carriesRod() const { return Player->picture().name == PlayerRod->picture().name; }

void Form1::fire() {
    // A ship carrying a rod cannot fire.
    if (CanFire == 0) return;
    if (playerShip.fire() && g.SoundOn == 1) PlaySample(1, PhaserWav, false);
}

void Form1::dismissIntro() {
    PickShips->setInterval(ShipPickInterval);
    PickShips->setEnabled(true);
    textFX->cls();
    textFX->setVisible(false);
}

void Form1::pause() {
    stopPlayTimers();
    g.ShipFrozen = 1;
    game.flow.pause(*this);
}

void Form1::afterMove() {
    // Docked at the dispenser: a carried rod is defused.
    if (playerShip.clamp()) {
        if (carriesRod()) {
            Player->setPicture(PlayerNorm->picture());
            g.PlayerScore += 10;
            CanFire = 1;
            print_score();
            ++RodsDefused;
            --RodsNeeded;
            print_rods();
            if (g.SoundOn == 1) PlaySample(5, DiffuseWav, false);
        }
    }
    // Idle bullets travel with the ship; waiting events run once per slot.
    for (int i = 1; i <= 5; ++i) {
        playerShip.followShip(i);
        rt().doEvents();
        if (closed()) return;
    }
    playerShip.recordExplosionPoint();
}

void Form1::scapebox_KeyDown(int keyCode, int) {
    // With the joystick, Esc pauses whatever else is going on.
    if (keyCode == vk::Escape && g.ControlDevice == 2) {
        pause();
        return;
    }
    // The cheat keys: the key code read as a character, upper-cased.
    if (g.CheatMode == 1) {
        char ch = static_cast<char>(std::toupper(static_cast<unsigned char>(keyCode & 0xFF)));
        if (ch == 'L') doLevelChange();
        if (ch == 'V') doLivesChange();
        if (closed()) return;
    }
    if (g.ControlDevice != 1) return;
    // The first key ends the intro; Esc does nothing more.
    if (textFX->visible()) {
        dismissIntro();
        if (keyCode == vk::Escape) return;
    }
    if (g.ShipFrozen == 1) return;
    switch (keyCode) {
        case vk::Control: fire(); break;
        case vk::Escape: pause(); return;
        case vk::Left: playerShip.stepLeft(PlayerSpeed + 3); break;
        case vk::Right: playerShip.stepRight(PlayerSpeed + 3); break;
        default: break;
    }
    afterMove();
}

void Form1::JoystickCont_Timer() {
    // The bonus clock runs whatever the control device.
    launchBonusBox();
    if (g.ControlDevice != 2) return;
    JoyStatus = asFlag(ReadJoystick(rt(), 0, g.JoyPos));
    if (!JoyStatus) return;
    joystickDirection(g, JoyDir, JoyFire);
    if (JoyDir == 0 && JoyFire == 0) return;
    if (textFX->visible()) dismissIntro();
    // Between the last lost life and the score table a move ends the program.
    if (g.PlayerLives < 0) {
        fadeOutAndEnd();
        return;
    }
    if (g.ShipFrozen == 1) return;
    if (JoyDir == 1) playerShip.stepLeft(PlayerSpeed);
    if (JoyDir == 2) playerShip.stepRight(PlayerSpeed);
    // A held button fires on every tick.
    if (JoyFire == 1) fire();
    afterMove();
}

void Form1::fadeOutAndEnd() {
    transitions().DoFadeOut(0);
    rt().endRun(0);
}

}  // namespace kv::level
