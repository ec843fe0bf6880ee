// The main menu and the options dialog: the screen start-up leads to, its
// music and scroller, Exit, Saved Game and every path of Options. (New Game
// is played through in a real window by the walk-through.)
#include <gtest/gtest.h>

#include "frontend/main_menu.h"
#include "frontend/options_frm.h"
#include "frontend/save_code.h"
#include "frontend/scroll_text.h"
#include "support/case_names.h"
#include "support/fakes.h"
#include "support/harness.h"
#include "support/scratch.h"

using namespace kv;
using kvtest::GameRun;
using kvtest::RunSetup;

namespace {

// Start-up hands over at 3050 ms; the menu is up from then on.
constexpr std::uint64_t kMenu = 3050;

const nlohmann::json& menuVars(const GameRun& run) { return run.dump["form"]["MainMenu"]["vars"]; }

TEST(MainMenu, TheScrollerStartsAgainFromTheBottomAtMinus1100) {
    GameRun run(RunSetup{"", {}, kMenu + 100});
    auto& menu = run.screen<frontend::MainMenu>();
    menu.ScrollTop = -1096;
    menu.Timer1_Timer();
    EXPECT_EQ(menu.ScrollTop, -1098);
    menu.Timer1_Timer();
    EXPECT_EQ(menu.ScrollTop, 265);
}

TEST(MainMenu, NoToTheExitQuestionLeavesTheMenuItsMusicAndItsScrollerRunning) {
    GameRun run(RunSetup{"3200 press ExitButt\n3300 press No\n", {}, 3600});
    EXPECT_EQ(run.titles(), std::vector<std::string>{"Exit?"});
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"MainMenu"}));
    EXPECT_EQ(run.music().size(), 5u);
    // The menu opens at 3050: fourteen 10 ms ticks before the question, then
    // thirty once it is answered (the box held the timers meanwhile).
    EXPECT_EQ(menuVars(run)["ScrollTop"], 265 - 2 * (14 + 30));
}

TEST(MainMenu, YesToTheExitQuestionPutsBackTheDisplayStartUpFoundAndEnds) {
    kvtest::FakeMachine m;   // stand-ins, to see the display mode it puts back
    kvtest::RecordingFlow flow;
    Game game{*m.rt, flow};
    game.state.AppDir = KORVANE_APP_DIR;   // the real texts
    game.state.StartScreenWidth = 1024;
    game.state.StartScreenHeight = 768;
    m.rt->scripts().setScript(ScriptSource::fromText("100 press ExitButt\n200 press Yes\n5000 quit\n"));
    frontend::openMainMenu(game);
    EXPECT_EQ(m.run(), 0);
    EXPECT_EQ(m.display.modeRequests, (std::vector<std::pair<int, int>>{{1024, 768}}));
    EXPECT_EQ(m.rt->now(), 200u);
    m.rt->forms().closeAll();   // the screens refer to the game
}

// ---- Saved Game ----------------------------------------------------------

