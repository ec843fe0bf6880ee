// Explosion frames painted into the playfield picture, and what follows the
// player's explosion: the next life or the end of the game.
#include "level/form1.h"

namespace kv::level {

void Form1::explosions_Timer() {
    // The playfield is taken only when a frame is drawn: taking it counts as
    // drawing, and a still screen is not presented again.
    auto field = [this]() -> Surface& { return scapebox->canvas(); };
    // Drop ships.
    for (int i = 1; i <= 7; ++i) {
        DropShipRec& rec = Ships[i];
        if (rec.Exploding != 1) continue;
        Int16& frame = ShipExplodeFrame[i];
        if (frame >= 1 && frame <= 7) field().blit(*ShipExplode[frame]->picture().image, rec.ExplodeX, rec.ExplodeY);
        ++frame;
        if (frame == 8) rec.Exploding = 0;
    }
    // The player.
    if (PlayerExploding == 1) {
        if (PlayerExplodeFrame >= 1 && PlayerExplodeFrame <= 7)
            field().blit(*ShipExplode[PlayerExplodeFrame]->picture().image, PlayerExplodeX, PlayerExplodeY);
        ++PlayerExplodeFrame;
        if (PlayerExplodeFrame == 8) {
            PlayerExploding = 0;
            if (g.PlayerLives < 0) {
                GameOverSub();
                return;
            }
            ResetForm();
            g.ShipFrozen = 0;
            PickShips->setEnabled(true);
            print_rods();
            if (closed()) return;
        }
    }
    // The bonus box.
    if (BonusExploding == 1) {
        if (BonusExplodeFrame >= 1 && BonusExplodeFrame <= 8)
            scapebox->canvas().blit(*BonExplode[BonusExplodeFrame]->picture().image, BonusExplodeX, BonusExplodeY);
        ++BonusExplodeFrame;
        if (BonusExplodeFrame == 9) {
            BonusExploding = 0;
            scapebox->canvas().blit(*ShipExplode[7]->picture().image, BonusExplodeX, BonusExplodeY);
            BonusFalling = 1;
            bonusbox->setVisible(true);
        }
    }
    // The bonus name fades.
    if (LabelFading == 1) fadeBonusLabel();
}

}  // namespace kv::level
