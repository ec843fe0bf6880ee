// The pause dialog's Save and Quit, the score table in every way it is
// opened, the end sequence, and what damaged or unwritable data does.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "frontend/end_seq.h"
#include "frontend/save_code.h"
#include "frontend/score_table.h"
#include "frontend/scroll_text.h"
#include "support/case_names.h"
#include "support/harness.h"

using namespace kv;
using kvtest::GameRun;
using kvtest::RunSetup;
namespace fs = std::filesystem;

namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

const std::string kShipped = slurp(std::string(KORVANE_APP_DIR) + "Data/score.dat");

std::vector<std::string> messageTitles(const nlohmann::json& dump) {
    std::vector<std::string> out;
    for (const auto& m : dump["messages"]) out.push_back(m["title"]);
    return out;
}

// Planet 3 in play, paused at 3400.
constexpr const char* kPaused = "3300 key 16\n3400 key 27\n";

// ---- Save ------------------------------------------------------------------

TEST(PauseDialog, SaveWritesTheCodedFileAndSaysWhere) {
    GameRun run(RunSetup{std::string(kPaused) + "3500 press Command2\n3600 file planet three\n", 3, 3700});
    std::string path = run.dataDir() + "planet three.kvs";
    const auto& msgs = run.dump["messages"];
    ASSERT_EQ(msgs.size(), 2u);
    EXPECT_EQ(msgs[0]["kind"], "file");
    EXPECT_EQ(msgs[0]["title"], "Save Game...");
    EXPECT_EQ(msgs[0]["answer"], path);
    EXPECT_EQ(msgs[1]["title"], "Save complete");
    EXPECT_EQ(msgs[1]["text"], "Game saved as " + path + ".");
    EXPECT_EQ(slurp(path), frontend::writeSaveFile(frontend::SavedGame{3, 0, 0, 3}));
    // The pause stays up for more.
    EXPECT_EQ(run.dump["active"], "InGameOptions");
}

TEST(PauseDialog, TheSaveDialogOffersMyGameAndCancelSavesNothing) {
    GameRun run(RunSetup{std::string(kPaused) + "3500 press Command2\n3600 file cancel\n", 3, 3700});
    ASSERT_EQ(run.dump["messages"].size(), 1u);
    EXPECT_EQ(run.dump["messages"][0]["answer"], "Cancel");
    EXPECT_TRUE(fs::is_empty(run.dataDir()));
    EXPECT_EQ(run.dump["box"], nullptr);
}

TEST(PauseDialog, TheDialogShowsItsInitialNameInTheDataDirectory) {
    GameRun run(RunSetup{std::string(kPaused) + "3500 press Command2\n", 3, 3600});
    EXPECT_EQ(run.dump["box"]["kind"], "file");
    EXPECT_EQ(run.dump["box"]["text"], run.dataDir());
    EXPECT_EQ(run.dump["box"]["answer"], "myGame.kvs");
}

TEST(PauseDialog, AFailedWriteEndsTheSaveQuietly) {
    GameRun run(RunSetup{std::string(kPaused) + "3450 press Command1\n", 3, 3460});
    std::ofstream(run.dataDir() + "afile") << "x";
    // Into a "folder" that is a file: the write cannot happen.
    run.rt().setScript(ScriptSource::fromText("3500 key 27\n3600 press Command2\n3700 file afile/game\n"));
    run.runUntil(3800);
    EXPECT_EQ(messageTitles(run.dump), std::vector<std::string>{"Save Game..."});
    EXPECT_EQ(run.dump["active"], "InGameOptions");
}

// ---- Quit ----------------------------------------------------------------

TEST(PauseDialog, QuitAsksWithThePlanetAndNoKeepsThePause) {
    GameRun run(RunSetup{std::string(kPaused) + "3500 press Command3\n3600 press No\n", 3, 3700});
    ASSERT_EQ(run.dump["messages"].size(), 1u);
    EXPECT_EQ(run.dump["messages"][0]["text"], "Are you sure you wish to leave, you're on level 3?");
    EXPECT_EQ(run.dump["messages"][0]["title"], "Exit?");
    EXPECT_EQ(run.dump["messages"][0]["kind"], "question");
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"Form1", "InGameOptions"}));
}

TEST(PauseDialog, QuitClosesThePlanetForTheScoreTable) {
    GameRun run(RunSetup{std::string(kPaused) + "3500 press Command3\n3600 press Yes\n", 3, 3700});
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"HighScores"}));
    EXPECT_FALSE(run.planetLoaded());
    EXPECT_EQ(run.shared()["ScoresFromMenu"], 0);
    // A score of 0 stays out of the table: nothing is written.
    EXPECT_TRUE(fs::is_empty(run.dataDir()));
}

// ---- The score table -------------------------------------------------------

const nlohmann::json& scoreVars(const GameRun& run) { return run.dump["form"]["HighScores"]["vars"]; }

