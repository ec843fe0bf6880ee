#pragma once
// Start-up: the colour probe, the screen-size check and switch, AppDir, and three
// seconds later the next screen.
#include "runtime/runtime.h"
#include "shared/game.h"

namespace kv::frontend {

class StartUp : public Form {
public:
    StartUp(Runtime& rt, Game& game);
    void onLoad() override;          // Form_Load
    void Timer1_Timer();

    Game& game;
    Image* Image1;   // the start-up picture
    Label* Label1;
    Timer* Timer1;
};

// The borderless 2 x 2 probe window whose own pixel tells the colour depth.
class ModeCheck : public Form {
public:
    ModeCheck(Runtime& rt, Game& game);
    void onLoad() override;
    void Timer1_Timer();

    Game& game;
    Timer* Timer1;
};

// Loads StartUp and shows it once its load is done, as the program's first screen.
void openStartUp(Game& game);

}  // namespace kv::frontend
