// The pause leaves the explosions and the planet's waits running, so the
// planet can hand over while its pause dialog is up. The dialog must close
// then: left modal beneath the next screen, nothing could reach it, and the
// next Esc would open a second one on top.
#include <gtest/gtest.h>

#include "frontend/in_game_options.h"
#include "support/harness.h"

TEST(PauseDuringHandover, ClosesThePauseDialogWhenTheBonusStageOpensAndWhenGameOversWaitRunsOut) {
    // The intro ends at 3300 (a key, or a push of the stick: with the stick Esc pauses even a frozen ship); the
    // player pauses at 3500 while the "BONUS STAGE!" name fades, or while the last life's explosion plays.
    for (bool joystick : {false, true}) {
        kvtest::GameRun run(kvtest::RunSetup{joystick ? "0 joy 32767 32767 0\n3300 joy 0 32767 0\n"
                                                        "3310 joy 32767 32767 0\n3500 key 27\n"
                                                      : "3300 key 16\n3500 key 27\n",
                                             1, 3400, kvtest::chosen(joystick ? 2 : 1, "Pilot")});
        kv::level::Form1& f = run.form1();
        f.g.PlayerLives = 0;  // game over follows the last life's explosion, the score table its wait
        f.BonusType = 4;      // "BONUS STAGE!": the stage opens when the name has faded
        joystick ? f.LoseLife() : f.print_bonustype();
        run.runUntil(12000);
        EXPECT_EQ(run.rt().find<kv::frontend::InGameOptions>(), nullptr) << joystick;
        std::vector<std::string> shown;
        for (const kv::Form* form : run.rt().forms().visible()) shown.push_back(form->name());
        EXPECT_EQ(shown, std::vector<std::string>{joystick ? "HighScores" : "BonusStage"});
    }
}
