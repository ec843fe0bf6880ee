// Bonus boxes: the flight across the playfield, the revealed pick-up drifting
// down, the catch with its ten effects, and the fading name.
#include "level/form1.h"
#include <algorithm>

#include "media/sound.h"

namespace kv::level {

namespace {
struct BonusName {
    const char* name;
    Color colour;
};
const Color kGood{0, 200, 0}, kStage{255, 255, 0}, kBad{255, 0, 0};

BonusName bonusName(int kind) {
    switch (kind) {
        case 1: case 11: return {"Decrease Radiation Level", kGood};
        case 2: case 12: return {"EXTRA LIFE!", kGood};
        case 3: case 13: return {"Faster Movement", kGood};
        case 4: case 14: case 15: case 18: return {"BONUS STAGE!", kStage};
        case 5: case 16: return {"100 Points", kGood};
        case 6: case 17: return {"Shoot 1 extra bullet", kGood};
        case 7: return {"Complete Level", kGood};
        case 8: return {"Increase Radiation Level", kBad};
        case 9: return {"Slower Movement", kBad};
        case 10: return {"Shoot 1 Bullet", kBad};
        default: return {nullptr, kBad};
    }
}
bool isBonusStage(int kind) { return kind == 4 || kind == 14 || kind == 15 || kind == 18; }
}  // namespace

void Form1::clearPickup() {
    bonusbox->setVisible(false);
    bonusbox->setPicture(Picture{});
    bonusbox->setLeft(scapebox->width());
}

void Form1::droprodsBonus() {
    Random& rnd = rt().random();
    // Flight.
    if (BonusFlying == 1) {
        bonusbox->setLeft(bonusbox->left() - 5);
        if (bonusbox->left() < -bonusbox->width()) {
            // The box got away.
            bonusbox->setVisible(false);
            bonusbox->setPicture(Picture{});
            BonusFlying = BonusExploding = 0;
            BonusTicks = 0;
            BonusType = 0;
        }
        BonusExplodeX = static_cast<std::int16_t>(roundHalfEven(bonusbox->left() - 7.5));
        BonusExplodeY = static_cast<std::int16_t>(roundHalfEven(bonusbox->top() - 18.5));
    }
    // Fall.
    if (BonusFalling == 1) {
        PictureBox& p = *bonusbox;
        // 1. A random drift left or right.
        rnd.randomize(rt().now());
        int r = static_cast<int>(rnd.rnd() * 100) + 1;
        if (r <= 49 && p.left() > 0) p.setLeft(p.left() - 5);
        if (r >= 50 && p.left() + p.width() < 649) p.setLeft(p.left() + 5);
        // 2.
        p.setTop(p.top() + 8);
        // 3. The catch.
        if (p.left() > Player->left() && Player->left() + Player->width() > p.left() + p.width() &&
            p.top() + p.height() > Player->top() && p.top() < Player->top()) {
            BonusFlying = BonusFalling = BonusExploding = BonusExplodeX = BonusExplodeY = 0;
            clearPickup();
            applyBonusEffect();
            if (!rt().isLoaded(this)) return;
            if (g.SoundOn == 1) PlaySample(3, GetBonusWav, false);
            print_bonustype();
        }
        // 4. Lost at the bottom.
        if (p.top() > scapebox->height()) {
            BonusFlying = BonusFalling = BonusExploding = BonusExplodeX = BonusExplodeY = 0;
            LabelFading = 0;
            BonusType = 0;
            BonusTicks = 0;
            clearPickup();
        }
    }
}

void Form1::applyBonusEffect() {
    switch (BonusType) {
        case 1: case 11:
            if (g.RadiationLevel > 0) {
                paintGaugeBackground();
                g.RadiationLevel = static_cast<std::int16_t>(g.RadiationLevel - 40);
                print_radiation();
            }
            break;
        case 2: case 12:
            g.PlayerLives = static_cast<std::int16_t>(g.PlayerLives + 1);
            print_lives();
            break;
        case 3: case 13: PlayerSpeed = static_cast<std::int16_t>(PlayerSpeed + 5); break;
        case 5: case 16:
            g.PlayerScore += 100;
            print_score();
            break;
        case 6: case 17:
            if (BulletsAllowed < 5) BulletsAllowed = static_cast<std::int16_t>(BulletsAllowed + 1);
            break;
        case 8:
            g.RadiationLevel = static_cast<std::int16_t>(g.RadiationLevel + 40);
            print_radiation();
            break;
        case 9:
            if (PlayerSpeed > 6) PlayerSpeed = static_cast<std::int16_t>(PlayerSpeed - 5);
            break;
        case 10: BulletsAllowed = 1; break;
        default: break;   // the bonus stage and Complete Level act when the name has faded
    }
}

void Form1::print_bonustype() {
    // 1.
    bonuslabel->setTop(roundHalfEven(scapebox->height() / 2.0 - bonuslabel->height() / 2.0));
    // 2.
    BonusName n = bonusName(BonusType);
    if (n.name) {
        bonuslabel->setForeColor(n.colour);
        bonuslabel->setCaption(n.name);
        LabelRed = n.colour.r;
        LabelGreen = n.colour.g;
        LabelBlue = n.colour.b;
    }
    // 3. Centred on the playfield, at the width of the new caption.
    bonuslabel->setVisible(true);
    bonuslabel->setLeft(roundHalfEven(scapebox->width() / 2.0 - bonuslabel->width() / 2.0));
    // 4.
    LabelFading = 1;
}

void Form1::fadeBonusLabel() {
    // 1.
    LabelRed = static_cast<std::int16_t>(std::max(0, LabelRed - 10));
    LabelGreen = static_cast<std::int16_t>(std::max(0, LabelGreen - 10));
    LabelBlue = static_cast<std::int16_t>(std::max(0, LabelBlue - 10));
    // 2.
    bonuslabel->setForeColor(Color(LabelRed, LabelGreen, LabelBlue));
    // 3.
    if (bonuslabel->foreColor() == Color(0, 0, 0)) {
        bonuslabel->setVisible(false);
        if (BonusType == 7) {
            RodsNeeded = 0;
            print_rods();
        }
        if (isBonusStage(BonusType) && game.showBonusStage) {
            // The level set-up clears these when the planet screen comes back.
            do_bonus();
        } else {
            LabelFading = 0;
            BonusType = 0;
            BonusTicks = 0;
        }
    }
}

void Form1::do_bonus() {
    if (RodsNeeded <= 0) return;
    // 1.
    stopPlayTimers();
    g.ShipFrozen = 1;
    explosions->setEnabled(false);
    JoystickCont->setEnabled(false);
    EndWait->setEnabled(false);
    EndWait2->setEnabled(false);
    // 2.
    ReleaseAllSounds(game);
    // 3. The planet screen is hidden while the stage covers the screen; the
    // stage shows it again when it hands back.
    hide();
    game.showBonusStage(game);
}

}  // namespace kv::level
