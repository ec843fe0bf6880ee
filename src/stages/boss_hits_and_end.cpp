// Counting the hits, the break-up, the explosions tick, and game over.
#include "media/sound.h"
#include "stages/boss_stage.h"

namespace kv::stages {

namespace {
constexpr int kHitsToDestroy = 25;
constexpr int kBreakUpExplosions = 15;
}  // namespace

void BossStage::hideFireballs() {
    for (Image* ball : fireball) ball->setVisible(false);
}

void BossStage::placeBreakUpExplosion() {
    Random& rnd = rt().random();
    BossExplodeX = static_cast<int>(rnd.rnd() * (theboss->width() - ShipExplode[1]->width()));
    BossExplodeY = static_cast<int>(rnd.rnd() * (theboss->height() - ShipExplode[1]->height()));
}

void BossStage::bosshit_Timer() {
    bosshit->setEnabled(false);
    if (g.SoundOn == 1) PlaySample(4, HitBonusWav, false);
    ++BossDamage;
    theboss->setPicture(bosspic->picture());
    if (BossDamage < kHitsToDestroy) return;
    // Destroyed: everything stops, and the break-up begins.
    FireBullets->setEnabled(false);
    DropBullets->setEnabled(false);
    MoveShip->setEnabled(false);
    bosshit->setEnabled(false);
    for (Image* shot : PlayBullet) shot->setVisible(false);
    hideFireballs();
    rt().random().randomize(rt().now());
    explosions->setInterval(20);
    placeBreakUpExplosion();
    BossExplodeFrame = 1;
    BossExplodeCount = 0;
    BossExploding = 1;
}

void BossStage::explosions_Timer() {
    // The break-up: fifteen explosions drawn into the mother ship itself.
    if (BossExploding == 1) {
        drawFrame(theboss->canvas(), BossExplodeFrame, BossExplodeX, BossExplodeY);
        ++BossExplodeFrame;
        if (BossExplodeFrame == 9) {
            ++BossExplodeCount;
            BossExplodeFrame = 1;
            if (g.SoundOn == 1) PlaySample(3, ShipExplodeWav, false);
            if (BossExplodeCount == kBreakUpExplosions) {
                BossExploding = 0;
                theboss->setVisible(false);
                FireBullets->setEnabled(false);
                DropBullets->setEnabled(false);
                MoveShip->setEnabled(false);
                bosshit->setEnabled(false);
                hideFireballs();
                explosions->setEnabled(false);
                game.flow.endSequence();
                return;
            }
            rt().random().randomize(rt().now());
            placeBreakUpExplosion();
        }
    }
    // The player's explosion: the ship comes back where it was, or the game is over.
    if (PlayerExploding == 1 && explodePlayer()) {
        PlayerExploding = 0;
        if (g.PlayerLives < 0) {
            GameOverSub();
        } else {
            Player->setVisible(true);
            PlayerDown = 0;
        }
    }
}

void BossStage::GameOverSub() {
    FireBullets->setEnabled(false);
    DropBullets->setEnabled(false);
    MoveShip->setEnabled(false);
    bosshit->setEnabled(false);
    hideFireballs();
    GameOverPic->setPicture(GOver->picture());
    if (g.SoundOn == 1) PlaySample(5, GameOverWav, false);
    // The transition draws straight on the screen.
    scapebox->setAutoRedraw(false);
    // Dissolved in, in 8-pixel blocks, centred on the playfield.
    const int x = roundHalfEven(scapebox->width() / 2.0 - GameOverPic->width() / 2.0);
    const int y = roundHalfEven(scapebox->height() / 2.0 - GameOverPic->height() / 2.0);
    transitions().DoTransition(*GameOverPic, scapebox, x, y, 5, 8);
    EndWait->setEnabled(true);
}

void BossStage::EndWait_Timer() {
    EndWait->setEnabled(false);
    transitions().DoFadeOut(0);
    explosions->setEnabled(false);
    // The score table opens to enter this game's score.
    game.flow.gameOver(*this);
}

}  // namespace kv::stages
