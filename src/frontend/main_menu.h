#pragma once
// The main menu: the title music, the information scroller and the five
// buttons (new game, saved game, options, high scores, exit).
#include <cstdint>
#include <string>

#include "runtime/runtime.h"
#include "shared/game.h"

namespace kv::frontend {

class MainMenu : public Form {
public:
    MainMenu(Runtime& rt, Game& game);
    void onLoad() override;          // Form_Load
    void Timer1_Timer();             // one scroller frame
    void PlayButt_Click();
    void SavedButt_Click();          // loads a saved game (saved_game_load.cpp)
    void OptionsButt_Click();
    void HSButt_Click();
    void ExitButt_Click();
    // The save code's decoding direction: letters to digits.
    static std::string sortcode(std::string_view coded);

    Game& game;
    PictureBox* Picture1;      // the screen's background art
    Label* Label1;             // the one-line credit at the foot of the screen
    PictureBox* PlayButt;
    PictureBox* SavedButt;
    PictureBox* OptionsButt;
    PictureBox* HSButt;
    PictureBox* ExitButt;
    PictureBox* SourcePrint;   // scratch picture for the button captions
    PictureBox* InfoWindow;
    PictureBox* InfoSource;
    Image* InfoPicture;
    Timer* Timer1;
    // The load dialog; its file name stays as it was when the player cancels.
    FileDialogOptions LoadSavedGame;

    KV_VAR(ScrollLines, Array<std::string, 0, 999>);
    KV_VAR(ScrollLineCount, std::int32_t);
    KV_VAR(ScrollTop, float);
    KV_VAR(ScrollLineHeight, Int16);
    KV_VAR(ScrollFadeDivisor, Int16);
    KV_VAR(MenuClosing, Int16);
    KV_VAR(LoadFileName, std::string);

private:
    // Leaving for the planet screen: what New Game and a loaded game share.
    void startGame(GameStart start);
};

// Loads the menu and shows it.
void openMainMenu(Game& game);

}  // namespace kv::frontend
