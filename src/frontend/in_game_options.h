#pragma once
// The pause dialog over the planet screen.
#include "runtime/runtime.h"
#include "shared/game.h"

namespace kv::frontend {

class InGameOptions : public Form {
public:
    InGameOptions(Runtime& rt, Game& game);
    ~InGameOptions() override;
    void onLoad() override;
    void onUnload() override;
    void Command1_Click();           // Resume Game

    // Opens the dialog modally; returns when it has closed.
    static void showModal(Game& game);

    Game& game;
    PictureBox* OpTitle;
    PictureBox* OpSrc;
    Label* Label1;
    Button* Command1;
    Button* Command2;
    Button* Command3;
};

}  // namespace kv::frontend
