// Bonus boxes: the bonus clock and launch, the flight across the playfield,
// the revealed pick-up drifting down, the catch with its effect, and the
// fading name.
#include <algorithm>

#include "level/bonus_kinds.h"
#include "level/form1.h"
#include "media/sound.h"

namespace kv::level {

void Form1::launchBonusBox() {
    if (BonusTicks < BonusDelay) ++BonusTicks;
    if (BonusType == 0 && BonusTicks >= BonusDelay) {
        rt().random().randomize(rt().now());
        BonusType = static_cast<int>(rt().random().rnd() * 19);
        if (BonusType > 0) {
            // In from just off the right edge, at a random height.
            bonusbox->setLeft(scapebox->width());
            rt().random().randomize(rt().now());
            bonusbox->setTop(static_cast<int>(rt().random().rnd() * 276) + 112);
            bonusbox->setVisible(true);
            bonusbox->setPicture(bonuspic->picture());
            bonusbox->setSize(bonuspic->width(), bonuspic->height());
            BonusFlying = 1;
            if (g.SoundOn == 1) PlaySample(3, BonusWav, false);
            BonusTicks = 0;
        } else {
            // No box this time: the next roll comes one full delay later.
            BonusTicks = 0;
        }
    }
}

void Form1::clearPickup() {
    bonusbox->setVisible(false);
    bonusbox->setPicture(Picture{});
    bonusbox->setLeft(scapebox->width());
}

void Form1::droprodsBonus() {
    Random& rnd = rt().random();
    // The flight.
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
        BonusExplodeX = roundHalfEven(bonusbox->left() - 7.5);
        BonusExplodeY = roundHalfEven(bonusbox->top() - 18.5);
    }
    // The fall.
    if (BonusFalling == 1) {
        PictureBox& p = *bonusbox;
        // A random drift left or right, never past the playfield's edges.
        rnd.randomize(rt().now());
        int r = static_cast<int>(rnd.rnd() * 100) + 1;
        if (r <= 49 && p.left() > 0) p.setLeft(p.left() - 5);
        if (r >= 50 && p.left() + p.width() < 649) p.setLeft(p.left() + 5);
        p.setTop(p.top() + 8);
        // The catch: inside the ship's width, straddling its top edge.
        if (p.left() > Player->left() && Player->left() + Player->width() > p.left() + p.width() &&
            p.top() + p.height() > Player->top() && p.top() < Player->top()) {
            BonusFlying = BonusFalling = BonusExploding = BonusExplodeX = BonusExplodeY = 0;
            clearPickup();
            applyBonusEffect();
            if (closed()) return;
            if (g.SoundOn == 1) PlaySample(3, GetBonusWav, false);
            print_bonustype();
        }
        // Lost at the bottom.
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
    switch (bonusKind(BonusType).effect) {
        case BonusEffect::DecreaseRadiation:
            if (g.RadiationLevel > 0) {
                paintGaugeBackground();
                g.RadiationLevel -= 40;
                print_radiation();
            }
            break;
        case BonusEffect::ExtraLife:
            ++g.PlayerLives;
            print_lives();
            break;
        case BonusEffect::FasterMovement: PlayerSpeed += 5; break;
        case BonusEffect::HundredPoints:
            g.PlayerScore += 100;
            print_score();
            break;
        case BonusEffect::ExtraBullet:
            if (BulletsAllowed < 5) ++BulletsAllowed;
            break;
        case BonusEffect::IncreaseRadiation:
            g.RadiationLevel += 40;
            print_radiation();
            break;
        case BonusEffect::SlowerMovement:
            if (PlayerSpeed > 6) PlayerSpeed -= 5;
            break;
        case BonusEffect::OneBullet: BulletsAllowed = 1; break;
        // The bonus stage and Complete Level act when the name has faded.
        case BonusEffect::BonusStage:
        case BonusEffect::CompleteLevel:
        case BonusEffect::None: break;
    }
}

void Form1::print_bonustype() {
    bonuslabel->setTop(roundHalfEven(scapebox->height() / 2.0 - bonuslabel->height() / 2.0));
    const BonusKind& kind = bonusKind(BonusType);
    if (kind.name) {
        bonuslabel->setForeColor(kind.colour);
        bonuslabel->setCaption(kind.name);
        LabelRed = kind.colour.r;
        LabelGreen = kind.colour.g;
        LabelBlue = kind.colour.b;
    }
    // Centred on the playfield, at the width of the new caption.
    bonuslabel->setVisible(true);
    bonuslabel->setLeft(roundHalfEven(scapebox->width() / 2.0 - bonuslabel->width() / 2.0));
    LabelFading = 1;
}

void Form1::fadeBonusLabel() {
    LabelRed = std::max<int>(0, LabelRed - 10);
    LabelGreen = std::max<int>(0, LabelGreen - 10);
    LabelBlue = std::max<int>(0, LabelBlue - 10);
    bonuslabel->setForeColor(Color(LabelRed, LabelGreen, LabelBlue));
    if (bonuslabel->foreColor() != Color(0, 0, 0)) return;
    // Faded to black.
    bonuslabel->setVisible(false);
    const BonusEffect effect = bonusKind(BonusType).effect;
    if (effect == BonusEffect::CompleteLevel) {
        RodsNeeded = 0;
        print_rods();
    }
    if (effect == BonusEffect::BonusStage) {
        // The level set-up clears LabelFading and BonusType when the planet
        // screen comes back.
        do_bonus();
    } else {
        LabelFading = 0;
        BonusType = 0;
        BonusTicks = 0;
    }
}

void Form1::do_bonus() {
    // The planet's last rod already defused: nothing starts.
    if (RodsNeeded <= 0) return;
    setAside();
    game.flow.bonusStage();
}

void Form1::setAside() {
    stopPlayTimers();
    g.ShipFrozen = 1;
    explosions->setEnabled(false);
    JoystickCont->setEnabled(false);
    EndWait->setEnabled(false);
    EndWait2->setEnabled(false);
}

}  // namespace kv::level
