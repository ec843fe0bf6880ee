#include "media/music_form.h"

#include <cstdio>

#include "media/music.h"

namespace kv {

namespace {
std::string minutesSeconds(double s) {
    int t = s > 0 ? static_cast<int>(s) : 0;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d:%02d", t / 60, t % 60);
    return buf;
}

std::string fileName(const std::string& gamePath) {
    std::size_t cut = gamePath.find_last_of("\\/");
    return cut == std::string::npos ? gamePath : gamePath.substr(cut + 1);
}
}  // namespace

MusicFRM::MusicFRM(Runtime& rt, Game& gm) : Form(rt, "musicFRM", 344, 53), game(gm) {
    caption = "Music Control";
    frame = FormFrame::Dialog;
    backColor = Color(0, 0, 0);
    resident = true;
    centre();
    Tune = &add<Label>("Tune", nullptr, Rect{8, 6, 200, 16}, "");
    Tune->font = Font{9, true};
    Tune->setForeColor(Color(120, 220, 255));
    Position = &add<Label>("Position", nullptr, Rect{8, 28, 120, 16}, "");
    Position->font = Font{9, false};
    Position->setForeColor(Color(200, 200, 210));
    PlayButt = &add<Button>("PlayButt", nullptr, Rect{212, 4, 60, 22}, "Play");
    StopButt = &add<Button>("StopButt", nullptr, Rect{276, 4, 60, 22}, "Stop");
    HideButt = &add<Button>("HideButt", nullptr, Rect{276, 28, 60, 22}, "Close");
    PlayButt->onClick = [this] { PlayButt_Click(); };
    StopButt->onClick = [this] { StopButt_Click(); };
    HideButt->onClick = [this] { HideButt_Click(); };
    cancelButton = HideButt;
    defaultButton = HideButt;
    setFocus(HideButt);
    // The read-out follows the music while the panel is up.
    Refresh = &addTimer("Refresh", 500, false, [this] { Refresh_Timer(); });
    showStatus();
}

bool MusicFRM::queryUnload() {
    hide();
    Refresh->setEnabled(false);
    return false;
}

void MusicFRM::PlayButt_Click() {
    if (game.musicPlayer) ModPlug_Play(game, game.musicPlayer->handle);
    showStatus();
}

void MusicFRM::StopButt_Click() {
    if (game.musicPlayer) ModPlug_Stop(game, game.musicPlayer->handle);
    showStatus();
}

void MusicFRM::HideButt_Click() { unload(); }

void MusicFRM::Refresh_Timer() {
    if (!shown()) {
        Refresh->setEnabled(false);
        return;
    }
    showStatus();
}

void MusicFRM::showStatus() {
    const ModulePlayer* p = game.musicPlayer.get();
    if (!p || !p->loaded) {
        Tune->setCaption(p && !p->file.empty() ? fileName(p->file) + " (cannot be played)" : "No music");
        Position->setCaption("");
        PlayButt->enabled = false;
        StopButt->enabled = false;
        return;
    }
    ModuleStatus m = rt().audio().module();
    Tune->setCaption(fileName(p->file) + (m.playing ? "  playing" : "  stopped"));
    std::string where = minutesSeconds(m.positionSeconds);
    if (m.lengthSeconds > 0) where += " / " + minutesSeconds(m.lengthSeconds);
    Position->setCaption(m.playing ? where : "");
    PlayButt->enabled = !m.playing;
    StopButt->enabled = m.playing;
}

MusicFRM* loadedMusicPanel(Game& game) { return game.rt.find<MusicFRM>(); }

MusicFRM& musicPanel(Game& game) {
    if (MusicFRM* panel = loadedMusicPanel(game)) return *panel;
    return game.rt.load<MusicFRM>(game);
}

void ShowMusicPanel(Game& game) {
    MusicFRM& panel = musicPanel(game);
    panel.showStatus();
    panel.Refresh->setEnabled(true);
    game.rt.runModal(panel);
}

}  // namespace kv
