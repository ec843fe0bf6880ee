#pragma once
// What the two special stages share: the playfield with its star field, the
// player's ship with its five shots, the explosion frames, the LED digits, the
// caption overlay, and the player's controls. The ship waits until the
// player's first key or joystick move (the start of play), which sets the
// stage going; there is no pause, and Esc does nothing. The bonus stage and
// the mother-ship fight fill in the rest.
#include <cstdint>
#include <string>

#include "runtime/runtime.h"
#include "shared/game.h"
#include "shared/led_readout.h"
#include "shared/play_screen.h"
#include "shared/player_ship.h"
#include "shared/star_field.h"

namespace kv::stages {

// Where a stage puts its playfield and the player's ship on it.
struct StageLayout {
    Rect playfield;
    const char* backdrop;   // the playfield's picture, under the stars
    int playerLeft, playerTop;
};

class Stage : public Form, public PlayScreen {
public:
    Stage(Runtime& rt, Game& game, std::string name, const StageLayout& layout);

    Form& screen() override { return *this; }
    void keyDown(int key) override { scapebox_KeyDown(key, 0); }
    // The stages have no pause, and they read the pad themselves.
    bool padNavigates() const override { return false; }
    // Keys steer and fire only with keyboard control.
    void scapebox_KeyDown(int keyCode, int shift);
    void PlaySample(int channel, const std::string& file, bool looping);

    Game& game;
    SharedState& g;

    // ---- Controls ----
    PictureBox* scapebox;
    PictureBox* Player;
    Array<Image*, 1, 5> PlayBullet{};
    Image* PlayerNorm;
    Array<Image*, 1, 8> ShipExplode{};
    Image* LEDOff;
    Array<Image*, 0, 9> LED{};
    Array<Image*, 0, 1> Scape1{};

    // ---- Stage state ----
    KV_VAR(PhaserWav, std::string);
    KV_VAR(ShipExplodeWav, std::string);
    KV_VAR(StartLevelWav, std::string);
    KV_VAR(BoomWav, std::string);
    KV_VAR(GetBonusWav, std::string);
    KV_VAR(PlayerDown, Int16);                // 1 once the player's ship is destroyed
    KV_VAR(BulletOn, Array<Int16, 1, 5>);
    KV_VAR(NextBullet, Int16);
    KV_VAR(BulletsAllowed, Int16);
    KV_VAR(BulletSpeed, Int16);
    KV_VAR(PlayerSpeed, Int16);               // joystick step; a key steps 3 more
    KV_VAR(PlayerExploding, Int16);
    KV_VAR(PlayerExplodeFrame, Int16);
    KV_VAR(PlayerExplodeX, Int16);
    KV_VAR(PlayerExplodeY, Int16);
    KV_VAR(JoyDir, Int16);                    // 0 none, 1 left, 2 right
    KV_VAR(JoyFire, Int16);
    KV_VAR_GROUP(stars, StarField);            // StarX, StarY, StarDepth, StarSize

    // The ship steps up to 720 and no further; its explosion is drawn where it stands.
    PlayerShip playerShip{ShipParts{Player, PlayBullet, BulletOn.slots<1, 5>(), NextBullet, BulletsAllowed, BulletSpeed,
                                    PlayerExplodeX, PlayerExplodeY},
                          ShipRules{720, 720, 720, 0.0, 0.0}};

protected:
    // What the first input starts: the stage's own motion timers.
    virtual void startMotion() = 0;
    // The overlay the opening captions are drawn in (a control of the stage).
    virtual PictureBox& captions() = 0;

    // Loading, shared by both stages: the joystick check, the sound device,
    // the common sample paths, and the star field over the backdrop.
    void checkControlDevice();
    void openSound();
    void drawStarField();
    // The player's ship and its shots as a stage begins: three shots allowed.
    void resetShip();
    void showCaption(const std::string& text, int x, int y, int endSpacing, Font font, Color colour);

    // The start of play: the first input sets the stage going.
    void startOfPlay();
    void fire();
    // After any key, and after a joystick move: inside 0 to 720, idle shots
    // with the ship, and the explosion point recorded.
    void clampAndFollow();
    // The joystick part of the shots tick (joystick control only).
    void joystickTick();
    // Draws an explosion frame over what is there.
    void drawFrame(Surface& into, int frame, int x, int y);
    // The player's explosion on the playfield; true when its last frame is done.
    bool explodePlayer();

    LedPictures leds_;

private:
    Image& hiddenPicture(const std::string& name, const std::string& picture);
};

}  // namespace kv::stages
