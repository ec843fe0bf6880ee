// The main menu: its screen, the information scroller, and the buttons other
// than Saved Game (saved_game_load.cpp).
#include "frontend/main_menu.h"

#include "frontend/data_files.h"
#include "frontend/options_frm.h"
#include "frontend/save_code.h"
#include "frontend/scroll_text.h"
#include "media/music.h"
#include "media/music_form.h"
#include "media/sound.h"
#include "shared/display_mode.h"
#include "shared/mouse.h"
#include "shared/text_gradient.h"

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

void MainMenu::onLoad() {
    show();
    MenuClosing = 0;
    ShowMouse(rt());
    InfoSource->setBackColor(kBlack);
    ScrollLineHeight = 13;
    ScrollFadeDivisor = 3;
    ScrollTop = static_cast<float>(InfoSource->height());
    ScrollLineCount = loadScrollText(game, "Data\\scroll2.dat", ScrollLines);
    Timer1->setEnabled(true);
    TextGradient(rt(), "New Game", *SourcePrint, *PlayButt, 0, 255, 0, 0, 0, 0, kBlack);
    TextGradient(rt(), "Saved Game", *SourcePrint, *SavedButt, 255, 0, 255, 0, 0, 0, kBlack);
    TextGradient(rt(), "Options", *SourcePrint, *OptionsButt, 255, 255, 0, 0, 0, 0, kBlack);
    TextGradient(rt(), "High Scores", *SourcePrint, *HSButt, 0, 0, 255, 0, 0, 0, kBlack);
    TextGradient(rt(), "Exit", *SourcePrint, *ExitButt, 255, 0, 0, 0, 0, 0, kBlack);
    ReleaseAllSounds(game);
    StartTitleMusic(game);
}

void MainMenu::Timer1_Timer() {
    if (MenuClosing == 1) return;
    InfoSource->cls();
    InfoSource->setPicture(InfoPicture->picture());
    ScrollTop -= 2;
    Surface& s = InfoSource->canvas();
    TextEngine& te = rt().text();
    const int h = InfoSource->height();
    const int lineHeight = te.lineHeight(InfoSource->font);
    double row = ScrollTop;
    // Every line and one empty row past the last; printing moves down a line.
    for (int i = 0; i <= ScrollLineCount; ++i, row += lineHeight) {
        if (row >= h || row + lineHeight <= 0) continue;   // nothing of it would show
        // (Past the array's last entry there is nothing to print.)
        const std::string t = i + 1 <= ScrollLines.hi ? ScrollLines[i + 1] : std::string();
        int x = roundHalfEven(InfoSource->width() / 2.0 - te.measure(InfoSource->font, t) / 2.0);
        double y = ScrollTop + static_cast<double>(ScrollLineHeight) * i;
        Color c(0, fadeLevel(kMenuFade, y, h), 0);
        te.draw(s, InfoSource->font, t, x, roundHalfEven(row), c);
    }
    InfoWindow->canvas().blit(s, Rect{0, 0, InfoSource->width(), InfoSource->height()}, 0, 0);
    // The text has gone by: it starts again from the bottom.
    if (ScrollTop <= -1100) ScrollTop = static_cast<float>(h);
}

void MainMenu::startGame(GameStart start) {
    SharedState& g = game.state;
    StopMusic(game);
    g.ScoresFromMenu = 0;
    MenuClosing = 1;
    Timer1->setEnabled(false);
    game.flow.startGame(start);
}

void MainMenu::PlayButt_Click() { startGame(GameStart::New); }

void MainMenu::OptionsButt_Click() { showOptions(game); }

void MainMenu::HSButt_Click() {
    game.state.ScoresFromMenu = 1;
    game.flow.viewScores();
}

void MainMenu::ExitButt_Click() {
    BoxAnswer a = rt().boxes().msgBox("You haven't saved all the civilians yet!\rAre you completely sure?", "Exit?",
                              BoxButtons::YesNo, BoxIcon::Question);
    if (a != BoxAnswer::Yes) return;
    SetDisplayMode(rt(), game.state.StartScreenWidth, game.state.StartScreenHeight);
    rt().endRun(0);
}

std::string MainMenu::sortcode(std::string_view coded) { return decodeSaveText(coded); }

void openMainMenu(Game& game) { game.rt.load<MainMenu>(game); }

}  // namespace kv::frontend
