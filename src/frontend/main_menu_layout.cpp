// The main menu's controls, as laid out on the 800 x 600 frame over its art.
#include "frontend/main_menu.h"

#include "frontend/scroll_text.h"

namespace kv::frontend {

namespace {
// The scroller prints in the desktop's small dialog font, 13 pixels a line.
const Font kScrollFont{8, false};
// The button captions: a line height of 24 makes the ten bands three pixels each.
const Font kCaptionFont{16, true};

// The five buttons, in the art's slots.
constexpr int kButtonLeft = 472, kButtonWidth = 217, kButtonHeight = 33;
}  // namespace

MainMenu::MainMenu(Runtime& rt, Game& gm) : Form(rt, "MainMenu", 800, 600), game(gm) {
    Picture1 = &add<PictureBox>("Picture1", nullptr, Rect{0, 0, 800, 600}, kBlack);
    Picture1->setPicture(rt.pictures().get("MenuBack"));
    Label1 = &add<Label>("Label1", Picture1, Rect{0, 574, 800, 18},
                         "Korvane  -  written, drawn and composed from scratch by the Korvane project");
    Label1->align = Align::Center;
    Label1->font = Font{8, false};
    Label1->setForeColor(Color(130, 150, 190));
    auto button = [&](const char* name, int top, void (MainMenu::*click)()) {
        PictureBox* b = &add<PictureBox>(name, nullptr, Rect{kButtonLeft, top, kButtonWidth, kButtonHeight}, kBlack);
        b->onClick = [this, click] { (this->*click)(); };
        // Up, Down and Tab move the ring from button to button; Enter or Space press.
        b->tabStop = true;
        return b;
    };
    PlayButt = button("PlayButt", 232, &MainMenu::PlayButt_Click);
    SavedButt = button("SavedButt", 280, &MainMenu::SavedButt_Click);
    OptionsButt = button("OptionsButt", 352, &MainMenu::OptionsButt_Click);
    HSButt = button("HSButt", 400, &MainMenu::HSButt_Click);
    ExitButt = button("ExitButt", 472, &MainMenu::ExitButt_Click);
    setFocus(PlayButt);
    SourcePrint = &add<PictureBox>("SourcePrint", nullptr, Rect{576, 552, 217, 41}, kBlack);
    SourcePrint->font = kCaptionFont;
    SourcePrint->setVisible(false);
    InfoWindow = &add<PictureBox>("InfoWindow", nullptr, Rect{104, 232, 297, 273}, kBlack);
    InfoSource = &add<PictureBox>("InfoSource", nullptr, Rect{72, 248, 297, 265}, kBlack);
    InfoSource->font = kScrollFont;
    InfoSource->setVisible(false);
    InfoPicture = &add<Image>("InfoPicture", nullptr, Rect{104, 232, 297, 265});
    InfoPicture->setPicture(rt.pictures().get("InfoPicture"));
    InfoPicture->setVisible(false);
    Timer1 = &addTimer("Timer1", kScrollerTickMs, false, [this] { Timer1_Timer(); });

    LoadSavedGame.title = "Load a saved game...";
    LoadSavedGame.defaultExt = "kvs";
    LoadSavedGame.fileName = "*.kvs";
    LoadSavedGame.filterName = "Korvane Save Files";
    LoadSavedGame.pattern = "*.kvs";
}

}  // namespace kv::frontend
