// How a planet ends: a life lost to radiation, game over, level clear, and the
// two cheat entries.
#include <cmath>
#include <cstdlib>

#include "level/form1.h"
#include "media/effects.h"
#include "media/sound.h"

namespace kv::level {

void Form1::LoseLife() {
    // 1.
    stopPlayTimers();
    // 2.
    g.ShipFrozen = 1;
    PlayerExplodeFrame = 1;
    PlayerExploding = 1;
    // 3.
    Player->setVisible(false);
    // 4.
    if (g.SoundOn == 1) PlaySample(2, ShipExplodeWav, false);
    // 5.
    g.PlayerLives = static_cast<std::int16_t>(g.PlayerLives - 1);
    print_lives();
    // 6.
    if (g.RadiationLevel >= 566) g.RadiationLevel = 0;
}

void Form1::GameOverSub() {
    // 1.
    GameOverPic->setPicture(GOver->picture());
    GameOverPic->setSize(GOver->width(), GOver->height());
    // 2.
    if (g.SoundOn == 1) {
        StopSample(1);
        PlaySample(1, GameOverWav, false);
    }
    // 3. The transition draws straight on the screen.
    scapebox->setAutoRedraw(false);
    // 4.
    int x = roundHalfEven(scapebox->width() / 2.0 - GameOverPic->width() / 2.0);
    int y = roundHalfEven(scapebox->height() / 2.0 - GameOverPic->height() / 2.0);
    transitions().DoTransition(*GameOverPic, scapebox, x, y, 5, 8);
    // 5.
    EndWait2->setEnabled(true);
}

void Form1::EndWait2_Timer() {
    // 1.
    EndWait2->setEnabled(false);
    // 2.
    transitions().DoFadeOut(0);
    // 3.
    ReleaseAllSounds(game);
    // 4.
    g.ScoresFromMenu = 0;
    // 5.
    Game& gm = game;
    unload();
    if (gm.showHighScores) gm.showHighScores(gm);
}

void Form1::LevelClear() {
    // 1.
    ClearPic->setPicture(ClearSrc->picture());
    ClearPic->setSize(ClearSrc->width(), ClearSrc->height());
    // 2.
    scapebox->setAutoRedraw(false);
    // 3. Wiped in from the top, centred on the playfield.
    int x = roundHalfEven(scapebox->width() / 2.0 - ClearPic->width() / 2.0);
    int y = roundHalfEven(scapebox->height() / 2.0 - ClearPic->height() / 2.0);
    transitions().DoTransition(*ClearPic, scapebox, x, y, 3, -1);   // parameter True
    // 4.
    EndWait->setEnabled(true);
}

void Form1::EndWait_Timer() {
    // 1.
    EndWait->setEnabled(false);
    // 2.
    transitions().DoFadeOut(0);
    // 3.
    g.PlanetLevel = static_cast<std::int16_t>(g.PlanetLevel + 1);
    // 4.
    SetLevel();
}

namespace {
// The answer as a number; nullopt for text that is not one (asked again).
std::optional<double> answerNumber(const std::optional<std::string>& answer) {
    if (!answer) return std::nullopt;
    const std::string& s = *answer;
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    if (end == s.c_str()) return std::nullopt;
    while (*end == ' ') ++end;
    if (*end != '\0' || !std::isfinite(v)) return std::nullopt;
    return v;
}
}  // namespace

void Form1::doLevelChange() {
    for (;;) {
        auto answer = rt().inputBox("Type the Level Number in!\r\rLevels 1 to 9 Only!", "You bloody cheat!",
                                    std::to_string(g.PlanetLevel));
        auto n = answerNumber(answer);
        if (!n) continue;   // not a number, or Cancel: ask again
        if (*n < 1 || *n > 9) {
            rt().msgBox("A sensible number please!", "What an Idiot!", BoxButtons::OK, BoxIcon::Exclamation);
            continue;
        }
        g.PlanetLevel = static_cast<std::int16_t>(roundHalfEven(*n));
        SetLevel();
        return;
    }
}

void Form1::doLivesChange() {
    for (;;) {
        auto answer = rt().inputBox("Enter the number of Lives you beg for!", "You bloody cheat!",
                                    std::to_string(g.PlayerLives));
        auto n = answerNumber(answer);
        if (!n) continue;
        if (*n < 0 || *n > 99) {
            rt().msgBox("A sensible number please!", "What an Idiot!", BoxButtons::OK, BoxIcon::Exclamation);
            continue;
        }
        g.PlayerLives = static_cast<std::int16_t>(roundHalfEven(*n));
        print_lives();
        return;
    }
}

}  // namespace kv::level
