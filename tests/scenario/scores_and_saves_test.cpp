// The pause dialog's Save and Quit, the score table in every way it is
// opened, the end sequence, and what damaged or unwritable data does. (A save,
// quitting to the table, back to the menu and loading the save again are
// played through in a real window by the front-end round trip.)
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "frontend/end_seq.h"
#include "frontend/high_scores.h"
#include "frontend/save_code.h"
#include "frontend/score_table.h"
#include "frontend/scroll_text.h"
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

// ---- Save ------------------------------------------------------------------

TEST(PauseDialog, CancelInTheSaveDialogSavesNothing) {
    GameRun run(RunSetup{std::string(kPaused) + "3500 press Command2\n3600 file cancel\n", 3, 3700});
    ASSERT_EQ(run.dump["messages"].size(), 1u);
    EXPECT_EQ(run.dump["messages"][0]["answer"], "Cancel");
    EXPECT_TRUE(fs::is_empty(run.dataDir()));
    EXPECT_EQ(run.dump["box"], nullptr);
}

// The save dialog refuses, as a desktop's does, a name no save may or can go
// to, with a box over it that says why; the dialog then stays up. (A write
// that fails even so, on a full disk, ends the handler quietly.)
struct Refusal {
    const char* name;
    std::function<std::string(const std::string& dataDir)> lay;   // lays the trap, gives the name to type
    const char* says;
};
class TheSaveDialog : public testing::TestWithParam<Refusal> {};
TEST_P(TheSaveDialog, RefusesANameWithABoxAndStaysUp) {
    GameRun run(RunSetup{std::string(kPaused) + "3450 press Command1\n", 3, 3460});
    const std::string answer = GetParam().lay(run.dataDir());
    const std::string table = slurp(std::string(KORVANE_APP_DIR) + "Data/score.dat");
    run.rt().scripts().setScript(
        ScriptSource::fromText("3500 key 27\n3600 press Command2\n3700 file " + answer + "\n3800 press OK\n"));
    run.runUntil(3900);
    ASSERT_EQ(run.titles(), (std::vector<std::string>{"Save Game...", "Save Game..."}));
    const std::string text = run.dump["messages"][1]["text"];
    EXPECT_NE(text.find(GetParam().says), std::string::npos) << text;
    EXPECT_EQ(run.dump["box"]["kind"], "file");
    EXPECT_EQ(slurp(std::string(KORVANE_APP_DIR) + "Data/score.dat"), table);
    EXPECT_FALSE(fs::exists(run.dataDir() + "Data/score.dat"));
}
INSTANTIATE_TEST_SUITE_P(
    Names, TheSaveDialog,
    testing::Values(
        Refusal{"TheScoreTableNotYetWritten", [](const std::string&) { return "Data/score.dat"; }, "the high score table"},
        Refusal{"AWayRoundToTheMenuText",
                [](const std::string&) { return std::string(KORVANE_APP_DIR) + "Pictures/../Data/scroll2.dat"; },
                "the main menu's text"},
        Refusal{"ALinkToTheEndText",
                [](const std::string& d) {
                    fs::create_symlink(std::string(KORVANE_APP_DIR) + "Data/scroll.dat", d + "end.kvs");
                    return "end.kvs";
                },
                "the end sequence's text"},
        // "folder" is a name to the dialog; with its extension it is a folder.
        Refusal{"AFolder",
                [](const std::string& d) {
                    fs::create_directory(d + "folder.kvs");
                    return "folder";
                },
                "Is a directory"},
        Refusal{"ANamedPipe",
                [](const std::string& d) {
                    ::mkfifo((d + "pipe.kvs").c_str(), 0600);
                    return "pipe.kvs";
                },
                "named pipe"}),
    kvtest::CaseName{});

// ---- Quit ----------------------------------------------------------------

TEST(PauseDialog, QuitAsksWithThePlanetAndNoKeepsThePause) {
    GameRun run(RunSetup{std::string(kPaused) + "3500 press Command3\n3600 press No\n", 3, 3700});
    EXPECT_EQ(run.titles(), std::vector<std::string>{"Exit?"});
    EXPECT_EQ(run.dump["messages"][0]["text"], "Are you sure you wish to leave, you're on level 3?");
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"Form1", "InGameOptions"}));
}

// ---- The score table -------------------------------------------------------

const nlohmann::json& scoreVars(const GameRun& run) { return run.dump["form"]["HighScores"]["vars"]; }

TEST(HighScores, ViewedFromTheMenuItShowsTheShippedTableAndWritesNothing) {
    GameRun run(RunSetup{"3200 press HSButt\n", {}, 3300});
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"MainMenu", "HighScores"}));
    EXPECT_EQ(scoreVars(run)["ScoreNames"][0], "Ada Korvalis");
    EXPECT_EQ(scoreVars(run)["ScoreValues"][11], 1000);
    EXPECT_TRUE(fs::is_empty(run.dataDir()));
    // A click anywhere closes it; the menu and its music go on underneath.
    run.rt().scripts().setScript(ScriptSource::fromText("3400 click 30 30\n"));
    run.runUntil(3500);
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"MainMenu"}));
    EXPECT_EQ(run.dump["music"].size(), 5u);
}

