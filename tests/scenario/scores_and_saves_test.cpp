// The pause dialog's Save and Quit, the score table in every way it is
// opened, the end sequence, and what damaged or unwritable data does. (A save,
// quitting to the table, back to the menu and loading the save again are
// played through in a real window by the front-end round trip.)
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>

#include "frontend/end_seq.h"
#include "frontend/high_scores.h"
#include "frontend/score_table.h"
#include "support/case_names.h"
#include "support/harness.h"
#include "support/scratch.h"

using namespace kv;
using kvtest::GameRun;
using kvtest::RunSetup;
using kvtest::slurp;
namespace fs = std::filesystem;

namespace {

const std::string kShipped = slurp(std::string(KORVANE_APP_DIR) + "Data/score.dat");

// Planet 3 in play, paused at 3400.
constexpr const char* kPaused = "3300 key 16\n3400 key 27\n";
// Then quit to the score table.
const std::string kQuit = std::string(kPaused) + "3500 press Command3\n3600 press Yes\n";

// ---- Save and Quit -----------------------------------------------------------

// The save dialog refuses, as a desktop's does, a name no save may or can go
// to, with a box over it that says why; the dialog then stays up.
struct Refusal {
    const char* name;
    std::function<std::string(const std::string& dataDir)> lay;   // lay: lays the trap and gives the name to type
    const char* says;
};
class TheSaveDialog : public testing::TestWithParam<Refusal> {};
TEST_P(TheSaveDialog, RefusesANameWithABoxAndStaysUp) {
    GameRun run(RunSetup{std::string(kPaused) + "3450 press Command1\n", 3, 3460});
    const std::string answer = GetParam().lay(run.dataDir());
    run.rt().scripts().setScript(
        ScriptSource::fromText("3500 key 27\n3600 press Command2\n3700 file " + answer + "\n3800 press OK\n"));
    run.runUntil(3900);
    ASSERT_EQ(run.titles(), (std::vector<std::string>{"Save Game...", "Save Game..."}));
    const std::string text = run.dump["messages"][1]["text"];
    EXPECT_NE(text.find(GetParam().says), std::string::npos) << text;
    EXPECT_EQ(run.dump["box"]["kind"], "file");
    EXPECT_EQ(slurp(std::string(KORVANE_APP_DIR) + "Data/score.dat"), kShipped);
    EXPECT_FALSE(fs::exists(run.dataDir() + "Data/score.dat"));
}
INSTANTIATE_TEST_SUITE_P(Names, TheSaveDialog, testing::Values(
        Refusal{"TheScoreTableNotYetWritten", [](const std::string&) { return "Data/score.dat"; },
                "the high score table"},
        Refusal{"ALinkToTheEndText",
                [](const std::string& d) {
                    fs::create_symlink(std::string(KORVANE_APP_DIR) + "Data/scroll.dat", d + "end.kvs");
                    return "end.kvs";
                },
                "the end sequence's text"},
        // "folder" is a name to the dialog; with its extension it is a folder.
        Refusal{"AFolder", [](const std::string& d) { fs::create_directory(d + "folder.kvs"); return "folder"; },
                "Is a directory"}),
    kvtest::CaseName{});

TEST(PauseDialog, QuitAsksWithThePlanetAndNoKeepsThePause) {
    GameRun run(RunSetup{std::string(kPaused) + "3500 press Command3\n3600 press No\n", 3, 3700});
    EXPECT_EQ(run.titles(), std::vector<std::string>{"Exit?"});
    EXPECT_EQ(run.dump["messages"][0]["text"], "Are you sure you wish to leave, you're on level 3?");
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"Form1", "InGameOptions"}));
}

// ---- The score table -------------------------------------------------------

const nlohmann::json& scoreVars(const GameRun& run) { return run.dump["form"]["HighScores"]["vars"]; }

