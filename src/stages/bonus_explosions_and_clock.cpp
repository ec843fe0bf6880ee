// The explosions tick (ships, the player, the extra-life notice), the stage
// clock, and the way back to the planet screen.
#include <algorithm>

#include "media/sound.h"
#include "stages/bonus_stage.h"

namespace kv::stages {

namespace {
constexpr int kFireSpeedUp = 166;   // each ship down makes the formation fire sooner
}  // namespace

void BonusStage::explosions_Timer() {
    // The ships' explosions, drawn into their own boxes.
    for (int i = 1; i <= 12; ++i) {
        if (Enemies[i].Exploding != 1) continue;
        Int16& frame = ShipExplodeFrame[i];
        drawFrame(EShip[i]->canvas(), frame, roundHalfEven(14.5), roundHalfEven(4.5));
        ++frame;
        if (frame != 9) continue;
        // The interval never reaches zero: a wave is twelve ships, and the
        // twelfth puts it back to the start.
        DropBullets->setInterval(std::max(1, DropBullets->interval() - kFireSpeedUp));
        Enemies[i].Exploding = 0;
        EShip[i]->setVisible(false);
        ++ShipsDestroyed;
        if (ShipsDestroyed > 11) {
            // The wave is down: a fresh one where the formation now stands.
            MoveShips->setEnabled(false);
            for (PictureBox* ship : EShip) {
                ship->setPicture(enemypic->picture());
                ship->setVisible(true);
            }
            ShipsDestroyed = 0;
            DropBullets->setInterval(kFirstFireInterval);
            MoveShips->setEnabled(true);
            if (g.SoundOn == 1) PlaySample(5, GetBonusWav, false);
        }
    }
    // The player's explosion; two seconds after it the stage ends.
    if (PlayerExploding == 1 && explodePlayer()) {
        PlayerExploding = 0;
        explosions->setEnabled(false);
        DoWait->setEnabled(true);
    }
    // The extra-life notice fades from yellow; the life comes when it is black.
    if (LabelFading == 1) {
        exLife->setForeColor(Color(LabelRed, LabelGreen, 0));
        LabelRed = std::max<int>(0, LabelRed - 10);
        LabelGreen = std::max<int>(0, LabelGreen - 10);
        if (exLife->foreColor() == Color(0, 0, 0)) {
            exLife->setVisible(false);
            ++g.PlayerLives;
            LabelFading = 0;
        }
    }
}

void BonusStage::CountDown_Timer() {
    --SecondsLeft;
    print_time();
    // Time is up: the ship goes as if a fireball had hit it.
    if (SecondsLeft < 1) destroyPlayer(2);
}

void BonusStage::DoWait_Timer() {
    DoWait->setEnabled(false);
    game.flow.bonusStageOver();
}

}  // namespace kv::stages
