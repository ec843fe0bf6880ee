#include "stages/stage.h"

#include "media/joystick.h"
#include "media/sound.h"
#include "runtime/keys.h"
#include "shared/print_fx.h"

namespace kv::stages {


Stage::Stage(Runtime& rt, Game& gm, std::string name, const StageLayout& layout)
    : Form(rt, std::move(name), 800, 600), game(gm), g(gm.state) {
    PictureStore& pics = rt.pictures();
    scapebox = &add<PictureBox>("scapebox", nullptr, layout.playfield, kBlack);
    scapebox->setPicture(pics.get(layout.backdrop));
    for (int i = 1; i <= 5; ++i) {
        PlayBullet[i] = &add<Image>(indexed("PlayBullet", i), scapebox, Rect{0, 0, 13, 36});
        PlayBullet[i]->setPicture(pics.get("PlayBullet"));
        PlayBullet[i]->setVisible(false);
    }
    Player = &add<PictureBox>("Player", scapebox, Rect{layout.playerLeft, layout.playerTop, 76, 66}, kClear);
    Player->blendOnFrame = true;
    Scape1[0] = &add<Image>("Scape1(0)", nullptr, Rect{0, 580, 400, 20});
    Scape1[1] = &add<Image>("Scape1(1)", nullptr, Rect{400, 580, 400, 20});
    for (Image* s : Scape1) s->setPicture(pics.get("Scape1"));
    PlayerNorm = &hiddenPicture("PlayerNorm", "PlayerNorm");
    for (int f = 1; f <= 8; ++f) ShipExplode[f] = &hiddenPicture(indexed("ShipExplode", f), "StageExplode" + std::to_string(f));
    LEDOff = &hiddenPicture("LEDOff", "LEDOff");
    for (int d = 0; d <= 9; ++d) LED[d] = &hiddenPicture(indexed("LED", d), "LED" + std::to_string(d));
    leds_.off = LEDOff->picture();
    for (int d = 0; d <= 9; ++d) leds_.digits[std::size_t(d)] = LED[d]->picture();
}

Image& Stage::hiddenPicture(const std::string& name, const std::string& picture) {
    Image& im = add<Image>(name, nullptr, Rect{0, 0, 0, 0});
    im.setVisible(false);
    im.setPicture(rt().pictures().get(picture));
    return im;
}

void Stage::PlaySample(int channel, const std::string& file, bool looping) { Play_Sound(game, file, looping, true, channel); }

void Stage::checkControlDevice() {
    if (g.ControlDevice == 2) CheckJoystickAtLoad(rt(), g);
}

void Stage::openSound() {
    CreateSoundDevice(game, *this);
    PhaserWav = g.AppDir + "Samples\\Phaser.wav";
    ShipExplodeWav = g.AppDir + "Samples\\ShipExplode.wav";
    StartLevelWav = g.AppDir + "Samples\\Start Level.wav";
    BoomWav = g.AppDir + "Samples\\Boom.wav";
    GetBonusWav = g.AppDir + "Samples\\GetBonus.wav";
}

void Stage::drawStarField() {
    rt().random().randomize(rt().now());
    stars.draw(rt().random(), scapebox->canvas(), 200, scapebox->width(), scapebox->height());
}

void Stage::resetShip() {
    PlayerSpeed = 10;
    BulletSpeed = 10;
    NextBullet = 1;
    BulletsAllowed = 3;
    for (int k = 1; k <= 5; ++k) {
        playerShip.centreShot(k);
        PlayBullet[k]->setVisible(false);
        BulletOn[k] = 0;
    }
}

void Stage::showCaption(const std::string& text, int x, int y, int endSpacing, Font font, Color colour) {
    PictureBox& overlay = captions();
    overlay.font = font;
    PrintFX(rt(), overlay, overlay.font, text, x, y, 0, 70, endSpacing, colour, overlay.width());
}

void Stage::startOfPlay() {
    PictureBox& overlay = captions();
    if (!overlay.visible()) return;
    startMotion();
    overlay.cls();
    overlay.setVisible(false);
}

void Stage::fire() {
    if (playerShip.fire() && g.SoundOn == 1) PlaySample(1, PhaserWav, false);
}

void Stage::clampAndFollow() {
    playerShip.clamp();
    playerShip.followShipAll();
    playerShip.recordExplosionPoint();
}

void Stage::scapebox_KeyDown(int keyCode, int) {
    if (g.ControlDevice != 1) return;
    startOfPlay();
    if (PlayerDown == 1) return;
    switch (keyCode) {
        case vk::Control: fire(); break;
        case vk::Left: playerShip.stepLeft(PlayerSpeed + 3); break;
        case vk::Right: playerShip.stepRight(PlayerSpeed + 3); break;
        default: break;   // Esc included: the special stages have no pause
    }
    clampAndFollow();
}

void Stage::joystickTick() {
    if (!ReadJoystick(rt(), 0, g.JoyPos)) return;
    joystickDirection(g, JoyDir, JoyFire);
    if (JoyFire == 0 && JoyDir == 0) return;
    startOfPlay();
    if (PlayerDown == 1) return;
    if (JoyDir == 1) playerShip.stepLeft(PlayerSpeed);
    if (JoyDir == 2) playerShip.stepRight(PlayerSpeed);
    // A held button fires on every tick.
    if (JoyFire == 1) fire();
    clampAndFollow();
}

void Stage::drawFrame(Surface& into, int frame, int x, int y) {
    if (frame >= 1 && frame <= 8) into.blit(*ShipExplode[frame]->picture().image, x, y, true);
}

bool Stage::explodePlayer() {
    drawFrame(scapebox->canvas(), PlayerExplodeFrame, PlayerExplodeX, PlayerExplodeY);
    ++PlayerExplodeFrame;
    return PlayerExplodeFrame == 9;
}

}  // namespace kv::stages
