#include "frontend/in_game_options.h"

#include "level/form1.h"
#include "shared/mouse.h"
#include "shared/text_gradient.h"

namespace kv::frontend {

InGameOptions::InGameOptions(Runtime& rt, Game& gm) : Form(rt, "InGameOptions", 240, 196), game(gm) {
    game.inGameOptions = this;
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

InGameOptions::~InGameOptions() {
    if (game.inGameOptions == this) game.inGameOptions = nullptr;
}

void InGameOptions::onLoad() {
    TextGradient(rt(), "PAUSE", *OpSrc, *OpTitle, 255, 0, 0, 255, 255, 0, kBlack);
    ShowMouse(rt());
}

void InGameOptions::onUnload() { HideMouse(rt()); }

void InGameOptions::Command1_Click() {
    Game& gm = game;
    unload();
    if (level::Form1* f = gm.form1) {
        f->PickShips->setEnabled(true);
        f->DropShips->setEnabled(true);
        f->FireBullets->setEnabled(true);
        f->droprods->setEnabled(true);
    }
    gm.state.ShipFrozen = 0;
}

void InGameOptions::showModal(Game& game) {
    InGameOptions& dlg = game.rt.load<InGameOptions>(game);
    game.rt.runModal(dlg);
}

}  // namespace kv::frontend
