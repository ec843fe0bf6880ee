#pragma once
// Every hand-over from one screen to the next goes through here: a screen that
// is done asks for the next one by name and returns; it never unloads another
// screen or holds one. Each routine does the whole hand-over, closing and
// opening in the order the rules give; the app decides what each one opens.
namespace kv {

class PlayScreen;

enum class GameStart { New, Loaded };

class ScreenFlow {
public:
    virtual ~ScreenFlow() = default;
    // Start-up is done: the main menu comes up and start-up closes.
    virtual void startUpDone() = 0;
    // New Game or a saved game that loaded: GameLoaded tells the planet screen
    // which, the planet screen opens, and the menu, its music panel and the
    // score table close.
    virtual void startGame(GameStart start) = 0;
    // The "BONUS STAGE!" pick-up has faded and the planet has stopped: the
    // sounds go, the planet screen is set aside (hidden, still loaded) and the
    // bonus stage opens.
    virtual void bonusStage() = 0;
    // The bonus stage is over: the planet screen again, on the next planet.
    virtual void bonusStageOver() = 0;
    // The planet after the ninth: the planet screen closes for the mother ship.
    virtual void motherShip() = 0;
    // The mother ship is destroyed: the end sequence, and the fight closes.
    virtual void endSequence() = 0;
    // Game over on a playing screen: it closes, and the score table opens to
    // enter the finished game's score.
    virtual void gameOver(PlayScreen& playing) = 0;
    // The pause dialog's Quit, answered Yes: the dialog and the playing screen
    // close, and the score table enters the score.
    virtual void quitGame(PlayScreen& playing) = 0;
    // The end sequence clicked away: the score table enters the won game's score.
    virtual void endSequenceOver() = 0;
    // The menu's High Scores: the table over the menu, only to look at.
    virtual void viewScores() = 0;
    // The table looked at from the menu closes: the menu is still there.
    virtual void scoresViewed() = 0;
    // The table of a finished game closes: a fresh main menu.
    virtual void mainMenu() = 0;
    // Esc on a playing screen: the pause dialog, modally; returns when it closes.
    virtual void pause(PlayScreen& playing) = 0;
};

}  // namespace kv
