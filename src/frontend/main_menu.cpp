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