struct LoadCase {
    const char* name;
    std::string file;        // what the save holds ("" : no file is written)
    std::string answer;      // the script's answer to the dialog
    bool loads;
};
std::string save(int planet, int score, int radiation, int lives) {
    return frontend::writeSaveFile(frontend::SavedGame{std::int16_t(planet), score, std::int16_t(radiation),
                                                       std::int16_t(lives)});
}
class LoadingAGame : public testing::TestWithParam<LoadCase> {};
TEST_P(LoadingAGame, StartsThePlanetOrSaysTheFileIsCorrupted) {
    const LoadCase& c = GetParam();
    kvtest::TempDir scratch;
    const std::string dir = scratch.path();
    if (!c.file.empty()) kvtest::put(dir + "game.kvs", c.file);
    GameRun run(RunSetup{"3200 press SavedButt\n3300 file " + c.answer + "\n", {}, 3400, {}, {}, false, dir});
    const auto& msgs = run.dump["messages"];
    ASSERT_GE(msgs.size(), 1u);
    EXPECT_EQ(msgs[0]["text"], dir);   // it opens in the data directory
    if (c.loads) {
        EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"Form1"}));
        EXPECT_EQ(run.shared()["GameLoaded"], 1);
        EXPECT_EQ(run.shared()["PlanetLevel"], 9);
        EXPECT_EQ(run.shared()["PlayerScore"], 90000);
        EXPECT_EQ(run.shared()["RadiationLevel"], 565);
        EXPECT_EQ(run.shared()["PlayerLives"], 99);
        EXPECT_EQ(run.music().back(), "destroy ");
    } else {
        ASSERT_EQ(msgs.size(), 2u);
        std::string shown = c.answer == "cancel" ? "*.kvs" : dir + "game.kvs";
        EXPECT_EQ(msgs[1]["text"], "The file " + shown + " is corrupted or has been tampered with!");
        EXPECT_EQ(run.dump["box"]["title"], "Load Failiure");   // still up
        EXPECT_EQ(run.music().size(), 5u);
    }
}
INSTANTIATE_TEST_SUITE_P(
    Files, LoadingAGame,
    // (A full gauge would cost a life as soon as the planet begins.)
    testing::Values(LoadCase{"TheHighestGame", save(9, 90000, 565, 99), "game", true},
                    LoadCase{"ScoreTooHigh", save(9, 90001, 566, 99), "game", false},
                    LoadCase{"PlanetTenByTheExtraLetter",
                             std::string(1, frontend::kTenLetter) + save(9, 0, 0, 3).substr(1), "game.kvs", false},
                    LoadCase{"NoSuchFile", "", "game.kvs", false},
                    LoadCase{"CancelTriesTheInitialName", save(9, 90000, 566, 99), "cancel", false}),
    kvtest::CaseName{});

// ---- Options ---------------------------------------------------------------

struct OptionsRun {
    kvtest::FakeMachine m;
    kvtest::RecordingFlow flow;
    Game game{*m.rt, flow};
    explicit OptionsRun(const std::string& registryName = "") {
        if (!registryName.empty())
            m.registry.values["RegisteredOwner"] = {registryName, RegistryReader::Type::String};
    }
    ~OptionsRun() { m.rt->forms().closeAll(); }
    // Opens the dialog and lets the script work on it until it closes.
    void open(const std::string& script) {
        m.rt->scripts().setScript(ScriptSource::fromText(script));
        try {
            frontend::showOptions(game);
        } catch (const RunEnded&) {
        }
    }
    // Goes on with the dialog that is still up.
    void carryOn(const std::string& script) {
        m.rt->scripts().setScript(ScriptSource::fromText(script));
        try {
            m.rt->runModal(*dialog());
        } catch (const RunEnded&) {
        }
    }
    frontend::OptionsFRM* dialog() { return m.rt->find<frontend::OptionsFRM>(); }
    std::vector<std::string> titles() const {
        std::vector<std::string> out;
        for (const auto& msg : m.rt->boxes().messages()) out.push_back(msg.title);
        return out;
    }
};

TEST(Options, TheRegisteredOwnerIsOfferedCutToTwelveCharactersAllSelected) {
    OptionsRun shortName("root");   // ends where the desktop's text would
    shortName.open("10 press Command2\n");
    EXPECT_EQ(shortName.game.state.PlayerName, "root");
    OptionsRun run("Bartholom\xC3\xA9 Quill");   // twelve characters, thirteen bytes
    run.open("");
    ASSERT_TRUE(run.dialog());
    EXPECT_EQ(run.dialog()->NameOfUser->text, "Bartholom\xC3\xA9 Q");
    EXPECT_TRUE(run.dialog()->NameOfUser->allSelected);
    run.carryOn("10 type Ann\n20 press Command2\n");
    EXPECT_EQ(run.game.state.PlayerName, "Ann");
    EXPECT_EQ(run.game.state.OptionsChosen, 1);
    EXPECT_FALSE(run.dialog());
}