TEST(HighScores, ViewedFromTheMenuItShowsTheShippedTableAndAClickAnywhereLeaves) {
    // The backdrop, a name and a score.
    for (const char* click : {"30 30", "200 110", "500 550"}) {
        GameRun run(RunSetup{"3200 press HSButt\n", {}, 3300, kvtest::chosen(1, "Vera")});
        EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"MainMenu", "HighScores"}));
        EXPECT_EQ(scoreVars(run)["ScoreNames"][0], "Ada Korvalis");
        EXPECT_EQ(scoreVars(run)["ScoreValues"][11], 1000);
        // Two hundred stars strewn over the whole screen.
        const auto xs = scoreVars(run)["StarX"].get<std::vector<int>>(), ys = scoreVars(run)["StarY"].get<std::vector<int>>();
        EXPECT_GT(std::set<int>(xs.begin(), xs.end()).size(), 150u);
        EXPECT_GT(*std::max_element(ys.begin(), ys.end()), 500);
        run.rt().scripts().setScript(ScriptSource::fromText("3400 click " + std::string(click) + "\n3500 press PlayButt\n"));
        run.runUntil(3450);
        EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"MainMenu"})) << click;
        EXPECT_EQ(run.dump["music"].size(), 5u);
        EXPECT_TRUE(fs::is_empty(run.dataDir()));
        // A game started after the table is a game whose end enters its score.
        run.runUntil(3600);
        EXPECT_EQ(run.shared()["ScoresFromMenu"], 0);
    }
}

// A game of a chosen score quit from the pause: the score table enters it.
struct FinishedGame : GameRun {
    explicit FinishedGame(std::int32_t score, const std::string& table = "", const std::string& name = "Newcomer",
                          const std::string& more = "")
        : GameRun(RunSetup{"", 1, 3350, kvtest::chosen(1, name)}) {
        if (!table.empty()) kvtest::put(dataDir() + "Data/score.dat", table);
        game().state.PlayerScore = score;
        rt().scripts().setScript(ScriptSource::fromText(kQuit + more));
        runUntil(3700);
    }
    std::string written() const { return slurp(dataDir() + "Data/score.dat"); }
};

TEST(HighScores, AScoreFromTheTwelfthUpIsEnteredAndAThirteenLineTableKeptUntilTheNextWrite) {
    // A table of its own, written by hand in another style: spaces, line feeds only, a thirteenth line.
    std::string own;
    for (int i = 1; i <= 13; ++i)
        own += "  Pilot " + std::to_string(i) + " ,   " + std::to_string(13000 - 1000 * i) + "\n";
    FinishedGame below(999, own), equal(1000, own, "Smith, \"Ace\""), first(12500, own);
    EXPECT_EQ(below.dump["forms"], nlohmann::json::array({"HighScores"}));
    EXPECT_EQ(below.written(), own);
    EXPECT_EQ(scoreVars(below)["ScoreNames"][11], "Pilot 12");
    // Under the name as the table can hold it, shown as written.
    EXPECT_EQ(frontend::readScoreTable(equal.written()).entries[11], (frontend::ScoreEntry{"Smith; 'Ace'", 1000}));
    EXPECT_EQ(scoreVars(equal)["ScoreNames"][11], "Smith; 'Ace'");
    const std::string written = first.written();
    EXPECT_EQ(frontend::readScoreTable(written).entries[0], (frontend::ScoreEntry{"Newcomer", 12500}));
    EXPECT_EQ(scoreVars(first)["ScoreValues"][1], 12000);
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 12);
}

TEST(HighScores, ADamagedTableStopsTheGameWithOneMessageAndIsNotRewritten) {
    const std::string eleven = kShipped.substr(0, kShipped.rfind("Cadet"));
    FinishedGame run(75000, eleven, "Newcomer", "3650 press OK\n");
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.titles(), (std::vector<std::string>{"Exit?", "Korvane Information"}));
    const std::string text = run.dump["messages"][1]["text"];
    EXPECT_EQ(text, "Korvane cannot use the file\r" + run.dataDir() +
                        "Data/score.dat\r\rThe high score table is damaged: line 12 is missing: the table needs 12 "
                        "lines of a name, a comma and a score.\r\rThe game will now close.");
    EXPECT_EQ(run.written(), eleven);
}

TEST(HighScores, ATableThatCannotBeReadStopsTheGameSayingWhy) {
    GameRun run(RunSetup{"", 1, 3350});
    fs::create_directories(run.dataDir() + "Data/score.dat");
    run.rt().scripts().setScript(ScriptSource::fromText(kQuit + "3650 press OK\n"));
    run.runUntil(3700);
    ASSERT_EQ(run.titles(), (std::vector<std::string>{"Exit?", "Korvane Information"}));
    const std::string text = run.dump["messages"][1]["text"];
    EXPECT_NE(text.find("The high score table cannot be read: Is a directory"), std::string::npos) << text;
    EXPECT_EQ(run.status, 1);
}

