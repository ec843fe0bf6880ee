#include "soak/invariants.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "level/form1.h"
#include "stages/bonus_stage.h"
#include "stages/boss_stage.h"

namespace kvsoak {

void Invariants::expect(bool ok, const std::string& rule, const std::string& detail) {
    ++checks_;
    if (ok || reported_[rule]) return;
    reported_[rule] = true;
    violations_.push_back(Violation{game_.rt.now(), detail.empty() ? rule : detail});
}

void Invariants::range(long v, long lo, long hi, const char* what) {
    ++checks_;
    if (v >= lo && v <= hi) return;
    --checks_;
    expect(false, what, std::string(what) + " = " + std::to_string(v) + ", outside " + std::to_string(lo) + " to " + std::to_string(hi));
}

int Invariants::check() {
    const std::uint64_t before = checks_;
    shared();
    planet();
    bonusStage();
    bossStage();
    timers();
    modals();
    scoreTable();
    return static_cast<int>(checks_ - before);
}

void Invariants::shared() {
    const kv::SharedState& g = game_.state;
    // Lives: -1 between the last explosion and the score table; the cheat box
    // gives at most 99, and pick-ups and the bonus stage add a few more.
    range(g.PlayerLives, -1, 999, "PlayerLives");
    range(g.PlayerScore, 0, 100000000, "PlayerScore");
    // A full gauge (566) costs a life and starts again at 0; a "Decrease
    // Radiation Level" below 40 goes under 0, and so does a bad rod's landing.
    range(g.RadiationLevel, -60, kv::level::RadiationMax, "RadiationLevel");
    range(g.ControlDevice, 0, 2, "ControlDevice");
    const std::pair<int, const char*> flags[] = {{g.SoundOn, "SoundOn"},       {g.CheatMode, "CheatMode"},
                                                 {g.ShipFrozen, "ShipFrozen"}, {g.GameLoaded, "GameLoaded"},
                                                 {g.ScoresFromMenu, "ScoresFromMenu"},
                                                 {g.OptionsChosen, "OptionsChosen"}};
    for (const auto& [v, name] : flags) range(v, 0, 1, name);
    kv::Runtime& rt = game_.rt;
    if (rt.find<kv::level::Form1>() || rt.find<kv::stages::BonusStage>() || rt.find<kv::stages::BossStage>())
        range(g.PlanetLevel, 1, 10, "PlanetLevel in a game");
}

void Invariants::planet() {
    auto* f = game_.rt.find<kv::level::Form1>();
    if (!f) return;
    range(f->BulletsAllowed, 1, 5, "Form1 BulletsAllowed");
    range(f->NextBullet, 1, 5, "Form1 NextBullet");
    // Past BulletsAllowed only after "Shoot 1 Bullet" took the allowance back to one.
    expect(f->NextBullet <= f->BulletsAllowed || f->BulletsAllowed == 1, "Form1 NextBullet past BulletsAllowed",
           "Form1 NextBullet " + std::to_string(f->NextBullet) + " past BulletsAllowed " +
               std::to_string(f->BulletsAllowed));
    for (int i = 0; i <= 5; ++i) range(f->BulletOn[i], 0, 1, "Form1 BulletOn");
    range(f->BonusType, 0, 18, "Form1 BonusType");
    range(f->BonusExplodeFrame, 0, 9, "Form1 BonusExplodeFrame");
    range(f->PlayerExplodeFrame, 0, 8, "Form1 PlayerExplodeFrame");
    range(f->PlayerSpeed, 5, 10000, "Form1 PlayerSpeed");
    // A planet whose rods are all in ends; until the next begins, a pause and
    // Resume (with the joystick, Esc pauses at any time) lets play go on, and
    // each rod defused then takes the count further below 0 and ends the
    // planet again. The end is always on its way, though.
    range(f->RodsNeeded, -1000, 1000, "Form1 RodsNeeded");
    expect(f->RodsNeeded > 0 || f->EndWait->enabled() || !f->shown(), "Form1 RodsNeeded at 0 without the planet ending");
    range(f->Player->left(), 0, 561, "Form1 Player left");
    for (int v : {int(f->LabelRed), int(f->LabelGreen), int(f->LabelBlue), int(f->GaugeRed), int(f->GaugeGreen)})
        range(v, 0, 255, "Form1 label or gauge colour");
    for (int i = 1; i <= 7; ++i) {
        const kv::level::DropShipRec& s = f->Ships[i];
        range(s.Active, 0, 1, "Form1 Ships().Active");
        range(s.RodFalling, 0, 1, "Form1 Ships().RodFalling");
        range(s.RodKind, 0, 2, "Form1 Ships().RodKind");
        range(s.Exploding, 0, 1, "Form1 Ships().Exploding");
        range(f->ShipExplodeFrame[i], 0, 8, "Form1 ShipExplodeFrame");
    }
    // Playing, the planet is one of the nine; set aside behind the bonus
    // stage it may already count the next.
    if (f->shown()) range(f->game.state.PlanetLevel, 1, 9, "PlanetLevel on the planet screen");
}

void Invariants::bonusStage() {
    auto* s = game_.rt.find<kv::stages::BonusStage>();
    if (!s) return;
    range(s->BulletsAllowed, 3, 3, "BonusStage BulletsAllowed");
    range(s->NextBullet, 1, 3, "BonusStage NextBullet");
    range(s->SecondsLeft, 0, 60, "BonusStage SecondsLeft");
    range(s->FleetDir, 1, 2, "BonusStage FleetDir");
    range(s->ShipsDestroyed, 0, 11, "BonusStage ShipsDestroyed");
    range(s->PlayerExplodeFrame, 0, 9, "BonusStage PlayerExplodeFrame");
    range(s->LabelRed, 0, 255, "BonusStage LabelRed");
    range(s->LabelGreen, 0, 255, "BonusStage LabelGreen");
    range(s->Player->left(), 0, 720 + 13, "BonusStage Player left");
    for (int i = 1; i <= 12; ++i) {
        range(s->Enemies[i].Exploding, 0, 1, "BonusStage Enemies().Exploding");
        range(s->Enemies[i].FireballOut, 0, 1, "BonusStage Enemies().FireballOut");
        range(s->ShipExplodeFrame[i], 0, 9, "BonusStage ShipExplodeFrame");
    }
    range(s->game.state.PlanetLevel, 1, 9, "PlanetLevel in the bonus stage");
}

void Invariants::bossStage() {
    auto* s = game_.rt.find<kv::stages::BossStage>();
    if (!s) return;
    range(s->BulletsAllowed, 3, 3, "BossStage BulletsAllowed");
    range(s->NextBullet, 1, 3, "BossStage NextBullet");
    range(s->BossDamage, 0, 25, "BossStage BossDamage");
    range(s->BossExplodeFrame, 0, 9, "BossStage BossExplodeFrame");
    range(s->BossExplodeCount, 0, 15, "BossStage BossExplodeCount");
    range(s->BossDir, 0, 2, "BossStage BossDir");
    range(s->PlayerExplodeFrame, 0, 9, "BossStage PlayerExplodeFrame");
    range(s->Player->left(), 0, 720 + 13, "BossStage Player left");
    for (int i = 1; i <= 20; ++i) range(s->Fireballs[i], 0, 1, "BossStage Fireballs()");
    range(s->game.state.PlanetLevel, 10, 10, "PlanetLevel at the mother ship");
}

void Invariants::timers() {
    kv::Runtime& rt = game_.rt;
    // Every screen is one window: never two of the same loaded at once.
    const auto& forms = rt.forms().loaded();
    for (std::size_t i = 0; i < forms.size(); ++i)
        for (std::size_t j = i + 1; j < forms.size(); ++j) {
            if (forms[i]->name() != forms[j]->name()) ++checks_;
            else expect(false, "two " + forms[i]->name() + " loaded at once");
        }
    // A screen that has closed leaves nothing behind in the dispatcher.
    for (kv::Timer* t : rt.timers().all())
        if (rt.forms().isLoaded(&t->form())) ++checks_;
        else expect(false, "timer " + t->name() + " still registered after its form was unloaded");
    // A screen that is loaded but hidden (the planet behind the bonus stage,
    // the music panel put away) runs nothing.
    for (const auto& f : rt.forms().loaded()) {
        if (rt.forms().isShown(f.get())) continue;
        for (const auto& t : f->timers())
            if (!t->enabled()) ++checks_;
            else expect(false, "timer " + f->name() + "." + t->name() + " runs while its form is hidden");
    }
}

void Invariants::modals() {
    kv::Runtime& rt = game_.rt;
    std::string now;
    if (const kv::Box* b = rt.boxes().box()) now = "the " + b->kind + " box \"" + b->title + "\"";
    else if (kv::Form* top = rt.forms().top(); top && top->frame == kv::FormFrame::Dialog) now = "the dialog " + top->name();
    if (now != modal_) {
        modal_ = now;
        modalSince_ = rt.now();
    }
    // A dialog stays on top of the screen it belongs to: one with a whole
    // screen above it can never be answered.
    bool screenAbove = false;
    const auto& shown = rt.forms().visible();
    for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
        if ((*it)->frame != kv::FormFrame::Dialog) {
            screenAbove = screenAbove || (*it)->name() != "ModeCheck";
            continue;
        }
        if (!screenAbove) ++checks_;
        else expect(false, "buried dialog", "the dialog " + (*it)->name() + " is up beneath another screen");
    }
    expect(modal_.empty() || rt.now() - modalSince_ <= kStuckModalMs, "stuck modal:" + modal_,
           modal_ + " stayed up for more than " + std::to_string(kStuckModalMs / 1000) + " s");
}

void Invariants::scoreTable() {
    namespace fs = std::filesystem;
    const fs::path path = fs::path(dataDir_) / "Data" / "score.dat";
    std::error_code ec;
    auto stamp = fs::last_write_time(path, ec);
    if (ec) return;   // no table of its own yet: the shipped one is read
    const std::int64_t t = stamp.time_since_epoch().count();
    if (t == tableStamp_) return;
    tableStamp_ = t;
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    int lines = 0;
    std::string line;
    while (std::getline(bytes, line))
        if (!line.empty() && line != "\r") ++lines;
    range(lines, 12, 12, "lines in the score table");
}

}  // namespace kvsoak
