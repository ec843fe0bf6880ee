#include "frontend/end_seq.h"

#include "frontend/data_files.h"
#include "frontend/pixel_stars.h"
#include "frontend/scroll_text.h"
#include "media/music.h"
#include "media/sound.h"
#include "shared/mouse.h"

namespace kv::frontend {

namespace {
// A line height of 24, the pitch of the fade.
const Font kEndFont{16, true};
// Where the scroller's picture is copied onto the screen.
constexpr int kScrollerTop = 195;
}  // namespace

EndSeq::EndSeq(Runtime& rt, Game& gm) : Form(rt, "EndSeq", 800, 600), game(gm) {
    Backdrop = &add<PictureBox>("Backdrop", nullptr, Rect{0, 0, 800, 600}, kBlack);
    Backdrop->onClick = [this] { Form_Click(); };
    Banner = &add<Image>("Banner", Backdrop, Rect{0, 0, 800, 190});
    Banner->setPicture(rt.pictures().get("EndBanner"));
    Scape1 = &add<Image>("Scape1", Backdrop, Rect{200, 580, 400, 20});
    Scape1->setPicture(rt.pictures().get("Scape1"));
    Picture1 = &add<PictureBox>("Picture1", nullptr, Rect{0, kScrollerTop, 800, 600 - kScrollerTop - 20}, kBlack);
    Picture1->font = kEndFont;
    Picture1->setVisible(false);
    Timer1 = &addTimer("Timer1", kScrollerTickMs, false, [this] { Timer1_Timer(); });
}

void EndSeq::onLoad() {
    show();
    HideMouse(rt());
    EndStopped = 0;
    Picture1->setBackColor(kBlack);
    EndLineHeight = 24;
    EndFadeDivisor = 2;
    EndScrollTop = static_cast<float>(Picture1->height());
    EndLineCount = loadScrollText(game, "Data\\scroll.dat", EndLines);
    Random& rnd = rt().random();
    rnd.randomize(rt().now());
    PixelStars<0, 300> stars{StarX, StarY, StarDepth};
    stars.place(rnd, 200, width, height);
    stars.draw(Backdrop->canvas(), 200);
    Timer1->setEnabled(true);
    ReleaseAllSounds(game);
    StartEndingMusic(game);
}

void EndSeq::Timer1_Timer() {
    Picture1->cls();
    Surface& s = Picture1->canvas();
    PixelStars<0, 300>{StarX, StarY, StarDepth}.draw(s, 150);
    EndScrollTop -= 5;
    TextEngine& te = rt().text();
    const int h = Picture1->height();
    const int lineHeight = te.lineHeight(Picture1->font);
    double row = EndScrollTop;
    for (int i = 0; i <= EndLineCount && EndStopped != 1; ++i, row += lineHeight) {
        if (row >= h || row + lineHeight <= 0) continue;   // nothing of it would show
        // (Past the array's last entry there is nothing to print.)
        const std::string t = i + 1 <= EndLines.hi ? EndLines[i + 1] : std::string();
        int x = roundHalfEven(Picture1->width() / 2.0 - te.measure(Picture1->font, t) / 2.0);
        double y = EndScrollTop + static_cast<double>(EndLineHeight) * i;
        int c = fadeLevel(kEndFade, y, h);
        te.draw(s, Picture1->font, t, x, roundHalfEven(row), Color(c, c, 0));
    }
    Backdrop->canvas().blit(s, Rect{0, 0, Picture1->width(), h}, 0, kScrollerTop);
    // The text has moved far enough above the top: it stops, its last frame stays.
    if (EndScrollTop <= -3264) Timer1->setEnabled(false);
}

void EndSeq::Form_Click() {
    StopMusic(game);
    EndStopped = 1;
    Timer1->setEnabled(false);
    game.flow.endSequenceOver();
}

}  // namespace kv::frontend