TEST(HighScores, ViewedFromTheMenuItShowsTheShippedTableAndWritesNothing) {
    GameRun run(RunSetup{"3200 press HSButt\n", {}, 3300});
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"MainMenu", "HighScores"}));
    EXPECT_EQ(scoreVars(run)["ScoreNames"][0], "Ada Korvalis");
    EXPECT_EQ(scoreVars(run)["ScoreValues"][11], 1000);
    EXPECT_EQ(scoreVars(run)["StarDepth"].size(), 200u);
    EXPECT_TRUE(fs::is_empty(run.dataDir()));
    // A click anywhere closes it; the menu and its music go on underneath.
    run.rt().setScript(ScriptSource::fromText("3400 click 30 30\n"));
    run.runUntil(3500);
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"MainMenu"}));
    EXPECT_EQ(run.dump["music"].size(), 5u);
}

// A game of a chosen score quit from the pause: the score table enters it.
struct FinishedGame : GameRun {
    explicit FinishedGame(std::int32_t score, const std::string& table = "", const std::string& name = "Newcomer",
                          const std::string& more = "")
        : GameRun(RunSetup{"", 1, 3350, [name](Game& g) {
                               // Options chosen: this name, the keyboard, sound on.
                               g.state.PlayerName = name;
                               g.state.OptionsChosen = 1;
                               g.state.ControlDevice = 1;
                               g.state.SoundOn = 1;
                           }}) {
        if (!table.empty()) {
            fs::create_directories(dataDir() + "Data");
            std::ofstream(dataDir() + "Data/score.dat", std::ios::binary) << table;
        }
        game().state.PlayerScore = score;
        rt().setScript(ScriptSource::fromText("3300 key 16\n3400 key 27\n3500 press Command3\n3600 press Yes\n" + more));
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
                                         EntryCase{"EqualToTheFifth", 29800, 5},
                                         EntryCase{"ANewFirstPlace", 75000, 1}),
                         kvtest::CaseName{});

TEST(HighScores, AScoreBelowTheTwelfthLeavesAnExistingTableByteForByte) {
    // A table of its own, written by hand in another style: spaces and LF only.
    std::string own;
    for (int i = 1; i <= 12; ++i) own += "  Pilot " + std::to_string(i) + " ,   " + std::to_string(13000 - 1000 * i) + "\n";
    FinishedGame run(999, own);
    EXPECT_EQ(run.written(), own);
    EXPECT_EQ(scoreVars(run)["ScoreNames"][0], "Pilot 1");
}

TEST(HighScores, AClickAfterAGameGoesBackToTheMenu) {
    FinishedGame run(5000);
    run.rt().setScript(ScriptSource::fromText("3800 click 400 300\n"));
    run.runUntil(3900);
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"MainMenu"}));
    EXPECT_EQ(run.dump["music"][0]["op"], "create");
}

TEST(HighScores, ANameWithOddCharactersIsWrittenAndReadBack) {
    // The registry's twelve characters of a NUL-ended buffer, a quote and a comma.
    std::string name("Zo\xC3\xAB \"Ace\", Jr\0  ", 16);
    FinishedGame run(75000, "", name);
    frontend::ScoreTableRead back = frontend::readScoreTable(run.written());
    ASSERT_EQ(back.error, "");
    EXPECT_EQ(back.entries[0].name, "Zo\xC3\xAB 'Ace'; Jr");
    EXPECT_EQ(scoreVars(run)["ScoreNames"][0], back.entries[0].name);
}

struct DamagedTable {
    const char* name;
    std::string bytes;
    std::string problem;
};
class DamagedTables : public testing::TestWithParam<DamagedTable> {};
TEST_P(DamagedTables, StopTheGameWithOneMessageAndAreNotRewritten) {
    const DamagedTable& c = GetParam();
    FinishedGame run(75000, c.bytes, "Newcomer", "3650 press OK\n");
    std::string path = run.dataDir() + "Data/score.dat";
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(messageTitles(run.dump), (std::vector<std::string>{"Exit?", "Korvane Information"}));
    std::string text = run.dump["messages"][1]["text"];
    EXPECT_NE(text.find(path), std::string::npos) << text;
    EXPECT_NE(text.find(c.problem), std::string::npos) << text;
    EXPECT_EQ(run.written(), c.bytes);
}
INSTANTIATE_TEST_SUITE_P(
    Tables, DamagedTables,
    testing::Values(DamagedTable{"ElevenLines", kShipped.substr(0, kShipped.rfind("Cadet")), "line 12 is missing"},
                    DamagedTable{"NoComma", "Nobody 100\r\n" + kShipped, "line 1 has no comma"},
                    DamagedTable{"NotANumber", "Nobody, many\r\n" + kShipped, "is not a whole number"},
                    DamagedTable{"Binary", std::string("\x89PNG\r\n\x1a\n\0\0", 10), "not a text file"}),
    kvtest::CaseName{});

