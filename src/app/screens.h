#pragma once
// Which screen follows which: the hand-overs the screens make through the game.
#include "app/options.h"
#include "shared/game.h"

namespace kv::app {

void wireScreens(Game& game);
// Start-up, or a warp straight into a planet.
void startGame(Game& game, const Options& opt);

}  // namespace kv::app
