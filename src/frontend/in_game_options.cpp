#include "frontend/in_game_options.h"

#include "shared/mouse.h"
#include "shared/text_gradient.h"

namespace kv::frontend {

InGameOptions::InGameOptions(Runtime& rt, Game& gm, PlayScreen& screen)
    : Form(rt, "InGameOptions", 240, 196), game(gm), playing(screen) {
    caption = "Paused";
    frame = FormFrame::Dialog;
    backColor = Color(0, 0, 0);
    centre();
    OpTitle = &add<PictureBox>("OpTitle", nullptr, Rect{20, 8, 200, 48}, kBlack);
    OpSrc = &add<PictureBox>("OpSrc", nullptr, Rect{20, 8, 200, 48}, kBlack);
    OpSrc->font = Font{28, true};
    OpSrc->setVisible(false);
    Label1 = &add<Label>("Label1", nullptr, Rect{0, 60, 240, 20}, "What will it be?");
    Label1->align = Align::Center;
    Label1->font = Font{10, true};
    Label1->setForeColor(Color(220, 220, 235));
    Command1 = &add<Button>("Command1", nullptr, Rect{45, 88, 150, 28}, "Resume Game");
    Command2 = &add<Button>("Command2", nullptr, Rect{45, 122, 150, 28}, "Save Game");
    Command3 = &add<Button>("Command3", nullptr, Rect{45, 156, 150, 28}, "Quit");
    Command1->onClick = [this] { Command1_Click(); };
    // Saving and quitting from the pause arrive with the saved-game screens.
    Command2->enabled = false;
    Command3->enabled = false;
    // Esc resumes as well as the button does.
    cancelButton = Command1;
    defaultButton = Command1;
    setFocus(Command1);
}

void InGameOptions::onLoad() {
    TextGradient(rt(), "PAUSE", *OpSrc, *OpTitle, 255, 0, 0, 255, 255, 0, kBlack);
    ShowMouse(rt());
}

void InGameOptions::onUnload() { HideMouse(rt()); }

void InGameOptions::Command1_Click() {
    Game& gm = game;
    PlayScreen& screen = playing;
    unload();
    screen.startPlayTimers();
    gm.state.ShipFrozen = 0;
}

void InGameOptions::showModal(Game& game, PlayScreen& playing) {
    InGameOptions& dlg = game.rt.load<InGameOptions>(game, playing);
    game.rt.runModal(dlg);
}

}  // namespace kv::frontend
