#pragma once
// musicFRM, the "Music Control" panel the module player is bound to. It is
// loaded once and kept for the whole run: closing or unloading it only hides
// it. It shows what plays and lets the player stop and start the music.
#include "runtime/runtime.h"
#include "shared/game.h"

namespace kv {

class MusicFRM : public Form {
public:
    MusicFRM(Runtime& rt, Game& game);
    bool queryUnload() override;            // Form_QueryUnload: hide instead
    void PlayButt_Click();
    void StopButt_Click();
    void HideButt_Click();
    void Refresh_Timer();
    // Repaints the read-out from the player's state.
    void showStatus();

    Game& game;
    Label* Tune;
    Label* Position;
    Button* PlayButt;
    Button* StopButt;
    Button* HideButt;
    Timer* Refresh;
};

// The panel, loaded (hidden) on first use.
MusicFRM& musicPanel(Game& game);
// The panel if it has been loaded, else null.
MusicFRM* loadedMusicPanel(Game& game);
// The options screen's "Music Panel" button: shows the panel modally.
void ShowMusicPanel(Game& game);

}  // namespace kv