// A game of a chosen score quit from the pause: the score table enters it.
struct FinishedGame : GameRun {
    explicit FinishedGame(std::int32_t score, const std::string& table = "", const std::string& name = "Newcomer",
                          const std::string& more = "")
        : GameRun(RunSetup{"", 1, 3350, kvtest::chosen(1, name)}) {
        if (!table.empty()) kvtest::put(dataDir() + "Data/score.dat", table);
        game().state.PlayerScore = score;
        rt().scripts().setScript(ScriptSource::fromText("3300 key 16\n3400 key 27\n3500 press Command3\n3600 press Yes\n" + more));
        runUntil(3700);
    }
    std::string written() const { return slurp(dataDir() + "Data/score.dat"); }
    bool wroteTable() const { return fs::exists(dataDir() + "Data/score.dat"); }
};

struct EntryCase {
    const char* name;
    std::int32_t score;
    int row;   // where the newcomer lands; 0: not at all
};
class EnteringAScore : public testing::TestWithParam<EntryCase> {};
TEST_P(EnteringAScore, RewritesTheTableInTheDataDirectoryOrLeavesItAlone) {
    const EntryCase& c = GetParam();
    FinishedGame run(c.score);
    ASSERT_EQ(run.dump["forms"], nlohmann::json::array({"HighScores"}));
    frontend::ScoreTableRead shipped = frontend::readScoreTable(kShipped);
    std::vector<frontend::ScoreEntry> expected = shipped.entries;
    if (c.row == 0) {
        EXPECT_FALSE(run.wroteTable());
    } else {
        EXPECT_TRUE(frontend::enterScore(expected, "Newcomer", c.score));
        EXPECT_EQ(run.written(), frontend::writeScoreTable(expected));
        EXPECT_EQ(expected[std::size_t(c.row - 1)].name, "Newcomer");
    }
    for (int i = 1; i <= 12; ++i) {
        EXPECT_EQ(scoreVars(run)["ScoreNames"][i - 1], expected[std::size_t(i - 1)].name);
        EXPECT_EQ(scoreVars(run)["ScoreValues"][i - 1], expected[std::size_t(i - 1)].score);
    }
}
INSTANTIATE_TEST_SUITE_P(Scores, EnteringAScore,
                         testing::Values(EntryCase{"BelowTheTwelfth", 999, 0},
                                         EntryCase{"EqualToTheTwelfth", 1000, 12},
                                         EntryCase{"ANewFirstPlace", 75000, 1}),
                         kvtest::CaseName{});

TEST(HighScores, AThirteenLineTableShowsItsFirstTwelveAndKeepsTheRestUntilTheNextWrite) {
    // A table of its own, written by hand in another style: spaces and LF only.
    std::string own;
    for (int i = 1; i <= 13; ++i) own += "  Pilot " + std::to_string(i) + " ,   " + std::to_string(13000 - 1000 * i) + "\n";
    FinishedGame below(999, own);
    EXPECT_EQ(below.written(), own);
    EXPECT_EQ(scoreVars(below)["ScoreNames"][0], "Pilot 1");
    EXPECT_EQ(scoreVars(below)["ScoreNames"][11], "Pilot 12");
    FinishedGame entered(12500, own);
    const std::string written = entered.written();
    EXPECT_EQ(frontend::readScoreTable(written).entries[0].name, "Newcomer");
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 12);
}

TEST(HighScores, ANameWithOddCharactersIsWrittenAndReadBack) {
    // The registry's twelve characters of a NUL-ended buffer, a quote, a comma
    // and a C1 control character (CSI, which a terminal would act on).
    std::string name("Zo\xC3\xAB \"Ace\",\xC2\x9B Jr\0  ", 18);
    FinishedGame run(75000, "", name);
    frontend::ScoreTableRead back = frontend::readScoreTable(run.written());
    ASSERT_EQ(back.error, "");
    EXPECT_EQ(back.entries[0].name, "Zo\xC3\xAB 'Ace'; Jr");
    EXPECT_EQ(scoreVars(run)["ScoreNames"][0], back.entries[0].name);
}

TEST(HighScores, ADamagedTableStopsTheGameWithOneMessageAndIsNotRewritten) {
    for (auto [bytes, problem] : {std::pair{kShipped.substr(0, kShipped.rfind("Cadet")), "line 12 is missing"},
                                  {std::string("\x89PNG\r\n\x1a\n\0\0", 10), "not a text file"}}) {
        FinishedGame run(75000, bytes, "Newcomer", "3650 press OK\n");
        EXPECT_EQ(run.status, 1);
        ASSERT_EQ(run.titles(), (std::vector<std::string>{"Exit?", "Korvane Information"}));
        const std::string text = run.dump["messages"][1]["text"];
        EXPECT_NE(text.find(run.dataDir() + "Data/score.dat"), std::string::npos) << text;
        EXPECT_NE(text.find(problem), std::string::npos) << text;
        EXPECT_EQ(run.written(), bytes);
    }
}

