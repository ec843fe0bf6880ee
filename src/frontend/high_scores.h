#pragma once
// The table of the twelve best scores over a still star field. Opened from the
// menu it only shows the table; at the end of a game it enters the score.
#include <cstdint>
#include <string>

#include "runtime/file_io.h"
#include "runtime/keys.h"
#include "runtime/runtime.h"
#include "shared/game.h"

namespace kv::frontend {

class HighScores : public Form {
public:
    HighScores(Runtime& rt, Game& game);
    void onLoad() override;          // Form_Load
    void SortScores();
    void Form_Click();
    // Any key (or the pad) leaves as a click does; Alt alone may be the start
    // of Alt+Enter.
    void keyDown(int key) override {
        if (key != vk::Menu) Form_Click();
    }
    void ScrName_Click(int index);
    void ScrScore_Click(int index);

    // Where the table is read from and written to: Data/score.dat in the data
    // directory; until that exists, the shipped table in the program directory.
    std::string tablePath() const;
    std::string shippedTablePath() const;

    Game& game;
    PictureBox* Backdrop;   // the screen's own drawing surface: the stars are drawn here
    Image* Image1;          // the "HIGH SCORES" heading
    Image* Scape1;          // a strip of planet surface at the foot of the table
    Array<PictureBox*, 1, 12> ScrName{};
    Array<PictureBox*, 1, 12> ScrScore{};
    PictureBox* NameSource;
    PictureBox* ScoreSource;

    KV_VAR(ScoreNames, Array<std::string, 1, 12>);
    KV_VAR(ScoreValues, Array<std::int32_t, 1, 12>);
    KV_VAR(StarX, Array<Int16, 1, 200>);
    KV_VAR(StarY, Array<Int16, 1, 200>);
    KV_VAR(StarDepth, Array<Int16, 1, 200>);

    // How long a game waits for another to finish with the table.
    static constexpr int kLockWaitMs = 10000;

private:
    void readTable();
    void paintRows();
    bool lockTable(FileLock& lock, std::string& why);
    void cannotKeep(const std::string& why);
};

}  // namespace kv::frontend
