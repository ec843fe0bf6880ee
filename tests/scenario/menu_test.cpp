// The main menu and the options dialog: the screen start-up leads to, its
// music and scroller, Exit, Saved Game and every path of Options. (New Game
// is played through in a real window by the walk-through.)
#include <gtest/gtest.h>

#include "frontend/high_scores.h"
#include "frontend/in_game_options.h"
#include "frontend/main_menu.h"
#include "frontend/options_frm.h"
#include "frontend/save_code.h"
#include "support/case_names.h"
#include "support/fakes.h"
#include "support/harness.h"
#include "support/scratch.h"
#include "shared/text_gradient.h"

using namespace kv;
using kvtest::GameRun;
using kvtest::RunSetup;

namespace {

// Start-up hands over at 3050 ms; the menu is up from then on.
constexpr std::uint64_t kMenu = 3050;

TEST(MainMenu, TheScrollerStartsAgainFromTheBottomAtMinus1100) {
    GameRun run(RunSetup{"", {}, kMenu + 100});
    auto& menu = run.screen<frontend::MainMenu>();
    menu.ScrollTop = -1096;
    menu.Timer1_Timer();
    EXPECT_EQ(menu.ScrollTop, -1098);
    menu.Timer1_Timer();
    EXPECT_EQ(menu.ScrollTop, 265);
    EXPECT_EQ(run.rt().text().lineHeight(menu.InfoSource->font), 13);   // the pitch its fade takes
    EXPECT_EQ(menu.ScrollLineHeight, 13);
    EXPECT_EQ(menu.ScrollFadeDivisor, 3);
    // Lines clear of both edges print at full green (the small type has few wholly covered pixels).
    menu.ScrollTop = 102;
    menu.Timer1_Timer();
    const Surface& s = menu.InfoSource->canvas();
    for (int top = 100; top + 13 <= 220; top += 13) {
        int brightest = 0;
        for (int y = top; y < top + 13; ++y)
            for (int x = 0; x < s.width(); ++x)
                if (const Color c = s.pixel(x, y); c.r == 0 && c.b == 0) brightest = std::max<int>(brightest, c.g);
        EXPECT_TRUE(brightest == 0 || brightest > 240) << "the line at " << top << ": " << brightest;
    }
}

TEST(MainMenu, NoToTheExitQuestionLeavesTheMenuItsMusicAndItsScrollerRunning) {
    GameRun run(RunSetup{"3200 press ExitButt\n3300 press No\n", {}, 3600});
    ASSERT_EQ(run.titles(), std::vector<std::string>{"Exit?"});
    EXPECT_EQ(run.dump["messages"][0]["text"], "You haven't saved all the civilians yet!\rAre you completely sure?");
    EXPECT_EQ(run.dump["forms"], nlohmann::json::array({"MainMenu"}));
    EXPECT_EQ(run.music().size(), 5u);
    // Fourteen 10 ms ticks before the question, then thirty once it is answered.
    EXPECT_EQ(run.dump["form"]["MainMenu"]["vars"]["ScrollTop"], 265 - 2 * (14 + 30));
}

// How many pixels of the box differ from what the gradient rule paints with
// a scratch box like the screen's, the text and the colours given.
int differs(Runtime& rt, PictureBox& shown, const PictureBox& source, const std::string& text, std::array<int, 6> c) {
    const std::string n = std::to_string(shown.form().controls().size());
    PictureBox& scratch = shown.form().add<PictureBox>("Scratch" + n, nullptr, source.rect(), kBlack);
    PictureBox& wanted = shown.form().add<PictureBox>("Wanted" + n, nullptr, shown.rect(), kBlack);
    scratch.font = source.font;
    TextGradient(rt, text, scratch, wanted, c[0], c[1], c[2], c[3], c[4], c[5], kBlack);
    int count = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) count += wanted.canvas().pixel(x, y) != shown.canvas().pixel(x, y);
    return count;
}

