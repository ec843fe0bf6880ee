#pragma once
// The pause dialog over the screen that is playing: resume, save, quit.
#include <string>
#include <string_view>

#include "runtime/runtime.h"
#include "shared/game.h"
#include "shared/play_screen.h"

namespace kv::frontend {

class InGameOptions : public Form {
public:
    InGameOptions(Runtime& rt, Game& game, PlayScreen& playing);
    void onLoad() override;          // Form_Load
    void onUnload() override;        // Form_Unload
    void Command1_Click();           // Resume Game
    void Command2_Click();           // Save Game
    void Command3_Click();           // Quit
    // The save code's encoding direction: digits to letters.
    static std::string sortcode(std::string_view digits);
    // Writes the game's progress to SaveFileName; false when it could not.
    bool savegame();
    // Why the save dialog refuses a name, or empty: the game's own data files,
    // and whatever no file can be written to, as a desktop's save dialog says.
    std::string whyNotSaveTo(const std::string& path);

    // Opens the dialog modally over the playing screen; returns when it has closed.
    static void showModal(Game& game, PlayScreen& playing);

    Game& game;
    PlayScreen& playing;
    PictureBox* OpTitle;   // "PAUSE", painted in colour bands
    PictureBox* OpSrc;     // scratch picture for the title
    Label* Label1;         // "What will it be?"
    Button* Command1;      // Resume Game
    Button* Command2;      // Save Game
    Button* Command3;      // Quit
    // The save dialog; it remembers the last name chosen while the pause lasts.
    FileDialogOptions SavetheGame;

    KV_VAR(SaveFileName, std::string);
};

// The Quit button's question, "Are you sure you wish to leave, you're on level
// N?"; true for Yes. Closing the window during a game asks it too.
bool askToLeave(Game& game);

}  // namespace kv::frontend