TEST(HighScores, ADataDirectoryThatCannotBeWrittenSaysSoOnceAndTheGameGoesOn) {
    GameRun run(RunSetup{"", 1, 3350});
    kvtest::put(run.dataDir() + "Data", "in the way");   // no folder can be made there
    run.game().state.PlayerScore = 75000;
    run.rt().scripts().setScript(ScriptSource::fromText(kQuit + "3700 press OK\n"));
    run.runUntil(3800);
    run.game().state.PlayerScore = 80000;   // the next game's end says nothing more
    run.screen<frontend::HighScores>().SortScores();
    run.refresh();
    ASSERT_EQ(run.titles(), (std::vector<std::string>{"Exit?", "High Scores"}));
    const std::string text = run.dump["messages"][1]["text"];
    EXPECT_NE(text.find(run.dataDir() + "Data/score.dat"), std::string::npos) << text;
    EXPECT_NE(text.find("goes on without saving"), std::string::npos) << text;
    EXPECT_EQ(scoreVars(run)["ScoreValues"][0], 80000);
}

// ---- The end sequence ------------------------------------------------------

const nlohmann::json& endVars(const GameRun& run) { return run.dump["form"]["EndSeq"]["vars"]; }

TEST(EndSequence, ScrollsTheEndTextToTheEndingMusicAndStopsByItselfPast3264) {
    kvtest::EndSequenceRun run("", kvtest::EndSequenceRun::kOpens + 10 * 10 + 1);
    EXPECT_EQ(run.music()[2], "load MODs/Ending.Mod");
    EXPECT_EQ(run.music().back(), "play ");
    EXPECT_EQ(endVars(run)["EndScrollTop"], 385 - 5 * 10);
    EXPECT_EQ(endVars(run)["EndLineHeight"], 24);
    EXPECT_EQ(endVars(run)["EndFadeDivisor"], 2);
    const auto depths = endVars(run)["StarDepth"].get<std::vector<int>>();   // room for 301, two hundred shown
    EXPECT_EQ(std::count_if(depths.begin(), depths.end(), [](int d) { return d >= 2; }), 200);
    run.runUntil(kvtest::EndSequenceRun::kOpens + 800 * 10);
    EXPECT_EQ(run.dump["form"]["EndSeq"]["timers"]["Timer1"]["enabled"], false);
    // 385 - 5 x 730: the first tick at or past -3264.
    EXPECT_EQ(endVars(run)["EndScrollTop"], -3265);
}

TEST(EndSequence, ALineHalfAboveTheTopStillShowsItsLowerHalf) {
    kvtest::EndSequenceRun run("", kvtest::EndSequenceRun::kOpens + 5);
    auto& end = run.screen<frontend::EndSeq>();
    const int half = run.rt().text().lineHeight(end.Picture1->font) / 2;
    EXPECT_EQ(half, 12);   // lines 24 apart, the pitch its fade takes
    end.EndScrollTop = static_cast<float>(5 - half);   // the tick takes 5 off
    end.Timer1_Timer();
    // The stars are bluish; the text is dimmed yellow, without blue, and centred.
    int ink = 0, blue = 0, left = 800, right = 0;
    for (int y = 0; y < half; ++y)
        for (int x = 0; x < end.Picture1->width(); ++x) {
            const Color c = end.Picture1->canvas().pixel(x, y);
            if (c.r == 0 || c.r != c.g) continue;
            ++ink, blue += c.b != 0, left = std::min(left, x), right = std::max(right, x);
        }
    EXPECT_GT(ink, 0);
    EXPECT_EQ(blue, 0);
    EXPECT_NEAR((left + right) / 2.0, end.Picture1->width() / 2.0, 4);
}

TEST(EndSequence, AClickEvenInTheFirstFrameStopsTheMusicForTheScoreTable) {
    kvtest::EndSequenceRun run("3201 click 400 300\n", kvtest::EndSequenceRun::kOpens + 100);
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"HighScores"}));
    EXPECT_EQ(run.music().back(), "destroy ");
    EXPECT_EQ(run.shared()["ScoresFromMenu"], 0);
}

TEST(BadInput, ADamagedMenuTextStopsTheGameWithOneMessageNamingTheFile) {
    kvtest::AppCopy app;
    kvtest::put(app / "Data/scroll2.dat", "40\r\nOnly\r\nthree\r\nlines\r\n");
    GameRun run(RunSetup{"3100 press OK\n", {}, 4000, {}, app.path()});
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.dump["messages"].size(), 1u);
    const std::string text = run.dump["messages"][0]["text"];
    EXPECT_NE(text.find(app.path() + "Data/scroll2.dat\r\rIt is damaged: it announces 39"), std::string::npos) << text;
}

}  // namespace
