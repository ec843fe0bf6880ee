#include "frontend/options_frm.h"

#include <cctype>

#include "media/joystick.h"
#include "media/music_form.h"
#include "shared/mouse.h"
#include "shared/registry_ctl.h"
#include "shared/text_gradient.h"

namespace kv::frontend {

namespace {
// Names are at most twelve characters, as the score table's rows hold them.
constexpr int kNameLength = 12;
const Color kLabelColour{200, 210, 235};

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}
}  // namespace

OptionsFRM::OptionsFRM(Runtime& rt, Game& gm) : Form(rt, "OptionsFRM", 273, 271), game(gm) {
    caption = "Options";
    frame = FormFrame::Dialog;
    backColor = Color(0, 0, 0);
    centre();
    OpTitle = &add<PictureBox>("OpTitle", nullptr, Rect{16, 6, 241, 42}, kBlack);
    OpSrc = &add<PictureBox>("OpSrc", nullptr, Rect{16, 6, 241, 42}, kBlack);
    OpSrc->font = Font{21, true};
    OpSrc->setVisible(false);
    Label1 = &add<Label>("Label1", nullptr, Rect{20, 54, 233, 16}, "Your Name");
    Label1->font = Font{9, true};
    Label1->setForeColor(kLabelColour);
    NameOfUser = &add<TextBox>("NameOfUser", nullptr, Rect{20, 72, 233, 24});
    NameOfUser->maxLength = kNameLength;
    Label2 = &add<Label>("Label2", nullptr, Rect{20, 106, 233, 16}, "Controls");
    Label2->font = Font{9, true};
    Label2->setForeColor(kLabelColour);
    CKeys = &add<OptionButton>("CKeys", nullptr, Rect{28, 126, 200, 20}, "Cursor Keys");
    Cjoystick = &add<OptionButton>("Cjoystick", nullptr, Rect{28, 148, 200, 20}, "JoyStick");
    SoundState = &add<CheckBox>("SoundState", nullptr, Rect{20, 180, 200, 20}, "Sound FX");
    for (Toggle* t : {static_cast<Toggle*>(CKeys), static_cast<Toggle*>(Cjoystick), static_cast<Toggle*>(SoundState)})
        t->font = Font{9, false};
    CKeys->setValue(true);
    SoundState->setValue(true);
    Cjoystick->onClick = [this] { Cjoystick_Click(); };
    Command1 = &add<Button>("Command1", nullptr, Rect{20, 224, 112, 30}, "Music Panel");
    Command2 = &add<Button>("Command2", nullptr, Rect{141, 224, 112, 30}, "OK");
    Command1->onClick = [this] { Command1_Click(); };
    Command2->onClick = [this] { Command2_Click(); };
    defaultButton = Command2;
    setFocus(NameOfUser);
}

void OptionsFRM::onLoad() {
    SharedState& g = game.state;
    TextGradient(rt(), "Options", *OpSrc, *OpTitle, 255, 0, 0, 255, 255, 0, kBlack);
    // The count is measured once, at the first opening; the dialog keeps it.
    JoystickCount = game.optionsJoystickCount;
    if (g.OptionsChosen == 0) {
        ReadOwnerName("HKEY_LOCAL_MACHINE", "Software\\Microsoft\\Windows\\CurrentVersion", "RegisteredOwner");
        JoystickCount = CountJoysticks(rt());
        game.optionsJoystickCount = JoystickCount;
    }
    ShowMouse(rt());
    if (g.OptionsChosen == 1) {
        NameOfUser->text = g.PlayerName;
        NameOfUser->allSelected = false;
        if (g.ControlDevice == 1) CKeys->setValue(true);
        if (g.ControlDevice == 2) Cjoystick->setValue(true);
        SoundState->setValue(g.SoundOn == 1);
    }
}

void OptionsFRM::ReadOwnerName(const std::string& hive, const std::string& keyPath, const std::string& valueName) {
    auto name = ownerNameOf(rt().registry(), hive, keyPath, valueName);
    if (!name) return;
    // A text box's text ends at a NUL, as the desktop's edit control's does.
    // Selected from the start for the value's length, the whole name is
    // marked, so that typing replaces it.
    NameOfUser->text = name->substr(0, name->find('\0'));
    NameOfUser->allSelected = true;
}

void OptionsFRM::Cjoystick_Click() {
    if (JoystickCount != 0) return;
    rt().boxes().msgBox("JOYSTICK ERROR!\r\rKorvane has not detected any joystick(s) connected to your PC.\r"
                "If there is one connected, it is not set up correctly.",
                "JoyError", BoxButtons::OK, BoxIcon::Information);
    CKeys->setValue(true);
}

void OptionsFRM::Command1_Click() { ShowMusicPanel(game); }

void OptionsFRM::Command2_Click() {
    SharedState& g = game.state;
    if (NameOfUser->text.empty()) {
        rt().boxes().msgBox("Please fill in an appropriate name for yourself!", "Ooops!", BoxButtons::OK,
                    BoxIcon::Exclamation);
        return;
    }
    g.PlayerName = NameOfUser->text;
    if (upper(g.PlayerName) == "GRUB TOAD") {
        g.CheatMode = 1;
        rt().boxes().msgBox("C H E A T   A C T I V E !", "Chicken!", BoxButtons::OK, BoxIcon::Information);
    } else {
        g.CheatMode = 0;
    }
    if (CKeys->value()) g.ControlDevice = 1;
    if (Cjoystick->value()) g.ControlDevice = 2;
    g.SoundOn = SoundState->value() ? 1 : 0;
    g.OptionsChosen = 1;
    unload();
}

void showOptions(Game& game) {
    OptionsFRM& dlg = game.rt.load<OptionsFRM>(game);
    game.rt.runModal(dlg);
}

}  // namespace kv::frontend
