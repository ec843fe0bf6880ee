#include "frontend/start_up.h"

#include "shared/display_mode.h"

namespace kv::frontend {

StartUp::StartUp(Runtime& rt, Game& gm) : Form(rt, "StartUp", 800, 600), game(gm) {
    Image1 = &add<Image>("Image1", nullptr, Rect{0, 0, 800, 600});
    Image1->setPicture(rt.pictures().get("StartUp"));
    Label1 = &add<Label>("Label1", nullptr, Rect{0, 528, 800, 24}, "Korvane is initialising...Please Wait...");
    Label1->font = Font{12, true};
    Label1->align = Align::Center;
    Label1->setForeColor(Color(255, 255, 255));
    Timer1 = &addTimer("Timer1", 3000, false, [this] { Timer1_Timer(); });
}

void StartUp::onLoad() {
    SharedState& g = game.state;
    g.ColourProbe = 0;
    rt().runModal(rt().load<ModeCheck>(game));
    // Too few colours. (The display-settings panel has no counterpart here.)
    if (g.ColourProbe == 255) {
        rt().boxes().fatalBox("Please adjust your COLOUR DEPTH to 64k colours or more.", "Korvane Information",
                      BoxIcon::Information);
    }
    g.StartScreenWidth = rt().display().screenWidth();
    g.StartScreenHeight = rt().display().screenHeight();
    // One matching dimension is enough to keep the mode.
    if (g.StartScreenHeight != 600 && g.StartScreenWidth != 800) {
        Int16 w = 800, h = 600;
        if (SetDisplayMode(rt(), w, h) != 0) {
            rt().boxes().fatalBox("Please adjust your SCREEN RESOLUTION to 800x600.", "Korvane Information",
                          BoxIcon::Information);
        }
    }
    g.AppDir = rt().config().appDir;
    Timer1->setEnabled(true);
}

void StartUp::Timer1_Timer() {
    Timer1->setEnabled(false);
    game.flow.startUpDone();
}

ModeCheck::ModeCheck(Runtime& rt, Game& gm) : Form(rt, "ModeCheck", 2, 2), game(gm) {
    Timer1 = &addTimer("Timer1", 50, true, [this] { Timer1_Timer(); });
}

void ModeCheck::onLoad() {
    width = 2;
    height = 2;
    left = 0;
    top = 0;
    backColor = Color(250, 0, 0);
}

void ModeCheck::Timer1_Timer() {
    // The window's own pixel (1, 1), as the display shows it.
    Color c = rt().display().displayedColour(backColor);
    // Only "is it 255?" is asked of the probe: a colour past 16 bits keeps its low bits rather than stopping the game.
    game.state.ColourProbe = static_cast<std::int16_t>(c.r | (c.g << 8) | (c.b << 16));
    Timer1->setEnabled(false);
    unload();
}

void openStartUp(Game& game) {
    StartUp& s = game.rt.load<StartUp>(game);
    if (!s.closed()) s.show();
}

}  // namespace kv::frontend
