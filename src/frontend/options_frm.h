#pragma once
// The options dialog over the main menu: the player's name, keyboard or
// joystick, sound effects, and the music panel.
#include <cstdint>
#include <string>

#include "runtime/runtime.h"
#include "shared/game.h"

namespace kv::frontend {

class OptionsFRM : public Form {
public:
    OptionsFRM(Runtime& rt, Game& game);
    void onLoad() override;          // Form_Load
    void Cjoystick_Click();
    void Command1_Click();           // Music Panel
    void Command2_Click();           // OK
    // The dialog's own copy of the registry reader: the default name.
    void ReadOwnerName(const std::string& hive, const std::string& keyPath, const std::string& valueName);

    Game& game;
    PictureBox* OpTitle;   // "Options", painted in colour bands
    PictureBox* OpSrc;     // scratch picture for the title
    Label* Label1;         // "Your Name"
    TextBox* NameOfUser;
    Label* Label2;         // "Controls"
    OptionButton* CKeys;
    OptionButton* Cjoystick;
    CheckBox* SoundState;
    Button* Command1;      // Music Panel
    Button* Command2;      // OK

    KV_VAR(JoystickCount, Int16);
};

// Shows the dialog modally; returns once OK has closed it.
void showOptions(Game& game);

}  // namespace kv::frontend