TEST(MainMenu, TheButtonCaptionsFadeFromTheirColoursToBlack) {
    GameRun run(RunSetup{"", {}, kMenu + 100});
    auto& m = run.screen<frontend::MainMenu>();
    for (auto [box, text, colours] : {std::tuple{m.PlayButt, "New Game", std::array{0, 255, 0, 0, 0, 0}},
                                      {m.SavedButt, "Saved Game", std::array{255, 0, 255, 0, 0, 0}},
                                      {m.OptionsButt, "Options", std::array{255, 255, 0, 0, 0, 0}},
                                      {m.HSButt, "High Scores", std::array{0, 0, 255, 0, 0, 0}},
                                      {m.ExitButt, "Exit", std::array{255, 0, 0, 0, 0, 0}}})
        EXPECT_EQ(differs(run.rt(), *box, *m.SourcePrint, text, colours), 0) << text;
}

TEST(PauseDialog, IsAFramedWindowUnderATitleFromRedToYellow) {
    GameRun run(RunSetup{"3300 key 16\n3400 key 27\n", 3, 3500});
    auto& pause = run.screen<frontend::InGameOptions>();
    EXPECT_GT(pause.windowRect().h, pause.clientRect().h);
    EXPECT_EQ(differs(run.rt(), *pause.OpTitle, *pause.OpSrc, "PAUSE", {255, 0, 0, 255, 255, 0}), 0);
}

TEST(HighScores, TheRowsShadeFromGreenToRedEachTowardPurple) {
    kvtest::TempDir data;   // the last name reaches down into the lowest bands
    std::string own;
    for (int i = 1; i <= 12; ++i)
        own += (i < 12 ? "Pilot " + std::to_string(i) : "gypsy jig") + ", " + std::to_string(13000 - 1000 * i) + "\n";
    kvtest::put(data.path() + "Data/score.dat", own);
    GameRun run(RunSetup{"3200 press HSButt\n", {}, 3300, {}, {}, false, data.path()});
    auto& hs = run.screen<frontend::HighScores>();
    for (int i = 1; i <= 12; ++i) {
        const std::array<int, 6> colours{21 * (i - 1), 255 - 21 * (i - 1), 0, 50, 0, 80};
        EXPECT_EQ(differs(run.rt(), *hs.ScrName[i], *hs.NameSource, hs.ScoreNames[i], colours), 0) << "row " << i;
        EXPECT_EQ(differs(run.rt(), *hs.ScrScore[i], *hs.ScoreSource, std::to_string(hs.ScoreValues[i]), colours), 0);
    }
}

// ---- Saved Game ----------------------------------------------------------

// file: what the save holds ("": no file); answer: the script's answer to the dialog
struct LoadCase { const char* name; std::string file; std::string answer; bool loads; };
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
        for (auto [name, value] : {std::pair{"GameLoaded", 1}, {"PlanetLevel", 9}, {"PlayerScore", 90000},
                                   {"RadiationLevel", 565}, {"PlayerLives", 99}})
            EXPECT_EQ(run.shared()[name], value) << name;
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
    testing::Values(LoadCase{"TheHighestGame", frontend::writeSaveFile({9, 90000, 565, 99}), "game", true},
                    LoadCase{"NoSuchFile", "", "game.kvs", false},
                    LoadCase{"CancelTriesTheInitialName", frontend::writeSaveFile({9, 90000, 565, 99}), "cancel",
                             false}),
    kvtest::CaseName{});

// ---- Options ---------------------------------------------------------------

struct OptionsRun : kvtest::FakeGame {
    explicit OptionsRun(const std::string& registryName = "") {
        if (!registryName.empty())
            m.registry.values["RegisteredOwner"] = {registryName, RegistryReader::Type::String};
    }
    // Opens the dialog, or goes on with the one still up, and lets the script
    // work on it until it closes.
    void open(const std::string& input) {
        script(input);
        try {
            if (dialog()) m.rt->runModal(*dialog());
            else frontend::showOptions(game);
        } catch (const RunEnded&) {
        }
    }
    frontend::OptionsFRM* dialog() { return m.rt->find<frontend::OptionsFRM>(); }
};

