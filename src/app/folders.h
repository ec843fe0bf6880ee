#pragma once
// Where the game's files are: the program directory, which holds what the
// game reads (Pictures/, Fonts/, Samples/, MODs/, Data/), and the data
// directory, which takes the score table and the saves.
//
// A game whose own folder holds Pictures/ (the build's bin/, or a copy
// unpacked anywhere) keeps everything in that folder, as it always has.
// Otherwise it looks where `cmake --install` puts the program directory,
// beside its bin/ folder (<prefix>/share/korvane for <prefix>/bin/korvane).
// That game is installed: its program directory may well belong to root, so
// it writes in the player's own data directory instead.
#include <string>

namespace kv::app {

struct Options;

struct Folders {
    std::string appDir;    // ends with '/'
    std::string dataDir;   // ends with '/'; empty: the game has nowhere to write
    bool installed = false;
    bool userData = false;  // dataDir is the player's own, chosen by the game
};

// The parts of the environment the data directory depends on.
struct UserDirs {
    std::string xdgDataHome;   // $XDG_DATA_HOME
    std::string home;          // $HOME
    std::string accountHome;   // the account's home folder, as the system knows it
    static UserDirs fromEnvironment();
};

// The installed program directory relative to the installed program's folder,
// as this build was configured ("../share/korvane").
std::string installedAppDir();

// --app-dir and --data-dir win; without them the program's own folder
// (exeDir) decides, as above. An installed game never writes into its program
// directory: without any user data directory it has none (dataDir is empty).
Folders findFolders(const Options& opt, const std::string& exeDir, const UserDirs& user,
                    const std::string& installedAppDir);

// $XDG_DATA_HOME/korvane/ when that is an absolute path (a relative one is to
// be ignored), else HOME/.local/share/korvane/, where HOME is $HOME when that
// is an absolute path and else the account's home folder; empty when there is
// no home at all.
std::string userDataDir(const UserDirs& user);

// The player's data directory of an installed game (not one named by
// --data-dir) starts from a copy of the shipped score table, so that the
// player finds the table where the game keeps it. A table
// already there is never touched; a shipped table that does not read as one
// is not copied (the game then stops on it with its message); a folder that
// cannot be written is left to the moment a score is kept, when the game
// says so.
void seedScoreTable(const Folders& folders);

}  // namespace kv::app