TEST(Options, AnEmptyNameIsRefusedAndNothingIsStored) {
    OptionsRun run;
    run.open("10 press Command2\n20 press OK\n");
    EXPECT_EQ(run.titles(), std::vector<std::string>{"Ooops!"});
    EXPECT_TRUE(run.dialog());
    EXPECT_EQ(run.game.state.OptionsChosen, 0);
}

struct CheatCase {
    const char* name;
    std::string typed;
    int cheat;
};
class CheatName : public testing::TestWithParam<CheatCase> {};
TEST_P(CheatName, TurnsCheatModeOnInAnyLetterCaseAndAnyOtherNameTurnsItOff) {
    OptionsRun run;
    run.game.state.CheatMode = 1;   // on from before: only the cheat name keeps it
    run.open("10 type " + GetParam().typed + "\n20 press Command2\n30 press OK\n");
    EXPECT_EQ(run.game.state.CheatMode, GetParam().cheat);
    EXPECT_EQ(run.game.state.PlayerName, GetParam().typed);
    EXPECT_EQ(run.titles(), GetParam().cheat ? std::vector<std::string>{"Chicken!"} : std::vector<std::string>{});
}
INSTANTIATE_TEST_SUITE_P(Names, CheatName,
                         testing::Values(CheatCase{"Capitals", "GRUB TOAD", 1}, CheatCase{"Lower", "grub toad", 1},
                                         CheatCase{"Mixed", "gRuB tOaD", 1}, CheatCase{"Longer", "Grub Toads", 0},
                                         CheatCase{"Other", "Vera", 0}),
                         kvtest::CaseName{});

TEST(Options, WithoutAJoystickChoosingOneFallsBackToTheKeysEveryTime) {
    OptionsRun run;
    run.open("10 press Cjoystick\n20 press OK\n30 type Vera\n40 press Command2\n");
    EXPECT_EQ(run.titles(), std::vector<std::string>{"JoyError"});
    EXPECT_EQ(run.game.state.ControlDevice, 1);
    // A joystick plugged in since: the count of the first opening still holds.
    run.open("50 joy 32767 32767 0\n60 press Cjoystick\n70 press OK\n80 press Command2\n");
    EXPECT_EQ(run.titles(), (std::vector<std::string>{"JoyError", "JoyError"}));
    EXPECT_EQ(run.game.state.ControlDevice, 1);
}

TEST(Options, AJoystickThatAnswersCanBeChosen) {
    OptionsRun run;
    run.open("0 joy 32767 32767 0\n10 press Cjoystick\n20 type Vera\n30 press Command2\n");
    EXPECT_TRUE(run.titles().empty());
    EXPECT_EQ(run.game.state.ControlDevice, 2);
}

TEST(Options, ReopeningShowsTheStoredChoices) {
    OptionsRun run("Bartholomew Quill");
    run.open("0 joy 32767 32767 0\n10 type Vera\n20 press Cjoystick\n30 press SoundState\n40 press Command2\n");
    EXPECT_EQ(run.game.state.SoundOn, 0);
    run.open("");
    ASSERT_TRUE(run.dialog());
    EXPECT_EQ(run.dialog()->NameOfUser->text, "Vera");
    EXPECT_TRUE(run.dialog()->Cjoystick->value());
    EXPECT_FALSE(run.dialog()->CKeys->value());
    EXPECT_FALSE(run.dialog()->SoundState->value());
}

TEST(Options, TheMusicPanelOpensOverTheDialogAsOftenAsAsked) {
    OptionsRun run;
    run.open("10 press Command1\n20 press HideButt\n30 press Command1\n");
    ASSERT_NE(run.m.rt->forms().top(), nullptr);
    EXPECT_EQ(run.m.rt->forms().top()->name(), "musicFRM");
    int panels = 0;
    for (const auto& f : run.m.rt->forms().loaded()) panels += f->name() == "musicFRM";
    EXPECT_EQ(panels, 1);
}

}  // namespace
