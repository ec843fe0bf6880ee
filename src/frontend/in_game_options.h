#pragma once
// The pause dialog over the screen that is playing.
#include "runtime/runtime.h"
#include "shared/game.h"
#include "shared/play_screen.h"

namespace kv::frontend {

class InGameOptions : public Form {
public:
    InGameOptions(Runtime& rt, Game& game, PlayScreen& playing);
    void onLoad() override;
    void onUnload() override;
    void Command1_Click();           // Resume Game

    // Opens the dialog modally over the playing screen; returns when it has closed.
    static void showModal(Game& game, PlayScreen& playing);

    Game& game;
    PlayScreen& playing;
    PictureBox* OpTitle;   // "PAUSE", painted in colour bands
    PictureBox* OpSrc;     // scratch picture for the title
    Label* Label1;
    Button* Command1;      // Resume Game
    Button* Command2;      // Save Game
    Button* Command3;      // Quit
};

}  // namespace kv::frontend
