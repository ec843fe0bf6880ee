#pragma once
// The screen flow: which screen follows which. Every hand-over between screens
// is one routine here, closing and opening in the rules' order; the screens ask
// for them through ScreenFlow and never hold each other.
#include "app/options.h"
#include "shared/game.h"
#include "shared/screen_flow.h"

namespace kv::app {

class GameFlow : public ScreenFlow {
public:
    explicit GameFlow(Runtime& rt);
    Game& game() { return game_; }

    // The run's first screen: start-up, or a warp straight into the game.
    void begin(const Options& opt);

    void startUpDone() override;
    void startGame(GameStart start) override;
    void bonusStage() override;
    void bonusStageOver() override;
    void motherShip() override;
    void endSequence() override;
    void gameOver(PlayScreen& playing) override;
    void quitGame(PlayScreen& playing) override;
    void endSequenceOver() override;
    void viewScores() override;
    void scoresViewed() override;
    void mainMenu() override;
    void pause(PlayScreen& playing) override;

private:
    // The window's close button: during a game the Quit question, and on Yes
    // the game ends as Quit ends it (its score is entered); anywhere else the
    // program ends as Exit ends it, the display put back as start-up found it.
    void windowClosed();
    // Closes the pause dialog of a screen that is handing over.
    void endPause();
    // The score table: with ScoresFromMenu 0 it enters the finished game's score.
    void openScores();
    Game game_;
};

}  // namespace kv::app
