// Every screen without a mouse: the menu, the score table and the end sequence
// by keys and by a pad (the script's joystick), a pad-only game from start-up
// to the score table and back through a saved game, and the window's close
// button in and out of a game.
#include <gtest/gtest.h>

#include "support/case_names.h"
#include "support/harness.h"
#include "support/scratch.h"

#include <algorithm>
#include <sstream>

using kvtest::GameRun;
using kvtest::RunSetup;
using Json = nlohmann::json;

namespace {

// Start-up hands over at 3050 ms; the menu is up from then on.
constexpr std::uint64_t kMenu = 3050;

// The pad pushed one way and let go, or a button pressed and let go, at t;
// held long enough for a screen that reads the pad in its own ticks.
std::string pad(std::uint64_t t, const std::string& how, std::uint64_t hold = 5) {
    const std::string x = how == "left" ? "0" : how == "right" ? "65535" : "32767";
    const std::string y = how == "up" ? "0" : how == "down" ? "65535" : "32767";
    const std::string buttons = how == "A" ? "1" : how == "B" ? "2" : "0";
    return std::to_string(t) + " joy " + x + " " + y + " " + buttons + "\n" + std::to_string(t + hold) +
           " joy 32767 32767 0\n";
}

// The script's lines put in time order (a line's time is its first word).
std::string inTimeOrder(const std::string& script) {
    std::vector<std::pair<long long, std::string>> lines;
    std::istringstream in(script);
    for (std::string line; std::getline(in, line);) lines.emplace_back(std::stoll(line), line);
    std::stable_sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string out;
    for (const auto& l : lines) out += l.second + "\n";
    return out;
}

// What is up at the end: the forms, then the box's title if one is up.
std::string upAtTheEnd(const Json& dump) {
    std::string out;
    for (const auto& f : dump["forms"]) out += (out.empty() ? "" : "+") + f.get<std::string>();
    if (!dump["box"].is_null()) out += " [" + dump["box"]["title"].get<std::string>() + "]";
    return out;
}

struct MenuCase {
    const char* name;
    std::string input;   // from 100 ms after the menu comes up
    std::string up;      // what is up afterwards
};
class MenuWithoutAMouse : public testing::TestWithParam<MenuCase> {};
TEST_P(MenuWithoutAMouse, MovesItsFocusFromNewGameAndPresses) {
    const std::uint64_t t = kMenu + 100;
    GameRun run(RunSetup{GetParam().input, {}, t + 400});
    EXPECT_EQ(upAtTheEnd(run.dump), GetParam().up);
}
INSTANTIATE_TEST_SUITE_P(
    KeysAndPad, MenuWithoutAMouse,
    testing::Values(MenuCase{"EnterOnNewGame", "3150 key 13\n", "Form1"},
                    MenuCase{"DownDownEnter", "3150 key 40\n3160 key 40\n3170 key 13\n", "MainMenu+OptionsFRM"},
                    MenuCase{"TabThenSpace", "3150 key 9\n3160 key 32\n", "MainMenu [Load a saved game...]"},
                    MenuCase{"UpWrapsToExit", "3150 key 38\n3160 key 13\n", "MainMenu [Exit?]"},
                    MenuCase{"EscOnTheExitQuestionSaysNo", "3150 key 38\n3160 key 13\n3170 key 27\n", "MainMenu"},
                    MenuCase{"PadDownThreeTimesAndA",
                             pad(3150, "down") + pad(3160, "down") + pad(3170, "down") + pad(3180, "A"),
                             "MainMenu+HighScores"},
                    MenuCase{"PadUpAndAThenB", pad(3150, "up") + pad(3160, "A") + pad(3170, "B"), "MainMenu"}),
    kvtest::CaseName{});

struct LeaveCase {
    const char* name;
    bool endSequence;    // else the score table opened from the menu
    std::string input;   // one key or pad press
    std::string up;
};
class LeavingByAnyKey : public testing::TestWithParam<LeaveCase> {};
TEST_P(LeavingByAnyKey, TheScoreTableAndTheEndSequenceGoAsOnAClick) {
    const LeaveCase& c = GetParam();
    if (c.endSequence) {
        kvtest::EndSequenceRun run(c.input, kvtest::EndSequenceRun::kOpens + 600);
        EXPECT_EQ(upAtTheEnd(run.dump), c.up);
        return;
    }
    GameRun run(RunSetup{"3100 press HSButt\n" + c.input, {}, 3700});
    EXPECT_EQ(upAtTheEnd(run.dump), c.up);
}
INSTANTIATE_TEST_SUITE_P(
    KeysAndPad, LeavingByAnyKey,
    testing::Values(LeaveCase{"ScoresByALetter", false, "3300 key 65\n", "MainMenu"},
                    LeaveCase{"ScoresByThePad", false, pad(3300, "A"), "MainMenu"},
                    LeaveCase{"ScoresNotByAltAlone", false, "3300 key 18\n", "MainMenu+HighScores"},
                    LeaveCase{"EndByCtrl", true, "3400 key 17\n", "HighScores"},
                    LeaveCase{"EndByThePadsStick", true, pad(3400, "left"), "HighScores"}),
    kvtest::CaseName{});

// A player with only a pad: the stick picks the joystick in the options,
// starts a game, pauses (Start arrives as Esc), saves, resumes, quits to the
// score table, and loads the game saved. Each step is checked where it lands.
TEST(PadOnly, FromStartUpThroughOptionsAGameASaveAndTheScoresToALoadedGame) {
    std::string s;
    // Down twice to Options; in the dialog down twice to JoyStick, pick it,
    // down three times to OK.
    s += pad(3100, "down") + pad(3110, "down") + pad(3120, "A");
    s += pad(3200, "down") + pad(3210, "down") + pad(3220, "A");
    s += pad(3230, "down") + pad(3240, "down") + pad(3250, "down") + pad(3260, "A");
    // Up twice to New Game; the stick ends the planet's intro.
    s += pad(3300, "up") + pad(3310, "up") + pad(3320, "A") + pad(7500, "right");
    // Start; down to Save Game; A takes the offered name; A on "Save complete";
    // B resumes.
    s += "7800 key 27\n" + pad(7810, "down") + pad(7820, "A") + pad(7900, "A") + pad(8000, "A") + pad(8100, "B");
    // Start; down twice to Quit; A; A on Yes; A leaves the score table.
    s += "8200 key 27\n" + pad(8210, "down") + pad(8220, "down") + pad(8230, "A") + pad(8300, "A") + pad(8400, "A");
    // Down to Saved Game; A; down past ".." to the save; A.
    s += pad(8500, "down") + pad(8510, "A") + pad(8600, "down") + pad(8610, "down") + pad(8620, "A");
    // (Dumps along the way: a run stopped and started again cannot stop inside a box.)
    kvtest::TempDir scratch;
    struct Step {
        std::uint64_t at;
        std::string up;
    };
    const std::vector<Step> steps{{3150, "MainMenu+OptionsFRM"}, {3280, "MainMenu"}, {7700, "Form1"},
                                  {7850, "Form1+InGameOptions [Save Game...]"},
                                  {7950, "Form1+InGameOptions [Save complete]"}, {8150, "Form1"},
                                  {8250, "Form1+InGameOptions [Exit?]"}, {8350, "HighScores"},
                                  {8450, "MainMenu"}, {8550, "MainMenu [Load a saved game...]"}, {8700, "Form1"}};
    for (std::size_t i = 0; i < steps.size(); ++i)
        s += std::to_string(steps[i].at) + " dump " + scratch / std::to_string(i) + "\n";
    GameRun run(RunSetup{inTimeOrder(s), {}, 8800});
    for (std::size_t i = 0; i < steps.size(); ++i)
        EXPECT_EQ(upAtTheEnd(Json::parse(kvtest::slurp(scratch / std::to_string(i)))), steps[i].up)
            << "at " << steps[i].at;
    EXPECT_EQ(run.shared()["ControlDevice"], 2);
    EXPECT_EQ(run.shared()["GameLoaded"], 1);
    EXPECT_TRUE(run.vars()["JoyDir"].is_number());   // the planet reads the stick
}

// The bonus stage by pad: the stick starts it, the first button fires, and when
// its minute is up the next planet follows; Start and Quit lead to the scores.
TEST(PadOnly, TheBonusStageAndTheWayToTheScores) {
    std::string s = pad(3500, "left", 50) + pad(3600, "A", 50);
    GameRun run(RunSetup{s, {}, 3800, kvtest::chosen(2), {}, true});
    EXPECT_EQ(upAtTheEnd(run.dump), "BonusStage");
    EXPECT_GE(run.heard("1:Samples/Phaser.wav"), 1);
    run.rt().scripts().setScript(kv::ScriptSource::fromText(pad(70000, "right", 50) + "70100 key 27\n" + pad(70110, "down") +
                                                  pad(70120, "down") + pad(70130, "A") + pad(70200, "A")));
    run.runUntil(69000);
    EXPECT_EQ(run.shared()["PlanetLevel"], 2);
    run.runUntil(70300);
    EXPECT_EQ(upAtTheEnd(run.dump), "HighScores");
}

// ---- The window's close button ---------------------------------------------

struct CloseCase {
    const char* name;
    std::optional<int> warp;
    bool bonus;
    std::string script;
    std::string up;           // what is up when the run ends
    std::uint64_t endsAt;     // 0: the run goes on to its end at 6000
};
class ClosingTheWindow : public testing::TestWithParam<CloseCase> {};
TEST_P(ClosingTheWindow, AsksDuringAGameAndEndsAtOnceElsewhere) {
    const CloseCase& c = GetParam();
    GameRun run(RunSetup{c.script, c.warp, 6000, kvtest::chosen(1, "Ann"), {}, c.bonus});
    EXPECT_EQ(upAtTheEnd(run.dump), c.up);
    EXPECT_EQ(run.dump["time_ms"], c.endsAt ? c.endsAt : 6000);
    if (c.endsAt) return;
    const Json& asked = run.dump["messages"];
    ASSERT_EQ(asked.size(), 1u);
    const int planet = c.warp.value_or(1);
    EXPECT_EQ(asked[0]["text"], "Are you sure you wish to leave, you're on level " + std::to_string(planet) + "?");
    // Yes: the game ended as Quit ends it, its score entered.
    if (c.up == "HighScores") {
        EXPECT_EQ(run.shared()["ScoresFromMenu"], 0);
        EXPECT_FALSE(run.planetLoaded());
    }
}
INSTANTIATE_TEST_SUITE_P(
    Close, ClosingTheWindow,
    testing::Values(CloseCase{"OnTheMenu", {}, false, "3500 close\n", "MainMenu", 3500},
                    CloseCase{"InPlayNo", 3, false, "3300 key 16\n3500 close\n3600 press No\n", "Form1", 0},
                    CloseCase{"InPlayYes", 3, false, "3300 key 16\n3500 close\n3600 key 13\n", "HighScores", 0},
                    CloseCase{"PausedYes", 3, false, "3300 key 16\n3400 key 27\n3500 close\n3600 press Yes\n",
                              "HighScores", 0},
                    CloseCase{"WithABoxUpNothing", 3, false, "3300 key 16\n3400 key 27\n3450 press Command3\n3500 close\n",
                              "Form1+InGameOptions [Exit?]", 0},
                    CloseCase{"InTheBonusStageYes", {}, true, "3500 close\n3600 press Yes\n", "HighScores", 0}),
    kvtest::CaseName{});

TEST(ClosingTheWindow, AtTheEndSequenceTheWonGameIsScoredFirst) {
    kvtest::EndSequenceRun run("3400 close\n", 5000);
    EXPECT_EQ(run.dump["time_ms"], 3400);
    // The score table came up to enter the score before the window went.
    EXPECT_EQ(upAtTheEnd(run.dump), "HighScores");
    EXPECT_EQ(run.shared()["ScoresFromMenu"], 0);
}

}  // namespace
