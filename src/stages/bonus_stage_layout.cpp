// The bonus stage's controls and timers, as laid out on the 800 x 600 frame.
#include <nlohmann/json.hpp>

#include "stages/bonus_stage.h"

namespace kv::stages {

namespace {
// The formation as it stands when the stage opens: rows of 5, 4 and 3 ships.
struct FormationPlace {
    int left, top;
};
constexpr FormationPlace kFormation[13] = {
    {0, 0},                                                               // no ship 0
    {153, 4},  {253, 4},  {352, 4},  {451, 4}, {550, 4},                  // ships 1 to 5
    {203, 79}, {303, 79}, {404, 79}, {505, 79},                           // ships 6 to 9
    {253, 155}, {355, 155}, {458, 155},                                   // ships 10 to 12
};
}  // namespace

void toJson(nlohmann::json& j, const EnemyRec& e) { j = {{"Exploding", e.Exploding}, {"FireballOut", e.FireballOut}}; }

BonusStage::BonusStage(Runtime& rt, Game& gm)
    : Stage(rt, gm, "BonusStage", StageLayout{Rect{0, 40, 800, 530}, "BonusBack", 364, 461}) {
    createControls();
    // The timers, in the order the screen creates them (ties tick in this order).
    FireBullets = &addTimer("FireBullets", 25, true, [this] { Firebullets_Timer(); });
    explosions = &addTimer("explosions", 100, true, [this] { explosions_Timer(); });
    MoveShips = &addTimer("MoveShips", 25, false, [this] { MoveShips_Timer(); });
    CountDown = &addTimer("CountDown", 1000, false, [this] { CountDown_Timer(); });
    DropBullets = &addTimer("DropBullets", kFirstFireInterval, false, [this] { DropBullets_Timer(); });
    DoWait = &addTimer("DoWait", 2000, false, [this] { DoWait_Timer(); });
}

void BonusStage::createControls() {
    PictureStore& pics = rt().pictures();
    StatusBar = &add<Image>("StatusBar", nullptr, Rect{0, 0, 800, 40});
    StatusBar->setPicture(pics.get("StageBar"));
    ScoreCaption = &add<Image>("ScoreCaption", nullptr, Rect{0, 0, 98, 40});
    ScoreCaption->setPicture(pics.get("ScoreCaption"));
    TimeCaption = &add<Image>("TimeCaption", nullptr, Rect{230, 0, 84, 40});
    TimeCaption->setPicture(pics.get("TimeCaption"));
    Score = &add<PictureBox>("Score", nullptr, Rect{101, 8, 99, 24}, kBlack);
    TimeLeft = &add<PictureBox>("TimeLeft", nullptr, Rect{317, 8, 39, 24}, kBlack);

    // Inside the playfield: the fireballs, the formation and the notice.
    for (int i = 1; i <= 12; ++i) {
        fireball[i] = &add<Image>(indexed("fireball", i), scapebox, Rect{0, 0, 29, 68});
        fireball[i]->setPicture(pics.get("fireball"));
        fireball[i]->setVisible(false);
    }
    for (int i = 1; i <= 12; ++i) {
        auto& ship = add<PictureBox>(indexed("EShip", i), scapebox,
                                     Rect{kFormation[i].left, kFormation[i].top, 89, 64}, kClear);
        ship.blendOnFrame = true;
        EShip[i] = &ship;
    }
    exLife = &add<Label>("exLife", scapebox, Rect{297, 269, 234, 56}, "Extra Life!");
    exLife->font = Font{28, true};
    exLife->align = Align::Center;
    exLife->setForeColor(Color(255, 255, 0));
    exLife->setVisible(false);

    // The caption overlay for the opening captions.
    // The caption box's dark is clear: the captions float on the nebula and
    // the formation shows beneath them.
    textFX = &add<PictureBox>("textFX", nullptr, Rect{177, 235, 656, 91}, kClear);
    textFX->blendOnFrame = true;
    textFX->setVisible(false);

    enemypic = &add<Image>("enemypic", nullptr, Rect{0, 0, 0, 0});
    enemypic->setPicture(pics.get("enemypic"));
    enemypic->setVisible(false);
}

void BonusStage::startPlayTimers() {
    FireBullets->setEnabled(true);
    MoveShips->setEnabled(true);
    CountDown->setEnabled(true);
    DropBullets->setEnabled(true);
}

void BonusStage::stopPlayTimers() {
    FireBullets->setEnabled(false);
    MoveShips->setEnabled(false);
    CountDown->setEnabled(false);
    DropBullets->setEnabled(false);
}

void BonusStage::stopAllTimers() {
    for (Timer* t : {FireBullets, explosions, MoveShips, CountDown, DropBullets, DoWait}) t->setEnabled(false);
}

}  // namespace kv::stages
