#pragma once
// Every hand-over from one screen to the next goes through here: a screen that
// is done asks for the next one by name and never holds another screen. The
// app decides what each hand-over opens.
namespace kv {

class PlayScreen;

class ScreenFlow {
public:
    virtual ~ScreenFlow() = default;
    // Start-up is done: the main menu.
    virtual void startUpDone() = 0;
    // The score table of a finished game has been clicked away: the main menu.
    virtual void mainMenu() = 0;
    // The main menu's New Game, and a saved game that loaded: the planet screen.
    virtual void newGame() = 0;
    virtual void loadedGame() = 0;
    // The "BONUS STAGE!" pick-up has faded: the bonus stage over the planet
    // screen, which stays loaded, set aside.
    virtual void bonusStage() = 0;
    // The bonus stage is over: the planet screen again, on the next planet.
    virtual void bonusStageOver() = 0;
    // The planet after the ninth: the mother ship.
    virtual void motherShip() = 0;
    // The mother ship is destroyed: the end sequence.
    virtual void endSequence() = 0;
    // The score table: from the menu's High Scores (ScoresFromMenu 1, to view
    // it), or for a finished game (game over, quit, the end sequence clicked
    // away: ScoresFromMenu 0, the score is entered).
    virtual void highScores() = 0;
    // Esc on a playing screen: the pause dialog, modally; returns when it closes.
    virtual void pause(PlayScreen& playing) = 0;
};

}  // namespace kv