TEST(HighScores, ADataDirectoryThatCannotBeWrittenSaysSoAndTheGameGoesOn) {
    GameRun run(RunSetup{"", 1, 3350});
    kvtest::put(run.dataDir() + "Data", "in the way");   // no folder can be made there
    run.game().state.PlayerScore = 75000;
    run.rt().scripts().setScript(ScriptSource::fromText(
        "3300 key 16\n3400 key 27\n3500 press Command3\n3600 press Yes\n3700 press OK\n3800 click 400 300\n"));
    run.runUntil(3900);
    ASSERT_EQ(run.titles(), (std::vector<std::string>{"Exit?", "High Scores"}));
    std::string text = run.dump["messages"][1]["text"];
    EXPECT_NE(text.find(run.dataDir() + "Data/score.dat"), std::string::npos) << text;
    EXPECT_NE(text.find("goes on without saving"), std::string::npos) << text;
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"MainMenu"}));
    // Said once in a run: the next game's score goes unkept without a word.
    run.rt().scripts().setScript(ScriptSource::fromText("3950 press HSButt\n"));
    run.runUntil(4000);
    run.game().state.PlayerScore = 80000;
    run.screen<frontend::HighScores>().SortScores();
    run.refresh();
    EXPECT_EQ(run.titles().size(), 2u);
    EXPECT_EQ(scoreVars(run)["ScoreValues"][0], 80000);
}

TEST(HighScores, GameOverOnThePlanetLeadsHereToEnterTheScore) {
    kvtest::PlanetInPlay run(1);
    run.g.PlayerScore = 75000;
    run.f.EndWait2_Timer();
    run.refresh();
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"HighScores"}));
    EXPECT_EQ(scoreVars(run)["ScoreValues"][0], 75000);
    EXPECT_TRUE(fs::exists(run.dataDir() + "Data/score.dat"));
}

// ---- The end sequence ------------------------------------------------------

const nlohmann::json& endVars(const GameRun& run) { return run.dump["form"]["EndSeq"]["vars"]; }

TEST(EndSequence, ScrollsTheEndTextToTheEndingMusicAndStopsByItselfPast3264) {
    kvtest::EndSequenceRun run("", kvtest::EndSequenceRun::kOpens + 10 * frontend::kScrollerTickMs + 1);
    EXPECT_EQ(run.music()[2], "load MODs/Ending.Mod");
    EXPECT_EQ(run.music().back(), "play ");
    EXPECT_EQ(endVars(run)["EndScrollTop"], 385 - 5 * 10);
    EXPECT_EQ(endVars(run)["EndLines"][1], "The mother ship breaks apart");
    run.runUntil(kvtest::EndSequenceRun::kOpens + 800 * frontend::kScrollerTickMs);
    EXPECT_EQ(run.dump["form"]["EndSeq"]["timers"]["Timer1"]["enabled"], false);
    // 385 - 5 x 730: the first tick at or past -3264.
    EXPECT_EQ(endVars(run)["EndScrollTop"], -3265);
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"EndSeq"}));
}

TEST(EndSequence, AClickEvenInTheFirstFrameStopsTheMusicForTheScoreTable) {
    kvtest::EndSequenceRun run("3201 click 400 300\n", kvtest::EndSequenceRun::kOpens + 100, kvtest::chosen(1, "Victor"));
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"HighScores"}));
    EXPECT_EQ(run.music().back(), "destroy ");
    EXPECT_EQ(run.shared()["ScoresFromMenu"], 0);
}

// ---- Damaged scroller texts --------------------------------------------

struct ScrollDamage {
    const char* name;
    const char* file;
    bool atTheEnd;   // the end sequence's text, else the menu's
    std::string bytes;
    std::string problem;
};
class DamagedScrollers : public testing::TestWithParam<ScrollDamage> {};
TEST_P(DamagedScrollers, StopTheGameWithOneMessageNamingTheFile) {
    const ScrollDamage& c = GetParam();
    kvtest::AppCopy app;
    kvtest::put(app / ("Data/" + std::string(c.file)), c.bytes);
    auto run = c.atTheEnd ? std::unique_ptr<GameRun>(std::make_unique<kvtest::EndSequenceRun>(
                                "3300 press OK\n", 4000, nullptr, app.path()))
                          : std::make_unique<GameRun>(RunSetup{"3100 press OK\n", {}, 4000, {}, app.path()});
    EXPECT_EQ(run->status, 1);
    ASSERT_EQ(run->dump["messages"].size(), 1u);
    std::string text = run->dump["messages"][0]["text"];
    EXPECT_NE(text.find(app.path() + "Data/" + c.file), std::string::npos) << text;
    EXPECT_NE(text.find(c.problem), std::string::npos) << text;
}
INSTANTIATE_TEST_SUITE_P(
    Texts, DamagedScrollers,
    testing::Values(
        ScrollDamage{"MenuCountLargerThanItsLines", "scroll2.dat", false, "40\r\nOnly\r\nthree\r\nlines\r\n",
                     "announces 39 lines of text but holds only 3"},
        ScrollDamage{"EndBinary", "scroll.dat", true, std::string("3\r\n\0\0\0\r\n", 8), "not a text file"}),
    kvtest::CaseName{});

}  // namespace
