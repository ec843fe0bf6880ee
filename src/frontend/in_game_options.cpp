#include "frontend/in_game_options.h"

#include "frontend/save_code.h"
#include "runtime/file_io.h"
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
    OpSrc->font = Font{26, true};
    OpSrc->setVisible(false);
    Label1 = &add<Label>("Label1", nullptr, Rect{0, 60, 240, 20}, "What will it be?");
    Label1->align = Align::Center;
    Label1->font = Font{10, true};
    Label1->setForeColor(Color(220, 220, 235));
    Command1 = &add<Button>("Command1", nullptr, Rect{45, 88, 150, 28}, "Resume Game");
    Command2 = &add<Button>("Command2", nullptr, Rect{45, 122, 150, 28}, "Save Game");
    Command3 = &add<Button>("Command3", nullptr, Rect{45, 156, 150, 28}, "Quit");
    Command1->onClick = [this] { Command1_Click(); };
    Command2->onClick = [this] { Command2_Click(); };
    Command3->onClick = [this] { Command3_Click(); };
    // Esc resumes as well as the button does.
    cancelButton = Command1;
    defaultButton = Command1;
    setFocus(Command1);

    SavetheGame.save = true;
    SavetheGame.title = "Save Game...";
    SavetheGame.defaultExt = "kvs";
    SavetheGame.fileName = "myGame.kvs";
    SavetheGame.filterName = "Korvane Save Files";
    SavetheGame.pattern = "*.kvs";
    SavetheGame.check = [this](const std::string& path) { return whyNotSaveTo(path); };
}

std::string InGameOptions::whyNotSaveTo(const std::string& path) {
    if (!rt().config().keepsFiles) return "The game has no home folder to keep saves in.";
    // The game's own files, wherever the table is kept and the texts are read.
    const std::pair<const char*, const char*> own[] = {{"Data/score.dat", "the high score table"},
                                                       {"Data/score.dat.lock", "the high score table's lock"},
                                                       {"Data/scroll2.dat", "the main menu's text"},
                                                       {"Data/scroll.dat", "the end sequence's text"}};
    for (const std::string& folder : {rt().config().dataDir, rt().config().appDir})
        for (const auto& [file, what] : own)
            if (sameFile(path, folder + file))
                return path + "\rThis is " + what + ", one of the game's own files.\rChoose another name.";
    std::string why;
    if (!checkWritablePath(path, why)) return path + "\r" + why + ".";
    return "";
}

void InGameOptions::onLoad() {
    TextGradient(rt(), "PAUSE", *OpSrc, *OpTitle, 255, 0, 0, 255, 255, 0, kBlack);
    ShowMouse(rt());
}

void InGameOptions::onUnload() { HideMouse(rt()); }

void InGameOptions::Command1_Click() {
    unload();
    playing.startPlayTimers();
    game.state.ShipFrozen = 0;
}

std::string InGameOptions::sortcode(std::string_view digits) { return encodeSaveText(digits); }

bool InGameOptions::savegame() {
    const SharedState& g = game.state;
    SavedGame s;
    s.PlanetLevel = g.PlanetLevel;
    s.PlayerScore = g.PlayerScore;
    s.RadiationLevel = g.RadiationLevel;
    s.PlayerLives = g.PlayerLives;
    std::string error;
    return writeFileSafely(SaveFileName, writeSaveFile(s, &InGameOptions::sortcode), error);
}

void InGameOptions::Command2_Click() {
    // Any failure, a cancelled dialog included, ends the handler quietly. (The
    // dialog itself refuses a name no save can go to, and says why.)
    std::optional<std::string> chosen = rt().boxes().fileDialog(SavetheGame);
    if (!chosen) return;
    SavetheGame.fileName = *chosen;
    SaveFileName = *chosen;
    if (!savegame()) return;
    rt().boxes().msgBox("Game saved as " + SaveFileName + ".", "Save complete", BoxButtons::OK, BoxIcon::Information);
}

bool askToLeave(Game& game) {
    const int planet = game.state.PlanetLevel;
    // The number as the game prints it: a space where a minus sign would go.
    std::string number = (planet < 0 ? "" : " ") + std::to_string(planet);
    return game.rt.boxes().msgBox("Are you sure you wish to leave, you're on level" + number + "?", "Exit?",
                          BoxButtons::YesNo, BoxIcon::Question) == BoxAnswer::Yes;
}

void InGameOptions::Command3_Click() {
    if (!askToLeave(game)) return;
    game.flow.quitGame(playing);
}

void InGameOptions::showModal(Game& game, PlayScreen& playing) {
    InGameOptions& dlg = game.rt.load<InGameOptions>(game, playing);
    game.rt.runModal(dlg);
}

}  // namespace kv::frontend
