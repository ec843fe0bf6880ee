// The planet screen's controls and timers, as laid out on the 800 x 600 frame.
#include "level/form1.h"

namespace kv::level {


Form1::Form1(Runtime& rt, Game& gm, Opening opening)
    : Form(rt, "Form1", 800, 600), game(gm), g(gm.state), opening_(opening) {
    createControls();
    leds_ = ledPictures();
    // The timers, in the order the screen creates them (ties tick in this order).
    droprods = &addTimer("droprods", 50, true, [this] { droprods_Timer(); });
    DropShips = &addTimer("DropShips", 80, true, [this] { DropShips_Timer(); });
    FireBullets = &addTimer("FireBullets", 10, true, [this] { Firebullets_Timer(); });
    explosions = &addTimer("explosions", 100, true, [this] { explosions_Timer(); });
    JoystickCont = &addTimer("JoystickCont", 10, true, [this] { JoystickCont_Timer(); });
    PickShips = &addTimer("PickShips", 10000, false, [this] { PickShips_Timer(); });
    EndWait = &addTimer("EndWait", 2000, false, [this] { EndWait_Timer(); });
    EndWait2 = &addTimer("EndWait2", 3000, false, [this] { EndWait2_Timer(); });
}

// The controls by screen area, in the order the screen creates them (later
// ones lie on top).
void Form1::createControls() {
    createPlayfield();
    createGroundAndGauge();
    createStatusPanel();
    createSourcePictures();
}

// The playfield, the sprites inside it, and the intro caption over it.
void Form1::createPlayfield() {
    PictureStore& pics = rt().pictures();
    scapebox = &add<PictureBox>("scapebox", nullptr, Rect{0, 0, 645, 545}, kBlack);
    for (int i = 1; i <= 7; ++i)
        RadRod[i] = &add<Image>(indexed("RadRod", i), scapebox, Rect{0, -38, 26, 38});
    for (int i = 1; i <= 5; ++i) {
        PlayBullet[i] = &add<Image>(indexed("PlayBullet", i), scapebox, Rect{0, 0, 13, 36});
        PlayBullet[i]->setPicture(pics.get("PlayBullet"));
        PlayBullet[i]->setVisible(false);
    }
    bonuslabel = &add<Label>("bonuslabel", scapebox, Rect{7, 112, 147, 37}, "No Bonus");
    bonuslabel->font = Font{20, true};
    bonuslabel->autoSize = true;
    bonuslabel->setVisible(false);
    static const int kShipLefts[8] = {0, 6, 82, 158, 234, 310, 386, 462};
    for (int i = 1; i <= 7; ++i) {
        auto& ship = add<PictureBox>(indexed("DropShip", i), scapebox, Rect{kShipLefts[i], -72, 73, 74}, kClear);
        ship.blendOnFrame = true;
        DropShip[i] = &ship;
    }
    Player = &add<PictureBox>("Player", scapebox, Rect{275, 476, 76, 66}, kClear);
    Player->blendOnFrame = true;
    bonusbox = &add<PictureBox>("bonusbox", scapebox, Rect{645, 0, 41, 16}, kClear);
    bonusbox->blendOnFrame = true;
    bonusbox->setVisible(false);

    // The intro caption overlay.
    textFX = &add<PictureBox>("textFX", nullptr, Rect{172, 214, 479, 91}, kBlack);
    textFX->setVisible(false);
}

// Under the playfield: the dispenser, the ground and the radiation gauge.
void Form1::createGroundAndGauge() {
    PictureStore& pics = rt().pictures();
    Dispenser = &add<Image>("Dispenser", nullptr, Rect{551, 545, 98, 35});
    Dispenser->setPicture(pics.get("Dispenser"));
    Scape1[0] = &add<Image>("Scape1(0)", nullptr, Rect{-42, 560, 400, 20});
    Scape1[1] = &add<Image>("Scape1(1)", nullptr, Rect{151, 560, 400, 20});
    for (Image* s : Scape1) s->setPicture(pics.get("Scape1"));
    Image1 = &add<Image>("Image1", nullptr, Rect{0, 580, 80, 20});
    Image1->setPicture(pics.get("GaugeCaption"));
    Picture1 = &add<PictureBox>("Picture1", nullptr, Rect{81, 580, 568, 20}, Color(70, 74, 90));
    RadProgress = &add<PictureBox>("RadProgress", Picture1, Rect{1, 1, RadiationMax, 18}, kBlack);
}

// The status panel and its read-outs.
void Form1::createStatusPanel() {
    PictureStore& pics = rt().pictures();
    SidePanel = &add<Image>("SidePanel", nullptr, Rect{650, 1, 150, 600});
    SidePanel->setPicture(pics.get("SidePanel"));
    Score = &add<PictureBox>("Score", nullptr, Rect{672, 61, 99, 24}, kBlack);
    Planet = &add<PictureBox>("Planet", nullptr, Rect{702, 158, 39, 24}, kBlack);
    LivesLeft = &add<PictureBox>("LivesLeft", nullptr, Rect{702, 270, 39, 24}, kBlack);
    Rods = &add<PictureBox>("Rods", nullptr, Rect{702, 390, 39, 24}, kBlack);
    RodsLeft = &add<PictureBox>("RodsLeft", nullptr, Rect{702, 496, 39, 24}, kBlack);
}

// The hidden source pictures that sprites take their looks from, and the
// boxes the game-over and planet-clear pictures are shown from.
void Form1::createSourcePictures() {
    PictureStore& pics = rt().pictures();
    auto hidden = [&](const std::string& name, const std::string& picture) {
        Image& im = add<Image>(name, nullptr, Rect{0, 0, 0, 0});
        im.setVisible(false);
        im.setPicture(pics.get(picture));
        return &im;
    };
    PlayerNorm = hidden("PlayerNorm", "PlayerNorm");
    PlayerRod = hidden("PlayerRod", "PlayerRod");
    DropShipPic = hidden("DropShipPic", "DropShipPic");
    goodrod = hidden("goodrod", "goodrod");
    badrod = hidden("badrod", "badrod");
    bonuspic = hidden("bonuspic", "bonuspic");
    goddbonuspic = hidden("goddbonuspic", "goddbonuspic");
    badbonuspic = hidden("badbonuspic", "badbonuspic");
    LEDOff = hidden("LEDOff", "LEDOff");
    for (int d = 0; d <= 9; ++d) LED[d] = hidden(indexed("LED", d), "LED" + std::to_string(d));
    for (int f = 1; f <= 7; ++f) ShipExplode[f] = hidden(indexed("ShipExplode", f), "ShipExplode" + std::to_string(f));
    for (int f = 1; f <= 8; ++f) BonExplode[f] = hidden(indexed("BonExplode", f), "BonExplode" + std::to_string(f));
    GOver = &add<PictureBox>("GOver", nullptr, Rect{0, 0, 306, 48}, kBlack);
    GOver->setPicture(pics.get("GOver"));
    GOver->setVisible(false);
    GameOverPic = &add<PictureBox>("GameOverPic", nullptr, Rect{0, 0, 306, 48}, kBlack);
    GameOverPic->setVisible(false);
    ClearSrc = &add<PictureBox>("ClearSrc", nullptr, Rect{0, 0, 416, 90}, kBlack);
    ClearSrc->setPicture(pics.get("ClearSrc"));
    ClearSrc->setVisible(false);
    ClearPic = &add<PictureBox>("ClearPic", nullptr, Rect{0, 0, 416, 90}, kBlack);
    ClearPic->setVisible(false);
}

LedPictures Form1::ledPictures() const {
    LedPictures p;
    p.off = LEDOff->picture();
    for (int d = 0; d <= 9; ++d) p.digits[std::size_t(d)] = LED[d]->picture();
    return p;
}

}  // namespace kv::level