// box: the one box shown, title and text ("" for none)
struct OkCase { const char* name; std::string script; std::string box; int cheat, device, chosen; };
class PressingOk : public testing::TestWithParam<OkCase> {};
TEST_P(PressingOk, StoresTheChoicesOrSaysWhatIsWrong) {
    const OkCase& c = GetParam();
    OptionsRun run;
    run.game.state.CheatMode = 1;   // on from before: only the cheat name keeps it
    run.open(c.script + "900 press OK\n");
    EXPECT_EQ(run.boxes(), c.box.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.box});
    const SharedState& g = run.game.state;
    EXPECT_EQ(std::make_tuple(int(g.CheatMode), int(g.ControlDevice), int(g.OptionsChosen)),
              std::make_tuple(c.cheat, c.device, c.chosen));
    EXPECT_EQ(run.dialog() == nullptr, c.chosen == 1);
}
INSTANTIATE_TEST_SUITE_P(Choices, PressingOk, testing::Values(
        OkCase{"AnEmptyNameIsRefused", "10 press Command2\n",
               "Ooops!: Please fill in an appropriate name for yourself!",
               1, 0, 0},
        OkCase{"TheCheatNameInAnyCase", "10 type gRuB tOaD\n20 press Command2\n", "Chicken!: C H E A T   A C T I V E !",
               1, 1, 1},
        OkCase{"AnyOtherNameEndsCheating", "10 type Grub Toads\n20 press Command2\n", "", 0, 1, 1},
        OkCase{"NoJoystickToChoose", "10 press Cjoystick\n20 press OK\n30 type Vera\n40 press Command2\n",
               "JoyError: JOYSTICK ERROR!\r\rKorvane has not detected any joystick(s) connected to your PC.\r"
               "If there is one connected, it is not set up correctly.",
               0, 1, 1},
        OkCase{"AJoystickThatAnswers", "0 joy 32767 32767 0\n10 press Cjoystick\n20 type Vera\n30 press Command2\n", "",
               0, 2, 1}),
    kvtest::CaseName{});

TEST(Options, TheJoystickCountOfTheFirstOpeningHoldsForTheRun) {
    OptionsRun run;
    run.open("10 type Vera\n20 press Command2\n");
    // A joystick plugged in since is not counted.
    run.open("50 joy 32767 32767 0\n60 press Cjoystick\n70 press OK\n80 press Command2\n");
    EXPECT_EQ(run.boxes().size(), 1u);
    EXPECT_EQ(run.game.state.ControlDevice, 1);
}

TEST(Options, TheOwnersNameIsOfferedAllSelectedAndReopeningShowsTheStoredChoices) {
    OptionsRun run("Bartholom\xC3\xA9 Quill");   // cut to twelve characters, thirteen bytes
    run.open("0 joy 32767 32767 0\n");
    ASSERT_TRUE(run.dialog());
    EXPECT_GT(run.dialog()->windowRect().h, run.dialog()->clientRect().h);   // a dialog's frame and title
    EXPECT_EQ(run.dialog()->NameOfUser->text, "Bartholom\xC3\xA9 Q");
    EXPECT_TRUE(run.dialog()->NameOfUser->allSelected);
    run.open("10 type Vera\n20 press Cjoystick\n30 press SoundState\n40 press Command2\n");
    EXPECT_EQ(run.game.state.SoundOn, 0);
    EXPECT_EQ(run.game.state.PlayerName, "Vera");
    run.open("");
    ASSERT_TRUE(run.dialog());
    EXPECT_EQ(run.dialog()->NameOfUser->text, "Vera");
    EXPECT_TRUE(run.dialog()->Cjoystick->value());
    EXPECT_FALSE(run.dialog()->CKeys->value());
    EXPECT_FALSE(run.dialog()->SoundState->value());
    // The title in ten bands, red towards yellow (a band a row in the stand-in's type).
    const Surface& title = run.dialog()->OpTitle->canvas();
    EXPECT_EQ(title.pixel(title.width() / 2, 0), Color(255, 0, 0));
    EXPECT_EQ(title.pixel(title.width() / 2, 9), Color(255, 234, 0));
}

TEST(Options, TheMusicPanelOpensOverTheDialogAsOftenAsAskedAndIsOneWindow) {
    OptionsRun run;
    run.open("10 press Command1\n20 press HideButt\n30 press Command1\n");
    ASSERT_NE(run.m.rt->forms().top(), nullptr);
    EXPECT_EQ(run.m.rt->forms().top()->name(), "musicFRM");
    int panels = 0;
    for (const auto& f : run.m.rt->forms().loaded()) panels += f->name() == "musicFRM";
    EXPECT_EQ(panels, 1);
}

}  // namespace
