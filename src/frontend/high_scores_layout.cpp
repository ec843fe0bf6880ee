// The score table's controls, as laid out on the 800 x 600 frame.
#include "frontend/high_scores.h"

namespace kv::frontend {

namespace {
// A line height of 24 makes the ten colour bands three pixels each.
const Font kRowFont{16, true};
}  // namespace

HighScores::HighScores(Runtime& rt, Game& gm) : Form(rt, "HighScores", 800, 600), game(gm) {
    Backdrop = &add<PictureBox>("Backdrop", nullptr, Rect{0, 0, 800, 600}, kBlack);
    Backdrop->onClick = [this] { Form_Click(); };
    Image1 = &add<Image>("Image1", Backdrop, Rect{150, 12, 500, 80});
    Image1->setPicture(rt.pictures().get("HiScoreTitle"));
    Scape1 = &add<Image>("Scape1", Backdrop, Rect{200, 580, 400, 20});
    Scape1->setPicture(rt.pictures().get("Scape1"));
    for (int i = 1; i <= 12; ++i) {
        ScrName[i] = &add<PictureBox>(indexed("ScrName", i), nullptr,
                                      Rect{152, 104 + 40 * (i - 1), 249, 33}, kBlack);
        ScrScore[i] = &add<PictureBox>(indexed("ScrScore", i), nullptr,
                                       Rect{480, 104 + 40 * (i - 1), 153, 33}, kBlack);
        ScrName[i]->onClick = [this, i] { ScrName_Click(i); };
        ScrScore[i]->onClick = [this, i] { ScrScore_Click(i); };
    }
    NameSource = &add<PictureBox>("NameSource", nullptr, Rect{152, 104, 249, 33}, kBlack);
    ScoreSource = &add<PictureBox>("ScoreSource", nullptr, Rect{480, 104, 153, 33}, kBlack);
    for (PictureBox* scratch : {NameSource, ScoreSource}) {
        scratch->font = kRowFont;
        scratch->setVisible(false);
    }
}

}  // namespace kv::frontend
