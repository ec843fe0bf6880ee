// The pause leaves the explosions and the planet's waits running, so the
// planet can hand over while its pause dialog is up. The dialog must close
// then: left modal beneath the next screen, nothing could reach it, and the
// next Esc would open a second one on top.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/in_game_options.h"
#include "level/form1.h"
#include "support/case_names.h"
#include "support/harness.h"

using kvtest::GameRun;
using kvtest::RunSetup;

namespace {

struct HandoverCase {
    const char* name;
    bool joystick;                       // with the stick, Esc pauses even a frozen ship
    void (*set)(kv::level::Form1&);      // what is under way when the player pauses
    std::vector<std::string> forms;      // what is up once the hand-over is done
};


void bonusStageNameFading(kv::level::Form1& f) {
    f.BonusType = 4;   // "BONUS STAGE!": the stage opens when the name has faded
    f.print_bonustype();
}

void lastLifeLost(kv::level::Form1& f) {
    f.g.PlayerLives = 0;
    f.LoseLife();   // game over follows the explosion, the score table its wait
}

class PauseDuringHandover : public testing::TestWithParam<HandoverCase> {};

TEST_P(PauseDuringHandover, ClosesThePauseDialog) {
    const HandoverCase& c = GetParam();
    // The intro ends at 3300 (a key, or a push of the stick); the player
    // pauses at 3500 and does nothing more.
    RunSetup setup;
    setup.warp = 1;
    setup.until = 3400;
    setup.script = c.joystick ? "0 joy 32767 32767 0\n3300 joy 0 32767 0\n3310 joy 32767 32767 0\n3500 key 27\n"
                              : "3300 key 16\n3500 key 27\n";
    setup.before = [&](kv::Game& g) {
        g.state.OptionsChosen = 1;
        g.state.ControlDevice = static_cast<std::int16_t>(c.joystick ? 2 : 1);
        g.state.SoundOn = 1;
        g.state.PlayerName = "Pilot";
    };
    GameRun run(setup);
    ASSERT_FALSE(run.form1().textFX->visible());
    c.set(run.form1());
    run.runUntil(12000);
    EXPECT_EQ(run.rt().find<kv::frontend::InGameOptions>(), nullptr);
    std::vector<std::string> shown;
    for (const kv::Form* f : run.rt().forms().visible()) shown.push_back(f->name());
    EXPECT_EQ(shown, c.forms);
}

INSTANTIATE_TEST_SUITE_P(
    Handovers, PauseDuringHandover,
    testing::Values(HandoverCase{"BonusStageNameFadesOut", false, bonusStageNameFading, {"BonusStage"}},
                    HandoverCase{"GameOverWaitRunsOut", true, lastLifeLost, {"HighScores"}}),
    kvtest::CaseName());

}  // namespace
