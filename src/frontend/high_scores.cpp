#include "frontend/high_scores.h"

#include "frontend/data_files.h"
#include "frontend/pixel_stars.h"
#include "frontend/score_table.h"
#include "runtime/file_io.h"
#include "shared/text_gradient.h"

namespace kv::frontend {

std::string HighScores::tablePath() const { return Game::nativePath(game.rt.config().dataDir + "Data/score.dat"); }

std::string HighScores::shippedTablePath() const { return Game::nativePath(game.state.AppDir + "Data\\score.dat"); }

void HighScores::onLoad() {
    show();
    readTable();
    Random& rnd = rt().random();
    rnd.randomize(rt().now());
    PixelStars<1, 200> stars{StarX, StarY, StarDepth};
    stars.place(rnd, 200, width, height);
    paintRows();
    stars.draw(Backdrop->canvas(), 200);
    if (game.state.ScoresFromMenu == 0) SortScores();
}

void HighScores::readTable() {
    std::string path = tablePath();
    FileBytes file = readDataFile(path, kMostScoreBytes);
    // No table of its own yet: the data directory starts from the shipped one.
    if (file.status == FileBytes::Status::Missing) {
        path = shippedTablePath();
        file = readDataFile(path, kMostScoreBytes);
    }
    if (!file.ok()) stopForDataFile(game, path, "The high score table cannot be read: " + file.error);
    ScoreTableRead table = readScoreTable(file.bytes);
    if (!table.error.empty()) stopForDataFile(game, path, "The high score table is damaged: " + table.error);
    for (int i = 1; i <= 12; ++i) {
        ScoreNames[i] = table.entries[std::size_t(i - 1)].name;
        ScoreValues[i] = table.entries[std::size_t(i - 1)].score;
    }
}

void HighScores::paintRows() {
    int r = 0, g = 255;
    for (int i = 1; i <= 12; ++i) {
        TextGradient(rt(), ScoreNames[i], *NameSource, *ScrName[i], r, g, 0, 50, 0, 80, kBlack);
        TextGradient(rt(), std::to_string(ScoreValues[i]), *ScoreSource, *ScrScore[i], r, g, 0, 50, 0, 80, kBlack);
        r += 21;
        g -= 21;
    }
}

void HighScores::SortScores() {
    SharedState& g = game.state;
    if (g.PlayerScore < ScoreValues[12]) return;
    // Other games may have entered scores since this one read the table: under
    // the table's lock the score goes into the table as it is now.
    FileLock lock;
    std::string why;
    const bool keeping = lockTable(lock, why);
    if (keeping) readTable();
    std::vector<ScoreEntry> table;
    for (int i = 1; i <= 12; ++i) table.push_back(ScoreEntry{ScoreNames[i], ScoreValues[i]});
    // The name as the file can hold it and give back: what is shown is what is kept.
    const bool entered = enterScore(table, tableName(g.PlayerName), g.PlayerScore);
    for (int i = 1; i <= 12; ++i) {
        ScoreNames[i] = table[std::size_t(i - 1)].name;
        ScoreValues[i] = table[std::size_t(i - 1)].score;
    }
    // The rows show the table as it is now, the score in it or not.
    if (entered || keeping) paintRows();
    if (!entered) return;
    if (!keeping) {
        cannotKeep(why);
        return;
    }
    if (!writeDataFile(tablePath(), writeScoreTable(table), why)) cannotKeep(why);
}

bool HighScores::lockTable(FileLock& lock, std::string& why) {
    if (!rt().config().keepsFiles) {
        why = "There is no home folder to keep it in";
        return false;
    }
    // The lock file lies beside the file the table really is (a link is followed).
    const std::string path = tablePath();
    std::string table;
    return makeFolderFor(path, why) && resolveWriteTarget(path, table, why) &&
           lock.acquire(table + ".lock", kLockWaitMs, why);
}

void HighScores::cannotKeep(const std::string& why) {
    // Said once in a run: the next game's end would only say it again.
    if (game.scoreNotKeptSaid) return;
    game.scoreNotKeptSaid = true;
    rt().boxes().msgBox("Your score could not be kept: the high score table\r" + tablePath() + "\r" + why +
                    ".\r\rThe game goes on without saving it.",
                "High Scores", BoxButtons::OK, BoxIcon::Exclamation);
}

void HighScores::Form_Click() {
    SharedState& g = game.state;
    // Opened from the menu, the menu is still there underneath.
    if (g.ScoresFromMenu == 1) {
        game.flow.scoresViewed();
        return;
    }
    if (g.ScoresFromMenu == 0) game.flow.mainMenu();
}

void HighScores::ScrName_Click(int) { Form_Click(); }

void HighScores::ScrScore_Click(int) { Form_Click(); }

}  // namespace kv::frontend
