// Opening the planet screen, beginning a planet and putting the playfield back.
#include "level/form1.h"
#include "media/joystick.h"
#include "media/sound.h"
#include "shared/mouse.h"
#include "shared/print_fx.h"
#include "shared/registry_ctl.h"

namespace kv::level {

namespace {
// ShipPickInterval, StayTicks, RodsNeeded, BadRodsOn, BonusDelay, RodThreshold.
constexpr PlanetRow kPlanets[9] = {
    {5000, 15, 3, 0, 400, 10},  {4000, 15, 5, 0, 400, 10},  {3000, 15, 7, 0, 300, 10},
    {2500, 10, 9, 0, 250, 10},  {2000, 10, 12, 0, 200, 15}, {1500, 8, 15, 1, 100, 15},
    {1500, 8, 17, 1, 50, 20},   {1000, 7, 20, 1, 25, 5},    {750, 7, 20, 1, 20, 5},
};
const char* const kPlanetNames[9] = {"Planet 1", "Planet 2", "Planet 3", "Planet 4", "Planet 5",
                                     "Planet 6", "Planet 7", "Planet 8", "Planet 9"};
}  // namespace

const PlanetRow& planetRow(int planet) { return kPlanets[planet - 1]; }

void startNewGame(SharedState& g) {
    g.PlanetLevel = 1;
    g.PlayerScore = 0;
    g.PlayerLives = 3;
    g.RadiationLevel = 0;
}

void Form1::onLoad() {
    show();
    g.ShipFrozen = 0;
    HideMouse(rt());
    // A new game starts afresh; a loaded game keeps the values it was saved with.
    if (g.GameLoaded == 0) startNewGame(g);
    // No options chosen yet: the defaults.
    if (g.OptionsChosen == 0) {
        g.CheatMode = 0;
        ReadOwnerName(rt().registry(), "HKEY_LOCAL_MACHINE", "Software\\Microsoft\\Windows\\CurrentVersion",
                      "RegisteredOwner", g.PlayerName);
        g.ControlDevice = 1;
        g.SoundOn = 1;
    }
    // A joystick that cannot tell its range hands over to the keyboard.
    if (g.ControlDevice == 2) JoyStatus = asFlag(CheckJoystickAtLoad(rt(), g));
    CreateSoundDevice(game, *this);
    BonusWav = g.AppDir + "Samples\\Bonus.wav";
    PhaserWav = g.AppDir + "Samples\\Phaser.wav";
    ShipExplodeWav = g.AppDir + "Samples\\ShipExplode.wav";
    StartLevelWav = g.AppDir + "Samples\\Start Level.wav";
    BoomWav = g.AppDir + "Samples\\Boom.wav";
    CaughtRodWav = g.AppDir + "Samples\\CaughtRod.wav";
    DiffuseWav = g.AppDir + "Samples\\Diffuse.wav";
    DropRodWav = g.AppDir + "Samples\\DropRod.wav";
    GameOverWav = g.AppDir + "Samples\\GameOver.wav";
    HitBonusWav = g.AppDir + "Samples\\HitBonus.wav";
    GetBonusWav = g.AppDir + "Samples\\GetBonus.wav";
    rt().random().randomize(rt().now());
    stars.draw(rt().random(), scapebox->canvas(), 150, scapebox->width(), scapebox->height());
    if (opening_ == Opening::SetAside) setAside();
    else SetLevel();
}

void Form1::SetLevel() {
    ResetForm();
    textFX->cls();
    // From planet 10 on the mother ship waits.
    if (g.PlanetLevel >= 10) {
        game.flow.motherShip();
        return;
    }
    // Below planet 1 there is nothing to begin.
    if (g.PlanetLevel < 1) return;
    const PlanetRow& row = planetRow(g.PlanetLevel);
    if (g.SoundOn == 1) PlaySample(4, StartLevelWav, false);
    textFX->setVisible(true);
    ShipPickInterval = row.ShipPickInterval;
    for (DropShipRec& ship : Ships) ship.StayTicks = row.StayTicks;
    RodsDefused = 0;
    RodsNeeded = row.RodsNeeded;
    print_rods();
    print_level();
    BadRodsOn = row.BadRodsOn;
    textFX->font = Font{26, true};
    PrintFX(rt(), *textFX, textFX->font, "Now Entering", 60, 20, 0, 70, -2, Color(255, 0, 0), width);
    textFX->font = Font{12, true};
    PrintFX(rt(), *textFX, textFX->font, kPlanetNames[g.PlanetLevel - 1], 120, 60, 0, 70, 0, Color(255, 255, 255), width);
    print_radiation();
    BonusDelay = row.BonusDelay;
    RodThreshold = row.RodThreshold;
}

void Form1::paintGaugeBackground() {
    // Dim green through dark yellow to dark red; the radiation bar is drawn over it.
    Surface& c = RadProgress->canvas();
    const int h = RadProgress->height();
    double r = 0, gr = 50;
    for (int x = 0; x <= GaugeMidpoint; ++x) {
        c.line(x, 0, x, h, Color(roundHalfEven(r), roundHalfEven(gr), 0));
        if (r < 50) r += 0.25;
    }
    for (int x = GaugeMidpoint; x <= RadiationMax; ++x) {
        c.line(x, 0, x, h, Color(roundHalfEven(r), roundHalfEven(gr), 0));
        if (gr > 0) gr -= 0.25;
    }
}

void Form1::ResetForm() {
    Player->setPicture(PlayerNorm->picture());
    Player->setVisible(true);
    paintGaugeBackground();
    paintUnlit(*Score, 5, leds_);
    for (PictureBox* box : {Planet, LivesLeft, Rods, RodsLeft}) paintUnlit(*box, 2, leds_);
    // The drop ships parked above the playfield, each with its rod centred under it.
    for (int i = 1; i <= 7; ++i) {
        PictureBox& ship = *DropShip[i];
        ship.setPicture(DropShipPic->picture());
        ship.setTop(-ship.height());
        Ships[i].Active = 0;
        Ships[i].TopTicks = 0;
        Image& rod = *RadRod[i];
        rod.setTop(-rod.height());
        Ships[i].RodKind = 0;
        Ships[i].RodFalling = 0;
        rod.setLeft(roundHalfEven(ship.left() + ship.width() / 2.0 - rod.width() / 2.0));
    }
    // The player's abilities and the bonus state back to their start.
    PlayerSpeed = 10;
    BulletSpeed = 10;
    BulletsAllowed = 1;
    NextBullet = 1;
    CanFire = 1;
    BonusTicks = 0;
    BonusType = BonusFlying = BonusExploding = BonusFalling = BonusExplodeX = BonusExplodeY = 0;
    LabelFading = LabelRed = LabelGreen = LabelBlue = 0;
    bonuslabel->setVisible(false);
    // Every bullet idle, hidden at the ship's centre.
    for (int i = 1; i <= 5; ++i) {
        playerShip.centreShot(i);
        PlayBullet[i]->setVisible(false);
        BulletOn[i] = 0;
    }
    DropShips->setEnabled(true);
    droprods->setEnabled(true);
    explosions->setEnabled(true);
    JoystickCont->setEnabled(true);
    FireBullets->setEnabled(true);
    BonusTicks = 0;
    BonusType = 0;
    print_score();
    print_lives();
    print_level();
    // The bonus box waits hidden just off the playfield's right edge.
    bonusbox->setVisible(false);
    bonusbox->setPicture(Picture{});
    bonusbox->setLeft(scapebox->width());
    g.ShipFrozen = 0;
}

void Form1::PlaySample(int channel, const std::string& file, bool looping) { Play_Sound(game, file, looping, true, channel); }

void Form1::StopSample(int channel) { ReleaseChannel(game, channel); }

CEffects& Form1::transitions() {
    if (!Transitions) Transitions = std::make_unique<CEffects>(rt());
    return *Transitions;
}

}  // namespace kv::level
