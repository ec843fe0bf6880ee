// Every screen without a mouse: the menu, the score table and the end sequence
// by keys and by a pad (the script's joystick), a pad-only game from start-up
// to the score table and back through a saved game, and the window's close
// button in and out of a game.
#include <gtest/gtest.h>

#include "support/case_names.h"
#include "support/harness.h"

using kvtest::GameRun;
using kvtest::RunSetup;
using Json = nlohmann::json;

namespace {

// The pad pushed one way and let go, or a button pressed and let go, at t;
// held long enough for a screen that reads the pad in its own ticks.
std::string pad(std::uint64_t t, const std::string& how, std::uint64_t hold = 5) {
    const std::string x = how == "left" ? "0" : how == "right" ? "65535" : "32767";
    const std::string y = how == "up" ? "0" : how == "down" ? "65535" : "32767";
    const std::string buttons = how == "A" ? "1" : how == "B" ? "2" : "0";
    return std::to_string(t) + " joy " + x + " " + y + " " + buttons + "\n" + std::to_string(t + hold) +
           " joy 32767 32767 0\n";
}

// What is up at the end: the forms, then the box's title if one is up.
std::string upAtTheEnd(const Json& dump) {
    std::string out;
    for (const auto& f : dump["forms"]) out += (out.empty() ? "" : "+") + f.get<std::string>();
    if (!dump["box"].is_null()) out += " [" + dump["box"]["title"].get<std::string>() + "]";
    return out;
}

enum class From { Menu, Scores, EndSequence, Planet3, BonusStage };
// up: what is up afterwards; endsAt: when the run ended, if before its time
struct KeyCase { const char* name; From from; std::string input; std::string up; std::uint64_t endsAt = 0; };
class WithoutAMouse : public testing::TestWithParam<KeyCase> {};
TEST_P(WithoutAMouse, KeysAndThePadDoWhatAClickWould) {
    const KeyCase& c = GetParam();
    std::unique_ptr<GameRun> run;
    if (c.from == From::EndSequence) {
        run = std::make_unique<kvtest::EndSequenceRun>(c.input, 3800);
    } else {
        const std::string script = (c.from == From::Scores ? "3100 press HSButt\n" : "") + c.input;
        std::optional<int> warp = c.from == From::Planet3 ? std::optional<int>(3) : std::nullopt;
        const bool bonus = c.from == From::BonusStage;
        run = std::make_unique<GameRun>(RunSetup{script, warp, 6000, kvtest::chosen(1, "Ann"), {}, bonus});
    }
    EXPECT_EQ(upAtTheEnd(run->dump), c.up);
    if (c.endsAt) {
        EXPECT_EQ(run->dump["time_ms"], c.endsAt);
    } else if (c.input.find("close") != std::string::npos) {
        // In a game it asks the pause dialog's Quit question; Yes ends the game as Quit does.
        EXPECT_EQ(run->titles().at(0), "Exit?");
    }
}
INSTANTIATE_TEST_SUITE_P(Screens, WithoutAMouse, testing::Values(
        // The menu's focus starts on New Game.
        KeyCase{"MenuEnterOnNewGame", From::Menu, "3150 key 13\n", "Form1"},
        KeyCase{"MenuDownDownEnter", From::Menu, "3150 key 40\n3160 key 40\n3170 key 13\n", "MainMenu+OptionsFRM"},
        KeyCase{"MenuTabThenSpace", From::Menu, "3150 key 9\n3160 key 32\n", "MainMenu [Load a saved game...]"},
        KeyCase{"MenuUpWrapsToExit", From::Menu, "3150 key 38\n3160 key 13\n", "MainMenu [Exit?]"},
        KeyCase{"MenuPadDownThreeTimesAndA", From::Menu,
                pad(3150, "down") + pad(3160, "down") + pad(3170, "down") + pad(3180, "A"), "MainMenu+HighScores"},
        KeyCase{"MenuPadUpAndAThenB", From::Menu, pad(3150, "up") + pad(3160, "A") + pad(3170, "B"), "MainMenu"},
        KeyCase{"ScoresByALetter", From::Scores, "3300 key 65\n", "MainMenu"},
        KeyCase{"ScoresNotByAltAlone", From::Scores, "3300 key 18\n", "MainMenu+HighScores"},
        KeyCase{"EndByCtrl", From::EndSequence, "3400 key 17\n", "HighScores"},
        KeyCase{"EndByThePadsStick", From::EndSequence, pad(3400, "left"), "HighScores"},
        KeyCase{"CloseOnTheMenu", From::Menu, "3500 close\n", "MainMenu", 3500},
        KeyCase{"CloseInPlayYes", From::Planet3, "3300 key 16\n3500 close\n3600 key 13\n", "HighScores"},
        KeyCase{"ClosePausedYes", From::Planet3, "3300 key 16\n3400 key 27\n3500 close\n3600 press Yes\n",
                "HighScores"},
        KeyCase{"CloseWithABoxUpDoesNothing", From::Planet3,
                "3300 key 16\n3400 key 27\n3450 press Command3\n3500 close\n", "Form1+InGameOptions [Exit?]"},
        KeyCase{"CloseInTheBonusStageYes", From::BonusStage, "3500 close\n3600 press Yes\n", "HighScores"},
        // The won game's score is entered before the window goes.
        KeyCase{"CloseAtTheEndSequence", From::EndSequence, "3400 close\n", "HighScores", 3400}),
    kvtest::CaseName{});

// A player with only a pad: the stick picks the joystick in the options,
// starts a game, pauses (Start arrives as Esc), saves, resumes, quits to the
// score table, and loads the game saved.
TEST(PadOnly, FromStartUpThroughOptionsAGameASaveAndTheScoresToALoadedGame) {
    std::string s;
    // Down twice to Options; in the dialog down twice to JoyStick, pick it, down three times to OK.
    s += pad(3100, "down") + pad(3110, "down") + pad(3120, "A");
    s += pad(3200, "down") + pad(3210, "down") + pad(3220, "A");
    s += pad(3230, "down") + pad(3240, "down") + pad(3250, "down") + pad(3260, "A");
    // Up twice to New Game; the stick ends the planet's intro.
    s += pad(3300, "up") + pad(3310, "up") + pad(3320, "A") + pad(7500, "right");
    // Start; down to Save Game; A takes the offered name; A on "Save complete"; B resumes.
    s += "7800 key 27\n" + pad(7810, "down") + pad(7820, "A") + pad(7900, "A") + pad(8000, "A") + pad(8100, "B");
    // Start; down twice to Quit; A; A on Yes; A leaves the score table.
    s += "8200 key 27\n" + pad(8210, "down") + pad(8220, "down") + pad(8230, "A") + pad(8300, "A") + pad(8400, "A");
    // Down to Saved Game; A; down past ".." to the save; A.
    s += pad(8500, "down") + pad(8510, "A") + pad(8600, "down") + pad(8610, "down") + pad(8620, "A");
    GameRun run(RunSetup{s, {}, 8800});
    EXPECT_EQ(upAtTheEnd(run.dump), "Form1");
    EXPECT_EQ(run.titles(),
              (std::vector<std::string>{"Save Game...", "Save complete", "Exit?", "Load a saved game..."}));
    EXPECT_EQ(run.shared()["ControlDevice"], 2);
    EXPECT_EQ(run.shared()["GameLoaded"], 1);
}

}  // namespace
