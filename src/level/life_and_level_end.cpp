// How a planet ends: a life lost to radiation, game over, and level clear.
#include "level/form1.h"
#include "media/sound.h"

namespace kv::level {

void Form1::LoseLife() {
    stopPlayTimers();
    g.ShipFrozen = 1;
    // The explosion plays where the ship last stood.
    PlayerExplodeFrame = 1;
    PlayerExploding = 1;
    Player->setVisible(false);
    if (g.SoundOn == 1) PlaySample(2, ShipExplodeWav, false);
    --g.PlayerLives;
    print_lives();
    if (g.RadiationLevel >= RadiationMax) g.RadiationLevel = 0;
}

void Form1::GameOverSub() {
    GameOverPic->setPicture(GOver->picture());
    GameOverPic->setSize(GOver->width(), GOver->height());
    if (g.SoundOn == 1) {
        StopSample(1);
        PlaySample(1, GameOverWav, false);
    }
    // The transition draws straight on the screen.
    scapebox->setAutoRedraw(false);
    // Dissolved in, in 8-pixel blocks, centred on the playfield.
    int x = roundHalfEven(scapebox->width() / 2.0 - GameOverPic->width() / 2.0);
    int y = roundHalfEven(scapebox->height() / 2.0 - GameOverPic->height() / 2.0);
    transitions().DoTransition(*GameOverPic, scapebox, x, y, 5, 8);
    EndWait2->setEnabled(true);
}

void Form1::EndWait2_Timer() {
    EndWait2->setEnabled(false);
    transitions().DoFadeOut(0);
    // The score table opens to enter this game's score.
    game.flow.gameOver(*this);
}

void Form1::LevelClear() {
    ClearPic->setPicture(ClearSrc->picture());
    ClearPic->setSize(ClearSrc->width(), ClearSrc->height());
    scapebox->setAutoRedraw(false);
    // Wiped in from the top, centred on the playfield.
    int x = roundHalfEven(scapebox->width() / 2.0 - ClearPic->width() / 2.0);
    int y = roundHalfEven(scapebox->height() / 2.0 - ClearPic->height() / 2.0);
    transitions().DoTransition(*ClearPic, scapebox, x, y, 3, -1);   // parameter True
    EndWait->setEnabled(true);
}

void Form1::EndWait_Timer() {
    EndWait->setEnabled(false);
    transitions().DoFadeOut(0);
    // The next planet, or the mother ship after the ninth.
    ++g.PlanetLevel;
    SetLevel();
}

}  // namespace kv::level