TEST(HighScores, ADataDirectoryThatCannotBeWrittenSaysSoAndTheGameGoesOn) {
    GameRun run(RunSetup{"", 1, 3350});
    std::ofstream(run.dataDir() + "Data") << "in the way";   // no folder can be made there
    run.game().state.PlayerScore = 75000;
    run.rt().setScript(ScriptSource::fromText(
        "3300 key 16\n3400 key 27\n3500 press Command3\n3600 press Yes\n3700 press OK\n3800 click 400 300\n"));
    run.runUntil(3900);
    ASSERT_EQ(messageTitles(run.dump), (std::vector<std::string>{"Exit?", "High Scores"}));
    std::string text = run.dump["messages"][1]["text"];
    EXPECT_NE(text.find(run.dataDir() + "Data/score.dat"), std::string::npos) << text;
    EXPECT_NE(text.find("goes on without saving"), std::string::npos) << text;
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"MainMenu"}));
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

TEST(EndSequence, ScrollsTheEndTextWithTheEndingMusicPlayedOnce) {
    kvtest::EndSequenceRun run("", kvtest::EndSequenceRun::kOpens + 10 * frontend::kScrollerTickMs + 1);
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"EndSeq"}));
    std::vector<std::string> calls;
    for (const auto& m : run.dump["music"]) calls.push_back(m["op"].get<std::string>() + " " + m["arg"].get<std::string>());
    EXPECT_EQ(calls, (std::vector<std::string>{"create loop|false", "bind musicFRM", "load MODs/Ending.Mod", "seek 0",
                                               "play "}));
    EXPECT_EQ(endVars(run)["EndScrollTop"], 385 - 5 * 10);
    EXPECT_EQ(endVars(run)["EndLineHeight"], 24);
    EXPECT_EQ(endVars(run)["EndStopped"], 0);
    EXPECT_EQ(endVars(run)["EndLines"][1], "The mother ship breaks apart");
}

TEST(EndSequence, StopsByItselfPast3264AndKeepsItsLastFrame) {
    kvtest::EndSequenceRun run("", kvtest::EndSequenceRun::kOpens + 800 * frontend::kScrollerTickMs);
    EXPECT_EQ(run.dump["form"]["EndSeq"]["timers"]["Timer1"]["enabled"], false);
    // 385 - 5 x 730: the first tick at or past -3264.
    EXPECT_EQ(endVars(run)["EndScrollTop"], -3265);
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"EndSeq"}));
}

TEST(EndSequence, AClickEvenInTheFirstFrameStopsTheMusicForTheScoreTable) {
    kvtest::EndSequenceRun run("3201 click 400 300\n", kvtest::EndSequenceRun::kOpens + 100, [](Game& g) {
        g.state.PlayerName = "Victor";
        g.state.OptionsChosen = 1;
    });
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"HighScores"}));
    EXPECT_FALSE(run.dump["form"].contains("EndSeq"));
    const auto& music = run.dump["music"];
    ASSERT_EQ(music.size(), 7u);
    EXPECT_EQ(music[5]["op"], "stop");
    EXPECT_EQ(music[6]["op"], "destroy");
    EXPECT_EQ(run.shared()["ScoresFromMenu"], 0);
}

// ---- Damaged scroller texts --------------------------------------------

// A program directory like the real one, with its own Data folder.
struct AppCopy {
    fs::path dir;
    explicit AppCopy(const std::string& name) {
        dir = fs::temp_directory_path() / ("korvane-app-" + name);
        fs::remove_all(dir);
        fs::create_directories(dir / "Data");
        fs::path app = KORVANE_APP_DIR;
        for (const char* sub : {"Pictures", "Fonts", "MODs", "Samples"}) fs::create_directory_symlink(app / sub, dir / sub);
        for (const char* f : {"score.dat", "scroll.dat", "scroll2.dat"}) fs::copy_file(app / "Data" / f, dir / "Data" / f);
    }
    ~AppCopy() { fs::remove_all(dir); }
    void write(const std::string& file, const std::string& bytes) {
        std::ofstream(dir / "Data" / file, std::ios::binary | std::ios::trunc) << bytes;
    }
    std::string path() const { return dir.string() + "/"; }
};

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
    AppCopy app(kvtest::identifier(c.name));
    app.write(c.file, c.bytes);
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
        ScrollDamage{"MenuCountLargerThanTheArray", "scroll2.dat", false, "5000\r\nMany\r\n", "holds at most 999"},
        ScrollDamage{"EndCountNotANumber", "scroll.dat", true, "many\r\nlines\r\n", "number of lines"},
        ScrollDamage{"EndBinary", "scroll.dat", true, std::string("3\r\n\0\0\0\r\n", 8), "not a text file"}),
    kvtest::CaseName{});

}  // namespace
